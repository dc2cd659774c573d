#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/components/CHistory.h"
#include "ui/Form.h"

namespace ui {

class frmCommandsEditor;

// The command editor: one item of the menu editor, taken from and handed back through the menu
// editor's CurrentCommand and CommandEditorOk.
class frmCommandEditor {
public:
    explicit frmCommandEditor(frmCommandsEditor& menuEditor);
    frmCommandEditor(const frmCommandEditor&) = delete;
    frmCommandEditor& operator=(const frmCommandEditor&) = delete;

    void ShowModal() { form_->ShowModal(); }

    std::unique_ptr<platform::CHistory> TitleHistory;
    std::unique_ptr<platform::CHistory> FileNameHistory;
    std::unique_ptr<platform::CHistory> OperationHistory;
    std::unique_ptr<platform::CHistory> ParametersHistory;
    std::unique_ptr<platform::CHistory> DirectoryHistory;

    // The full name of the file chosen, or empty text when the user cancelled. The dialog starts
    // in the folder remembered under RegValueName and remembers the chosen file's folder there.
    std::wstring GetOpenFileName(const std::wstring& RegValueName, const std::wstring& Filter);

    void Form_Load();
    void Form_Unload();
    void Form_Paint();
    void cmdFileNameBrowse_Click();
    void cmdParametersBrowse_Click();
    void cmdDirectoryBrowse_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    // The five text fields in their order: Title, File name, Operation, Parameters, Directory.
    struct Field {
        TextBox* textBox = nullptr;
        std::unique_ptr<platform::CHistory> frmCommandEditor::*history = nullptr;
        const wchar_t* historyFile = nullptr;
    };

    void FillShowCommands();
    void LoadFields();
    bool StoreFields();
    void TakeChosenText(TextBox& textBox, const std::wstring& text);
    platform::CHistory& HistoryOf(const Field& field) { return *(this->*field.history); }

    frmCommandsEditor& menuEditor_;
    std::unique_ptr<Form> form_;
    std::array<Field, 5> fields_;
    TextBox* txtTitle = nullptr;
    TextBox* txtFileName = nullptr;
    TextBox* txtOperation = nullptr;
    TextBox* txtParameters = nullptr;
    TextBox* txtDirectory = nullptr;
    DropDownList* cboShowCommand = nullptr;
};

}  // namespace ui
