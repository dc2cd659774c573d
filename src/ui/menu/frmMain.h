#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace ui {

// The menu window: the shared menu's items as a list, run with Enter or a double click.
class frmMain {
public:
    frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Loads the window if needed and shows it modeless.
    void Show();

    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload();
    void Form_KeyDown(int& KeyCode, int Shift);
    void lstItems_KeyDown(int& KeyCode, int Shift);
    void lstItems_DblClick();
    void lstItems_FilesDropped(const std::vector<std::wstring>& files, int row);

    void SetDefaultSize();
    void RestorePlacement();
    void SavePlacement();
    std::wstring PlacementKey() const;
    void RefreshMenu();
    void EditMenu();
    void OpenMenuFile(bool UseCurrentName);

private:
    // Switches the window to the menu in that file, unless it cannot be read.
    void OpenMenu(const std::wstring& fileName);
    // Gives the rows their items' targets, if RefreshMenu left them to be given.
    void GiveDueTargets();

    std::unique_ptr<Form> form_;
    ListBox* lstItems = nullptr;
    Shape* shpBack = nullptr;
    bool targetsDue_ = false;
};

// The one menu window of the process, created on first use.
frmMain& MainForm();
// Destroys it; the next MainForm() makes a new one.
void ReleaseMainForm();

}  // namespace ui
