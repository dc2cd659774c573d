#include "ui/menu/frmMain.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "model/CCommands.h"
#include "model/SharedCommands.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/CFormTools.h"
#include "platform/components/CSettings.h"
#include "platform/support/FileNames.h"
#include "platform/support/Session.h"
#include "platform/support/WindowHelpers.h"
#include "platform/text/CaseFold.h"
#include "platform/texts/Texts.h"
#include "ui/FileChoice.h"
#include "ui/ItemIcons.h"
#include "ui/editors/frmCommandsEditor.h"

namespace ui {

namespace {

constexpr int kListWidth = 3375;
constexpr int kListHeight = 3210;
constexpr int kMargin = 100;
constexpr int kSmallestList = 240;  // one row of the 9-point font and the list's border
constexpr wchar_t kPlacementSection[] = L"Window Placements";

std::unique_ptr<frmMain>& MainFormSlot() {
    static std::unique_ptr<frmMain> instance;
    return instance;
}

}  // namespace

frmMain::frmMain()
    : form_(Tk().CreateForm(FormSpec{.name = L"frmMain",
                                     .caption = L"",
                                     .clientWidth = kListWidth + 2 * kMargin,
                                     .clientHeight = kListHeight + 2 * kMargin,
                                     .style = FormStyle::Sizable,
                                     .keyPreview = true})) {
    lstItems = &form_->AddListBox(
        {.name = L"lstItems", .bounds = {kMargin, kMargin, kListWidth, kListHeight}});
    shpBack = &form_->AddShape({.name = L"shpBack", .bounds = {-120, -120, 1215, 3650}});

    form_->Load = [this] { Form_Load(); };
    form_->Resize = [this] { Form_Resize(); };
    form_->Paint = [this] { Form_Paint(); };
    form_->UnloadEvent = [this] { Form_Unload(); };
    form_->KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    lstItems->KeyDown = [this](int& keyCode, int shift) { lstItems_KeyDown(keyCode, shift); };
    lstItems->DblClick = [this] { lstItems_DblClick(); };
    lstItems->FilesDropped = [this](const std::vector<std::wstring>& files, int row) {
        lstItems_FilesDropped(files, row);
    };
}

void frmMain::Show() {
    form_->Show();
    GiveDueTargets();
}

void frmMain::Form_Load() {
    SetDefaultSize();
    platform::asCenterFormEx(form_->hWnd());
    platform::asSetWindowResIconAll(form_->hWnd(), L"IDI_CD_PLAYER");
    platform::asFixUserControlsContainerWindow();
    RestorePlacement();
    RefreshMenu();
}

// A window made smaller than the margins cannot hold the list; each step is tried on its own.
void frmMain::Form_Resize() {
    try {
        lstItems->Move({kMargin, kMargin, form_->ScaleWidth() - 2 * kMargin,
                        form_->ScaleHeight() - 2 * kMargin});
    } catch (const std::exception&) {
    }
    try {
        TwipsRect back = shpBack->Bounds();
        back.height = 2 * std::abs(back.top) + form_->ScaleHeight();
        shpBack->Move(back);
    } catch (const std::exception&) {
    }
}

void frmMain::Form_Paint() { platform::asPaintDesktop2(form_->hWnd()); }

void frmMain::Form_Unload() { SavePlacement(); }

void frmMain::Form_KeyDown(int& KeyCode, int Shift) {
    namespace vk = platform::vk;
    const bool plain = Shift == 0;
    const bool shifted = Shift == platform::kShiftMask;
    const platform::WindowHandle window = form_->hWnd();
    switch (KeyCode) {
        case vk::F1:
            if (plain) platform::esOpenReadMeFile(0);
            if (shifted) {
                platform::FormTools().ShowAbout(window, platform::App(), L"", nullptr,
                                                platform::Text(IDS_ABOUT_DEDICATION));
            }
            break;
        case vk::F3:
            if (plain || shifted) OpenMenuFile(shifted);
            break;
        case vk::F4:
            if (plain) EditMenu();
            if (shifted && model::Commands().OpenConfigFile()) platform::asUnloadForm(window);
            break;
        case vk::F5:
            if (plain) RefreshMenu();
            break;
        case vk::Escape:
            if (plain) platform::asUnloadForm(window);
            break;
        default:
            break;
    }
}

void frmMain::lstItems_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode == platform::vk::Return) lstItems_DblClick();
}

void frmMain::lstItems_DblClick() {
    const int row = lstItems->ListIndex();
    if (row < 0) return;
    const bool shiftHeld = platform::esIsKeyPressed(platform::vk::Shift);
    model::CCommands& commands = model::Commands();
    const std::wstring menuFile = commands.ConfigFileName();
    if (commands.Item(row)->RunItem(menuFile) && !shiftHeld) {
        platform::asUnloadForm(form_->hWnd());
    }
}

// One menu file opens as F3 would open it; every other drop is ignored.
void frmMain::lstItems_FilesDropped(const std::vector<std::wstring>& files, int row) {
    if (files.size() == 1 && platform::text::EndsWithIgnoringCase(files.front(), L".Larkspur")) {
        OpenMenu(files.front());
    }
}

void frmMain::SetDefaultSize() {
    TwipsRect bounds = form_->Bounds();
    bounds.width = (bounds.width - form_->ScaleWidth()) + kListWidth + 2 * kMargin;
    bounds.height = (bounds.height - form_->ScaleHeight()) + kListHeight + 2 * kMargin;
    form_->Move(bounds);
}

// A stored size too small to show the list (a damaged setting, or a window dragged to its
// smallest) comes back at the default size.
void frmMain::RestorePlacement() {
    if (model::Commands().ConfigFileName().empty()) return;
    platform::CSettings settings;
    if (!settings.RestoreWindowPlacement(kPlacementSection, PlacementKey(), form_->hWnd(),
                                         platform::App(), 0, 0, 0, true) ||
        form_->ScaleWidth() < 2 * kMargin + kSmallestList ||
        form_->ScaleHeight() < 2 * kMargin + kSmallestList) {
        SetDefaultSize();
    }
}

void frmMain::SavePlacement() {
    if (model::Commands().ConfigFileName().empty()) return;
    platform::CSettings settings;
    settings.SaveWindowPlacement(kPlacementSection, PlacementKey(), form_->hWnd(),
                                 platform::App(), true);
}

std::wstring frmMain::PlacementKey() const {
    std::wstring key = model::Commands().ConfigFileName();
    std::replace(key.begin(), key.end(), L'*', L':');
    std::replace(key.begin(), key.end(), L'?', L':');
    return key;
}

void frmMain::RefreshMenu() {
    model::CCommands& commands = model::Commands();
    if (commands.ConfigFileName().empty()) {
        form_->SetCaption(platform::Text(IDS_MENU_UNTITLED));
        form_->Show();
        Tk().DoEvents();
        EditMenu();
        if (model::Commands().ConfigFileName().empty()) platform::asUnloadForm(form_->hWnd());
        return;
    }
    form_->SetCaption(commands.Title());
    lstItems->Clear();
    std::vector<std::wstring> titles;
    titles.reserve(static_cast<size_t>(commands.Count()));
    for (int position = 0; position < commands.Count(); ++position) {
        titles.push_back(commands.Item(position)->Title());
    }
    lstItems->AddItems(titles);
    // The rows hold their icons' room from the first paint on; their targets, three texts an
    // item, are given once the window shows.
    targetsDue_ = ItemIconsWanted();
    if (targetsDue_) {
        lstItems->SetRowTargets({});
        if (form_->IsVisible()) GiveDueTargets();
    }
    if (lstItems->ListCount() > 0) lstItems->SetListIndex(0);
}

void frmMain::GiveDueTargets() {
    if (!targetsDue_) return;
    targetsDue_ = false;
    GiveItemTargets(*lstItems, model::Commands());
}

void frmMain::EditMenu() {
    model::Commands().Updated(false);
    {
        frmCommandsEditor editor;
        editor.ShowModal();
    }
    if (model::Commands().Updated()) RefreshMenu();
    platform::Env().windows.SetForeground(form_->hWnd());
}

void frmMain::OpenMenuFile(bool UseCurrentName) {
    const std::wstring chosen = ChooseFileToOpen(
        {.rememberedFolderValue = kMenuFolderValue,
         .filter = platform::Text(IDS_MENU_FILE_FILTER),
         .fileName = UseCurrentName ? model::Commands().ConfigFileName() : L""});
    if (chosen.empty()) return;
    OpenMenu(chosen);
}

void frmMain::OpenMenu(const std::wstring& fileName) {
    auto commands = std::make_shared<model::CCommands>();
    commands->ConfigFileName(platform::esGetFullFileName(fileName, true));
    // A file that cannot be read leaves the menu shown as it was; LoadItems has told why.
    if (!commands->LoadItems()) return;
    SavePlacement();
    model::SetCommands(commands);
    RestorePlacement();
    RefreshMenu();
}

frmMain& MainForm() {
    std::unique_ptr<frmMain>& slot = MainFormSlot();
    if (!slot) slot = std::make_unique<frmMain>();
    return *slot;
}

void ReleaseMainForm() { MainFormSlot().reset(); }

}  // namespace ui
