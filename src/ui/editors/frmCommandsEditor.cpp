#include "ui/editors/frmCommandsEditor.h"

#include <algorithm>
#include <stdexcept>

#include "app/modAppWindowTitle.h"
#include "model/DropReading.h"
#include "model/MenuFileMessages.h"
#include "model/SharedCommands.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/components/CFormTools.h"
#include "platform/support/Session.h"
#include "platform/support/WindowHelpers.h"
#include "platform/text/NumberText.h"
#include "platform/texts/Texts.h"
#include "ui/FileChoice.h"
#include "ui/ItemIcons.h"
#include "ui/editors/frmCommandEditor.h"

namespace ui {

namespace {

using platform::Text;

// Left of the Save button, shown while dropped files are read.
constexpr TwipsRect kProgressBarBounds{120, 4455, 2520, 285};

ControlSpec SmallButton(const wchar_t* name, int top, unsigned caption, unsigned toolTip) {
    return {.name = name,
            .bounds = {5280, top, 375, 375},
            .caption = Text(caption),
            .toolTip = Text(toolTip)};
}

}  // namespace

frmCommandsEditor::frmCommandsEditor()
    : form_(Tk().CreateForm(FormSpec{.name = L"frmCommandsEditor",
                                     .caption = Text(IDS_MENU_EDITOR_CAPTION),
                                     .clientWidth = 5775,
                                     .clientHeight = 4920,
                                     .style = FormStyle::FixedDialog,
                                     .keyPreview = true})) {
    Form& f = *form_;
    f.AddLabel({.name = L"lblTag",
                .bounds = {180, 160, 915, 210},
                .caption = Text(IDS_LABEL_TITLE),
                .autoSize = true});
    txtTitle = &f.AddTextBox({.name = L"txtTitle", .bounds = {1320, 120, 3855, 375}});
    cmdTitleHistory =
        &f.AddButton(SmallButton(L"cmdTitleHistory", 120, IDS_BUTTON_HISTORY, IDS_TIP_HISTORY));
    lstItems = &f.AddListBox({.name = L"lstItems", .bounds = {120, 600, 5055, 3630}});
    cmdAdd = &f.AddButton(SmallButton(L"cmdAdd", 600, IDS_BUTTON_ADD, IDS_TIP_ADD));
    cmdCopy = &f.AddButton(SmallButton(L"cmdCopy", 1080, IDS_BUTTON_COPY, IDS_TIP_COPY));
    cmdEdit = &f.AddButton(SmallButton(L"cmdEdit", 1560, IDS_BUTTON_EDIT, IDS_TIP_EDIT));
    cmdRemove = &f.AddButton(SmallButton(L"cmdRemove", 2040, IDS_BUTTON_REMOVE, IDS_TIP_REMOVE));
    cmdMoveUp = &f.AddButton(SmallButton(L"cmdMoveUp", 3360, IDS_BUTTON_MOVE_UP, IDS_TIP_MOVE_UP));
    cmdMoveDown =
        &f.AddButton(SmallButton(L"cmdMoveDown", 3840, IDS_BUTTON_MOVE_DOWN, IDS_TIP_MOVE_DOWN));
    cmdSave = &f.AddButton({.name = L"cmdSave",
                            .bounds = {2760, 4380, 1395, 435},
                            .caption = Text(IDS_BUTTON_SAVE),
                            .toolTip = Text(IDS_TIP_SAVE),
                            .isDefault = true});
    cmdCancel = &f.AddButton({.name = L"cmdCancel",
                              .bounds = {4260, 4380, 1395, 435},
                              .caption = Text(IDS_BUTTON_CANCEL),
                              .isCancel = true});
    f.AddShape({.name = L"shpBack", .bounds = {-780, -120, 2475, 5295}});

    f.Load = [this] { Form_Load(); };
    f.UnloadEvent = [this] { Form_Unload(); };
    f.Paint = [this] { Form_Paint(); };
    f.KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    txtTitle->GotFocus = [this] { txtTitle_GotFocus(); };
    cmdTitleHistory->Click = [this] { cmdTitleHistory_Click(); };
    lstItems->DblClick = [this] { lstItems_DblClick(); };
    lstItems->KeyDown = [this](int& keyCode, int shift) { lstItems_KeyDown(keyCode, shift); };
    lstItems->FilesDropped = [this](const std::vector<std::wstring>& files, int row) {
        lstItems_FilesDropped(files, row);
    };
    cmdAdd->Click = [this] { cmdAdd_Click(); };
    cmdCopy->Click = [this] { cmdCopy_Click(); };
    cmdEdit->Click = [this] { cmdEdit_Click(); };
    cmdRemove->Click = [this] { cmdRemove_Click(); };
    cmdMoveUp->Click = [this] { cmdMoveUp_Click(); };
    cmdMoveDown->Click = [this] { cmdMoveDown_Click(); };
    cmdSave->Click = [this] { cmdSave_Click(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void frmCommandsEditor::Form_Load() {
    platform::asCenterFormEx(form_->hWnd());
    form_->ClearIcon();
    platform::asFixUserControlsContainerWindow();
    TitleHistory = std::make_unique<platform::CHistory>();
    TitleHistory->Init(L"Main Title History.DAT", L"", platform::App(), L"", 0);
    TitleHistory->LoadEntries();
    InitEditor();
}

void frmCommandsEditor::InitEditor() {
    WorkingCommands = model::Commands().Clone();
    txtTitle->SetText(WorkingCommands->Title());
    RefreshList();
    if (lstItems->ListCount() > 0) {
        lstItems->SetFocus();
    } else {
        txtTitle->SetFocus();
    }
    form_->SetCaption(app::ComposeDocumentTitle(Text(IDS_MENU_EDITOR_CAPTION),
                                                WorkingCommands->ConfigFileName(),
                                                Text(IDS_UNTITLED_DOCUMENT)));
}

void frmCommandsEditor::Form_Unload() {
    if (!TitleHistory) return;
    TitleHistory->SaveEntries();
    TitleHistory.reset();
}

void frmCommandsEditor::Form_Paint() { platform::asPaintDesktop2(form_->hWnd()); }

void frmCommandsEditor::Form_KeyDown(int& KeyCode, int Shift) {
    namespace vk = platform::vk;
    if (Shift != platform::kCtrlMask) return;
    switch (KeyCode) {
        case vk::A: Press(*cmdAdd); break;
        case vk::C: Press(*cmdCopy); break;
        case vk::E: Press(*cmdEdit); break;
        case vk::R: Press(*cmdRemove); break;
        // Consumed, so that the list does not move its selection bar as well.
        case vk::Up:
            Press(*cmdMoveUp);
            KeyCode = 0;
            break;
        case vk::Down:
            Press(*cmdMoveDown);
            KeyCode = 0;
            break;
        default: break;
    }
}

void frmCommandsEditor::txtTitle_GotFocus() {
    platform::asTextBoxSelectAll(platform::Env().windows.FocusedWindow());
}

void frmCommandsEditor::cmdTitleHistory_Click() { TitleHistory->ShowEntries(txtTitle->hWnd()); }

void frmCommandsEditor::lstItems_DblClick() { Press(*cmdEdit); }

// Files copied in the shell go in before the selected row, or at the end when none is.
void frmCommandsEditor::lstItems_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode != platform::vk::V || Shift != platform::kCtrlMask || ReadingFiles()) return;
    const int selected = lstItems->ListIndex();
    InsertFiles(lstItems->ClipboardFiles(), selected < 0 ? lstItems->ListCount() : selected);
}

void frmCommandsEditor::lstItems_FilesDropped(const std::vector<std::wstring>& files, int row) {
    InsertFiles(files, row);
}

void frmCommandsEditor::cmdAdd_Click() {
    if (ReadingFiles() || LimitReached()) return;
    CurrentCommand = nullptr;
    ShowCommandEditor();
    AppendCurrentCommand();
}

void frmCommandsEditor::cmdCopy_Click() {
    if (ReadingFiles() || LimitReached()) return;
    const int selected = lstItems->ListIndex();
    if (selected < 0) return;
    CurrentCommand = WorkingCommands->Item(selected)->Clone();
    ShowCommandEditor();
    AppendCurrentCommand();
}

void frmCommandsEditor::cmdEdit_Click() {
    const int selected = lstItems->ListIndex();
    if (selected < 0 || ReadingFiles()) return;
    CurrentCommand = WorkingCommands->Item(selected);
    ShowCommandEditor();
    CurrentCommand = nullptr;
    RefreshList();
}

void frmCommandsEditor::cmdRemove_Click() {
    const int selected = lstItems->ListIndex();
    if (selected < 0 || ReadingFiles()) return;
    WorkingCommands->Remove(selected);
    RefreshList();
}

void frmCommandsEditor::cmdMoveUp_Click() {
    const int selected = lstItems->ListIndex();
    if (selected <= 0 || ReadingFiles()) return;
    WorkingCommands->Add(WorkingCommands->Item(selected)->Clone(), selected - 1, -1);
    WorkingCommands->Remove(selected + 1);
    lstItems->SetListIndex(selected - 1);
    RefreshList();
}

void frmCommandsEditor::cmdMoveDown_Click() {
    const int selected = lstItems->ListIndex();
    if (selected < 0 || selected == lstItems->ListCount() - 1 || ReadingFiles()) return;
    WorkingCommands->Add(WorkingCommands->Item(selected)->Clone(), -1, selected + 1);
    WorkingCommands->Remove(selected);
    lstItems->SetListIndex(selected + 1);
    RefreshList();
}

void frmCommandsEditor::cmdSave_Click() {
    if (ReadingFiles()) return;
    if (WorkingCommands->ConfigFileName().empty() ||
        platform::esIsKeyPressed(platform::vk::Shift)) {
        const std::wstring fileName = GetSaveFileName(WorkingCommands->ConfigFileName());
        if (fileName.empty()) return;
        WorkingCommands->ConfigFileName(fileName);
    }
    WorkingCommands->Updated(true);
    if (!SaveCommands()) return;
    model::SetCommands(WorkingCommands->Clone());
    TitleHistory->AddEntry(txtTitle->Text());
    form_->Unload();
}

// While dropped files are read, Cancel (and Esc) stops the reading and the drop adds nothing.
void frmCommandsEditor::cmdCancel_Click() {
    if (ReadingFiles()) {
        form_->CancelWork();
    } else {
        form_->Unload();
    }
}

std::wstring frmCommandsEditor::GetSaveFileName(const std::wstring& DefaultFileName) {
    return ChooseFileToSave({.rememberedFolderValue = kMenuFolderValue,
                             .filter = Text(IDS_MENU_FILE_FILTER),
                             .fileName = DefaultFileName,
                             .defaultExt = L"Larkspur"});
}

// Never reports an error: the list shows what could be added. The rows go in at once: one by
// one, a thousand of them kept the window from answering for half a minute under Wine.
void frmCommandsEditor::RefreshList() {
    const int previous = lstItems->ListIndex();
    lstItems->Clear();
    std::vector<std::wstring> titles;
    for (int position = 0; position < WorkingCommands->Count(); ++position) {
        try {
            titles.push_back(WorkingCommands->Item(position)->Title());
        } catch (const std::exception&) {
        }
    }
    try {
        lstItems->AddItems(titles);
    } catch (const std::exception&) {
    }
    try {
        ShowItemIcons(*lstItems, *WorkingCommands);
    } catch (const std::exception&) {
    }
    const int rows = lstItems->ListCount();
    if (rows == 0) return;
    const int row = previous == -1 ? 0 : previous >= rows ? rows - 1 : previous;
    try {
        lstItems->SetListIndex(row);
    } catch (const std::exception&) {
    }
}

// False when nothing was saved: the user would not save over the file, or the save failed and
// the user has been told why.
bool frmCommandsEditor::SaveCommands() {
    WorkingCommands->Title(txtTitle->Text());
    if (!MaySaveOver()) return false;
    if (WorkingCommands->SaveItems()) return true;
    model::ShowMenuFileError(
        WorkingCommands->ConfigFileName() + L"\r\n\r\n" + Text(IDS_SAVE_FAILED),
        WorkingCommands->SaveError());
    return false;
}

// Asks before a save would replace what the menu was not read from; No, the default, keeps the
// file and the editor as they are, so that nothing on either side is lost.
bool frmCommandsEditor::MaySaveOver() {
    unsigned question = 0;
    switch (WorkingCommands->RiskOfSaving()) {
        case model::SaveRisk::None: return true;
        case model::SaveRisk::ChangedSinceRead: question = IDS_ASK_SAVE_OVER_CHANGES; break;
        case model::SaveRisk::NotAMenuFile: question = IDS_ASK_SAVE_OVER_OTHER_FILE; break;
    }
    return platform::MsgBox(WorkingCommands->ConfigFileName() + L"\r\n\r\n" + Text(question),
                            platform::kMbIconWarning | platform::kMbYesNo |
                                platform::kMbDefButton2) == platform::kIdYes;
}

bool frmCommandsEditor::LimitReached() {
    if (WorkingCommands->Count() != WorkingCommands->MaxItems()) return false;
    platform::MsgBox(LimitMessage(), platform::kMbIconError | platform::kMbOk);
    return true;
}

std::wstring frmCommandsEditor::LimitMessage() const {
    return Text(IDS_LIMIT_REACHED, {platform::text::Decimal(WorkingCommands->MaxItems())});
}

// The files are read on a worker, as many as fit, so that the window paints and answers
// meanwhile; their items then go in before `row` in the order given, the first of them
// selected. The list never changes meanwhile: editing, Save and further drops do nothing until
// the reading has ended.
void frmCommandsEditor::InsertFiles(const std::vector<std::wstring>& files, int row) {
    if (files.empty() || ReadingFiles()) return;
    const int room = WorkingCommands->MaxItems() - WorkingCommands->Count();
    auto reading = std::make_shared<model::DropReading>();
    const int total = std::min(room, static_cast<int>(files.size()));
    form_->StartWork({.work = [reading, files, room, total](WorkProgress& progress) {
                          *reading = model::ReadDroppedFiles(files, room, [&](int read) {
                              progress.Report(read, total);
                              return progress.Wanted();
                          });
                      },
                      .finished = [this, reading, row] { TakeDroppedFiles(*reading, row); },
                      .progressBar = kProgressBarBounds});
}

// One message at the end tells of every file left out, and why.
void frmCommandsEditor::TakeDroppedFiles(const model::DropReading& reading, int row) {
    int position = row;
    for (const auto& command : reading.commands) WorkingCommands->Add(command, position++, -1);
    if (position > row) {
        RefreshList();
        lstItems->SetListIndex(row);
    }
    const std::wstring leftOut = model::LeftOutMessage(reading, LimitMessage());
    if (!leftOut.empty()) platform::MsgBox(leftOut, platform::kMbIconError | platform::kMbOk);
}

bool frmCommandsEditor::ReadingFiles() const { return form_->IsWorking(); }

// A fresh command editor each time, so that every opening runs its whole load.
void frmCommandsEditor::ShowCommandEditor() {
    frmCommandEditor editor(*this);
    editor.ShowModal();
}

void frmCommandsEditor::AppendCurrentCommand() {
    if (!CommandEditorOk) return;
    WorkingCommands->Add(CurrentCommand, -1, -1);
    CurrentCommand = nullptr;
    RefreshList();
    lstItems->SetListIndex(lstItems->ListCount() - 1);
}

void frmCommandsEditor::Press(Button& button) { platform::FormTools().PressButton(button.hWnd()); }

}  // namespace ui
