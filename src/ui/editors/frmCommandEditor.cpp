#include "ui/editors/frmCommandEditor.h"

#include "model/CCommand.h"
#include "model/SharedCommands.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/components/CFolderBrowser.h"
#include "platform/components/CFormTools.h"
#include "platform/support/TextTrim.h"
#include "platform/support/WindowHelpers.h"
#include "platform/texts/Texts.h"
#include "ui/FileChoice.h"
#include "ui/editors/frmCommandsEditor.h"

namespace ui {

namespace {

using platform::Text;

constexpr int kShowDefaultPosition = 10;  // "SW_SHOWDEFAULT"

// One text field's row: its label, the box, the history button and perhaps a browse button.
struct FieldDesign {
    unsigned label;
    int labelWidth;
    const wchar_t* name;  // "Title" gives txtTitle, cmdTitleHistory, cmdTitleBrowse
    int top;
    std::unique_ptr<platform::CHistory> frmCommandEditor::*history;
    const wchar_t* historyFile;
    void (frmCommandEditor::*browse)();  // null: no browse button
};

const FieldDesign kFieldDesigns[] = {
    {IDS_LABEL_TITLE, 915, L"Title", 120, &frmCommandEditor::TitleHistory, L"Title History.DAT",
     nullptr},
    {IDS_LABEL_FILE_NAME, 1005, L"FileName", 600, &frmCommandEditor::FileNameHistory,
     L"File Name History.DAT", &frmCommandEditor::cmdFileNameBrowse_Click},
    {IDS_LABEL_OPERATION, 915, L"Operation", 1080, &frmCommandEditor::OperationHistory,
     L"Operation History.DAT", nullptr},
    {IDS_LABEL_PARAMETERS, 1005, L"Parameters", 1560, &frmCommandEditor::ParametersHistory,
     L"Parameters History.DAT", &frmCommandEditor::cmdParametersBrowse_Click},
    {IDS_LABEL_DIRECTORY, 720, L"Directory", 2040, &frmCommandEditor::DirectoryHistory,
     L"Directory History.DAT", &frmCommandEditor::cmdDirectoryBrowse_Click},
};

// Labels stand 45 twips lower than their boxes, so that the texts line up.
ControlSpec Tag(int boxTop, int width, unsigned caption) {
    return {.name = L"lblTag",
            .bounds = {120, boxTop + 45, width, 210},
            .caption = Text(caption),
            .autoSize = true};
}

ControlSpec SideButton(const std::wstring& name, bool browse, int top) {
    return {.name = name,
            .bounds = {browse ? 5640 : 5220, top, 375, 375},
            .caption = Text(browse ? IDS_BUTTON_BROWSE : IDS_BUTTON_HISTORY),
            .toolTip = Text(browse ? IDS_TIP_BROWSE : IDS_TIP_HISTORY)};
}

}  // namespace

frmCommandEditor::frmCommandEditor(frmCommandsEditor& menuEditor)
    : menuEditor_(menuEditor),
      form_(Tk().CreateForm(FormSpec{.name = L"frmCommandEditor",
                                     .caption = Text(IDS_COMMAND_EDITOR_CAPTION),
                                     .clientWidth = 6135,
                                     .clientHeight = 3555,
                                     .style = FormStyle::FixedDialog})) {
    Form& f = *form_;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const FieldDesign& design = kFieldDesigns[i];
        const std::wstring name = design.name;
        f.AddLabel(Tag(design.top, design.labelWidth, design.label));
        Field& field = fields_[i];
        field = {&f.AddTextBox({.name = L"txt" + name, .bounds = {1320, design.top, 3855, 375}}),
                 design.history, design.historyFile};
        field.textBox->GotFocus = [] {
            platform::asTextBoxSelectAll(platform::Env().windows.FocusedWindow());
        };
        f.AddButton(SideButton(L"cmd" + name + L"History", false, design.top)).Click =
            [this, &field] { HistoryOf(field).ShowEntries(field.textBox->hWnd()); };
        if (design.browse) {
            f.AddButton(SideButton(L"cmd" + name + L"Browse", true, design.top)).Click =
                [this, browse = design.browse] { (this->*browse)(); };
        }
    }
    txtTitle = fields_[0].textBox;
    txtFileName = fields_[1].textBox;
    txtOperation = fields_[2].textBox;
    txtParameters = fields_[3].textBox;
    txtDirectory = fields_[4].textBox;
    f.AddLabel(Tag(2520, 1005, IDS_LABEL_SHOW_COMMAND));
    cboShowCommand = &f.AddDropDownList(
        {.name = L"cboShowCommand", .bounds = {1320, 2520, 3855, 330}});
    f.AddButton({.name = L"cmdOk",
                 .bounds = {3120, 3000, 1395, 435},
                 .caption = Text(IDS_BUTTON_OK),
                 .isDefault = true})
        .Click = [this] { cmdOk_Click(); };
    f.AddButton({.name = L"cmdCancel",
                 .bounds = {4620, 3000, 1395, 435},
                 .caption = Text(IDS_BUTTON_CANCEL),
                 .isCancel = true})
        .Click = [this] { cmdCancel_Click(); };
    f.AddShape({.name = L"shpBack", .bounds = {-60, -120, 2235, 3975}});

    f.Load = [this] { Form_Load(); };
    f.UnloadEvent = [this] { Form_Unload(); };
    f.Paint = [this] { Form_Paint(); };
}

void frmCommandEditor::Form_Load() {
    platform::asCenterFormEx(form_->hWnd());
    form_->ClearIcon();
    platform::asFixUserControlsContainerWindow();
    platform::FormTools().PrepareForm(form_->hWnd());
    const platform::files::Deadline deadline = platform::CHistory::WaitLimit();  // for all five
    for (const Field& field : fields_) {
        auto history = std::make_unique<platform::CHistory>();
        history->Init(field.historyFile, L"", platform::App(), L"", 0);
        history->LoadEntries(deadline);
        this->*field.history = std::move(history);
    }
    FillShowCommands();
    LoadFields();
}

void frmCommandEditor::FillShowCommands() {
    for (const std::wstring& name : model::Commands().GetShowCommandStrings()) {
        cboShowCommand->AddItem(name);
    }
}

void frmCommandEditor::LoadFields() {
    menuEditor_.CommandEditorOk = false;
    const std::shared_ptr<model::CCommand>& command = menuEditor_.CurrentCommand;
    if (!command) {
        for (const Field& field : fields_) field.textBox->SetText(L"");
        txtOperation->SetText(L"open");
        cboShowCommand->SetListIndex(kShowDefaultPosition);
        return;
    }
    txtTitle->SetText(command->Title());
    txtFileName->SetText(command->FileName());
    txtOperation->SetText(command->Operation());
    txtParameters->SetText(command->Parameters());
    txtDirectory->SetText(command->Directory());
    // An item made in code may hold a number no name stands for; the list then shows none.
    const int showCommand = command->ShowCommand();
    const bool listed = showCommand >= 0 && showCommand < cboShowCommand->ListCount();
    cboShowCommand->SetListIndex(listed ? showCommand : -1);
}

void frmCommandEditor::Form_Unload() {
    const platform::files::Deadline deadline = platform::CHistory::WaitLimit();  // for all five
    for (const Field& field : fields_) {
        std::unique_ptr<platform::CHistory>& history = this->*field.history;
        if (!history) continue;
        history->SaveEntries(deadline);
        history.reset();
    }
}

void frmCommandEditor::Form_Paint() { platform::asPaintDesktop2(form_->hWnd()); }

std::wstring frmCommandEditor::GetOpenFileName(const std::wstring& RegValueName,
                                               const std::wstring& Filter) {
    return ChooseFileToOpen({.rememberedFolderValue = RegValueName, .filter = Filter});
}

void frmCommandEditor::cmdFileNameBrowse_Click() {
    TakeChosenText(*txtFileName,
                   GetOpenFileName(L"Last open File Name directory", Text(IDS_PROGRAM_FILTER)));
}

void frmCommandEditor::cmdParametersBrowse_Click() {
    TakeChosenText(*txtParameters,
                   GetOpenFileName(L"Last open Parameters directory", Text(IDS_ALL_FILES_FILTER)));
}

void frmCommandEditor::cmdDirectoryBrowse_Click() {
    platform::CFolderBrowser browser;
    browser.Prompt = Text(IDS_FOLDER_PROMPT);
    browser.hWndOwner = form_->hWnd();
    browser.Folder = txtDirectory->Text();
    if (browser.Browse()) TakeChosenText(*txtDirectory, browser.Folder);
}

void frmCommandEditor::TakeChosenText(TextBox& textBox, const std::wstring& text) {
    if (text.empty()) return;
    textBox.SetText(text);
    textBox.SetFocus();
}

void frmCommandEditor::cmdOk_Click() {
    if (!StoreFields()) return;
    for (const Field& field : fields_) HistoryOf(field).AddEntry(field.textBox->Text());
    form_->Unload();
}

void frmCommandEditor::cmdCancel_Click() { form_->Unload(); }

bool frmCommandEditor::StoreFields() {
    for (const Field& field : fields_) {
        field.textBox->SetText(platform::asTrimEx(field.textBox->Text()));
    }
    constexpr unsigned kErrorBox = platform::kMbIconError | platform::kMbOk;
    if (txtTitle->Text().empty()) {
        txtTitle->SetFocus();
        platform::MsgBox(Text(IDS_TITLE_EMPTY), kErrorBox);
        return false;
    }
    if (txtFileName->Text().empty()) {
        txtFileName->SetFocus();
        platform::MsgBox(Text(IDS_FILE_NAME_EMPTY), kErrorBox);
        return false;
    }
    std::shared_ptr<model::CCommand>& command = menuEditor_.CurrentCommand;
    if (!command) command = std::make_shared<model::CCommand>();
    command->Title(txtTitle->Text());
    command->FileName(txtFileName->Text());
    command->Operation(txtOperation->Text());
    command->Parameters(txtParameters->Text());
    command->Directory(txtDirectory->Text());
    if (cboShowCommand->ListIndex() >= 0) command->ShowCommand(cboShowCommand->ListIndex());
    menuEditor_.CommandEditorOk = true;
    return true;
}

}  // namespace ui
