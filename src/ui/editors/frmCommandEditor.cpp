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
#include "ui/FileChoice.h"
#include "ui/editors/frmCommandsEditor.h"

namespace ui {

namespace {

constexpr int kShowDefaultPosition = 10;  // "SW_SHOWDEFAULT"
constexpr wchar_t kHistoryToolTip[] = L" История ";
constexpr wchar_t kBrowseToolTip[] = L" Обзор ";

ControlSpec Tag(int top, int width, const wchar_t* caption) {
    return {.name = L"lblTag", .bounds = {120, top, width, 210}, .caption = caption,
            .autoSize = true};
}

ControlSpec Box(const wchar_t* name, int top) {
    return {.name = name, .bounds = {1320, top, 3855, 375}};
}

// The small buttons right of a field: its history, and for some a browse button beside it.
ControlSpec SideButton(const wchar_t* name, bool browse, int top) {
    return {.name = name,
            .bounds = {browse ? 5640 : 5220, top, 375, 375},
            .caption = browse ? L"..." : L"H!",
            .toolTip = browse ? kBrowseToolTip : kHistoryToolTip};
}

}  // namespace

frmCommandEditor::frmCommandEditor(frmCommandsEditor& menuEditor)
    : menuEditor_(menuEditor),
      form_(Tk().CreateForm(FormSpec{.name = L"frmCommandEditor",
                                     .caption = L"Команда",
                                     .clientWidth = 6135,
                                     .clientHeight = 3555,
                                     .style = FormStyle::FixedDialog})) {
    Form& f = *form_;
    f.AddLabel(Tag(165, 915, L"Заголовок:"));
    txtTitle = &f.AddTextBox(Box(L"txtTitle", 120));
    Button& cmdTitleHistory = f.AddButton(SideButton(L"cmdTitleHistory", false, 120));
    f.AddLabel(Tag(645, 1005, L"Имя файла:"));
    txtFileName = &f.AddTextBox(Box(L"txtFileName", 600));
    Button& cmdFileNameHistory = f.AddButton(SideButton(L"cmdFileNameHistory", false, 600));
    Button& cmdFileNameBrowse = f.AddButton(SideButton(L"cmdFileNameBrowse", true, 600));
    f.AddLabel(Tag(1125, 915, L"Операция:"));
    txtOperation = &f.AddTextBox(Box(L"txtOperation", 1080));
    Button& cmdOperationHistory = f.AddButton(SideButton(L"cmdOperationHistory", false, 1080));
    f.AddLabel(Tag(1605, 1005, L"Параметры:"));
    txtParameters = &f.AddTextBox(Box(L"txtParameters", 1560));
    Button& cmdParametersHistory = f.AddButton(SideButton(L"cmdParametersHistory", false, 1560));
    Button& cmdParametersBrowse = f.AddButton(SideButton(L"cmdParametersBrowse", true, 1560));
    f.AddLabel(Tag(2085, 720, L"Каталог:"));
    txtDirectory = &f.AddTextBox(Box(L"txtDirectory", 2040));
    Button& cmdDirectoryHistory = f.AddButton(SideButton(L"cmdDirectoryHistory", false, 2040));
    Button& cmdDirectoryBrowse = f.AddButton(SideButton(L"cmdDirectoryBrowse", true, 2040));
    f.AddLabel(Tag(2565, 1005, L"Стиль окна:"));
    cboShowCommand = &f.AddDropDownList(
        {.name = L"cboShowCommand", .bounds = {1320, 2520, 3855, 330}});
    Button& cmdOk = f.AddButton({.name = L"cmdOk",
                                 .bounds = {3120, 3000, 1395, 435},
                                 .caption = L"Ok",
                                 .isDefault = true});
    Button& cmdCancel = f.AddButton({.name = L"cmdCancel",
                                     .bounds = {4620, 3000, 1395, 435},
                                     .caption = L"Отмена",
                                     .isCancel = true});
    f.AddShape({.name = L"shpBack", .bounds = {-60, -120, 2235, 3975}});

    fields_ = {{
        {txtTitle, &frmCommandEditor::TitleHistory, L"Title History.DAT"},
        {txtFileName, &frmCommandEditor::FileNameHistory, L"File Name History.DAT"},
        {txtOperation, &frmCommandEditor::OperationHistory, L"Operation History.DAT"},
        {txtParameters, &frmCommandEditor::ParametersHistory, L"Parameters History.DAT"},
        {txtDirectory, &frmCommandEditor::DirectoryHistory, L"Directory History.DAT"},
    }};
    Button* historyButtons[] = {&cmdTitleHistory, &cmdFileNameHistory, &cmdOperationHistory,
                                &cmdParametersHistory, &cmdDirectoryHistory};
    for (size_t i = 0; i < fields_.size(); ++i) {
        const Field& field = fields_[i];
        field.textBox->GotFocus = [] {
            platform::asTextBoxSelectAll(platform::Env().windows.FocusedWindow());
        };
        historyButtons[i]->Click = [this, &field] {
            HistoryOf(field).ShowEntries(field.textBox->hWnd());
        };
    }

    f.Load = [this] { Form_Load(); };
    f.UnloadEvent = [this] { Form_Unload(); };
    f.Paint = [this] { Form_Paint(); };
    cmdFileNameBrowse.Click = [this] { cmdFileNameBrowse_Click(); };
    cmdParametersBrowse.Click = [this] { cmdParametersBrowse_Click(); };
    cmdDirectoryBrowse.Click = [this] { cmdDirectoryBrowse_Click(); };
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmCommandEditor::Form_Load() {
    platform::asCenterFormEx(form_->hWnd());
    form_->ClearIcon();
    platform::asFixUserControlsContainerWindow();
    platform::FormTools().PrepareForm(form_->hWnd());
    for (const Field& field : fields_) {
        auto history = std::make_unique<platform::CHistory>();
        history->Init(field.historyFile, L"", platform::App(), L"", 0);
        history->LoadEntries();
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
    for (const Field& field : fields_) {
        std::unique_ptr<platform::CHistory>& history = this->*field.history;
        if (!history) continue;
        history->SaveEntries();
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
                   GetOpenFileName(L"Last open File Name directory",
                                   L"Исполняемые файлы|*.EXE;*.COM;*.BAT;*.VBS;*.JS;*WSH|"
                                   L"Все файлы|*.*"));
}

void frmCommandEditor::cmdParametersBrowse_Click() {
    TakeChosenText(*txtParameters,
                   GetOpenFileName(L"Last open Parameters directory", L"Все файлы|*.*"));
}

void frmCommandEditor::cmdDirectoryBrowse_Click() {
    platform::CFolderBrowser browser;
    browser.Prompt =
        L"Выбирите каталог, который будет назначен по умолчанию для запускающейся команды.";
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
        platform::MsgBox(L"Заголовок не должен быть пуст!", kErrorBox);
        return false;
    }
    if (txtFileName->Text().empty()) {
        txtFileName->SetFocus();
        platform::MsgBox(L"Имя файла не должно быть пусто!", kErrorBox);
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
