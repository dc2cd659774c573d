#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/CCommand.h"
#include "model/CCommands.h"
#include "model/DropReading.h"
#include "platform/components/CHistory.h"
#include "ui/Form.h"

namespace ui {

// The menu editor: the menu's title and items on a working copy of the shared menu, saved to
// the menu file or dropped.
class frmCommandsEditor {
public:
    frmCommandsEditor();
    frmCommandsEditor(const frmCommandsEditor&) = delete;
    frmCommandsEditor& operator=(const frmCommandsEditor&) = delete;

    // Shows the editor modally; returns once it has closed.
    void ShowModal() { form_->ShowModal(); }

    // The item handed to the command editor and back; null for a new item.
    std::shared_ptr<model::CCommand> CurrentCommand;
    // Set by the command editor: true when the user confirmed it.
    bool CommandEditorOk = false;
    std::unique_ptr<platform::CHistory> TitleHistory;

    // The full name of the menu file to save under, or empty text when the user cancelled.
    std::wstring GetSaveFileName(const std::wstring& DefaultFileName);

    void Form_Load();
    void Form_Unload();
    void Form_Paint();
    void Form_KeyDown(int& KeyCode, int Shift);
    void txtTitle_GotFocus();
    void cmdTitleHistory_Click();
    void lstItems_DblClick();
    void lstItems_KeyDown(int& KeyCode, int Shift);
    void lstItems_FilesDropped(const std::vector<std::wstring>& files, int row);
    void cmdAdd_Click();
    void cmdCopy_Click();
    void cmdEdit_Click();
    void cmdRemove_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void InitEditor();
    void RefreshList();
    bool SaveCommands();
    bool MaySaveOver();
    bool LimitReached();
    std::wstring LimitMessage() const;
    void InsertFiles(const std::vector<std::wstring>& files, int row);
    void TakeDroppedFiles(const model::DropReading& reading, int row);
    bool ReadingFiles() const;
    void ShowCommandEditor();
    void AppendCurrentCommand();
    void Press(Button& button);

    std::shared_ptr<model::CCommands> WorkingCommands;
    std::unique_ptr<Form> form_;
    TextBox* txtTitle = nullptr;
    Button* cmdTitleHistory = nullptr;
    ListBox* lstItems = nullptr;
    Button* cmdAdd = nullptr;
    Button* cmdCopy = nullptr;
    Button* cmdEdit = nullptr;
    Button* cmdRemove = nullptr;
    Button* cmdMoveUp = nullptr;
    Button* cmdMoveDown = nullptr;
    Button* cmdSave = nullptr;
    Button* cmdCancel = nullptr;
};

}  // namespace ui
