// The menu window: layout and placement, and every row of its key table.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/SharedCommands.h"
#include "platform/WinConstants.h"
#include "platform/headless/HeadlessKeyboard.h"
#include "platform/components/CSettings.h"
#include "platform/support/FileNames.h"
#include "platform/texts/Texts.h"
#include "support/FormFixture.h"
#include "ui/ItemIcons.h"
#include "ui/headless/HeadlessControls.h"
#include "ui/menu/frmMain.h"

namespace {

using platform::kAltMask;
using platform::kCtrlMask;
using platform::kShiftMask;
namespace vk = platform::vk;
using testsupport::MenuItemText;
using ui::HeadlessForm;
using ui::TwipsRect;
using Texts = std::vector<std::wstring>;

class frmMainTest : public testsupport::FormTest {
protected:
    void SetUp() override {
        menu = WriteMenu(L"Tools.Larkspur", L"Инструменты",
                         {{L"Блокнот", L"notepad.exe"}, {L"Консоль", L"cmd.exe"}});
        OpenMenu(menu);
    }

    int SelectedRow(HeadlessForm& form) { return form.Get<ui::ListControl>(L"lstItems").ListIndex(); }

    std::wstring menu;
};

TEST_F(frmMainTest, ShowsTheTitleAsCaptionAndTheItemsAsRowsWithTheFirstSelected) {
    HeadlessForm& form = ShowMainWindow();
    EXPECT_EQ(form.Caption(), L"Инструменты");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Блокнот", L"Консоль"}));
    EXPECT_EQ(SelectedRow(form), 0);
    EXPECT_EQ(form.FocusedName(), L"lstItems");
    EXPECT_EQ(form.iconResource, L"IDI_CD_PLAYER");
}

TEST_F(frmMainTest, EachRowShowsTheIconOfWhatItsItemStartsFromTheMenuFolder) {
    HeadlessForm& form = ShowMainWindow();
    const std::wstring folder = platform::esGetFilePath(menu);
    EXPECT_EQ(form.Get<ui::HeadlessListBox>(L"lstItems").RowTargets(),
              (std::vector<platform::ShellTarget>{{L"notepad.exe", L"", folder},
                                                  {L"cmd.exe", L"", folder}}));
}

TEST_F(frmMainTest, TheUserCanTurnTheIconsOff) {
    platform::CSettings().WriteValue(ui::kIconsSection, ui::kIconsValue, 0, L"0", app, true, 0);
    HeadlessForm& form = ShowMainWindow();
    EXPECT_FALSE(form.Get<ui::HeadlessListBox>(L"lstItems").ShowsIcons());
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Блокнот", L"Консоль"}));
}

TEST_F(frmMainTest, AMenuWithoutItemsShowsAnEmptyListAndEnterDoesNothing) {
    OpenMenu(WriteMenu(L"Empty.Larkspur", L"Пусто", {}));
    HeadlessForm& form = ShowMainWindow();
    EXPECT_EQ(form.Caption(), L"Пусто");
    EXPECT_TRUE(Rows(form, L"lstItems").empty());
    EXPECT_EQ(SelectedRow(form), -1);
    form.PressKey(vk::Return);
    form.DoubleClick(L"lstItems", -1);
    EXPECT_TRUE(env.shell.Calls().empty());
    EXPECT_TRUE(form.IsLoaded());
}

TEST_F(frmMainTest, OpensAtTheDefaultSizeCentredOnTheWorkArea) {
    HeadlessForm& form = ShowMainWindow();
    EXPECT_EQ(form.ScaleWidth(), 3575);
    EXPECT_EQ(form.ScaleHeight(), 3410);
    const platform::PixelRect rect = form.ScreenRect();
    const platform::PixelRect area = platform::HeadlessWindowSystem::DefaultMonitor().workArea;
    EXPECT_NEAR(rect.left + rect.Width() / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR(rect.top + rect.Height() / 2, (area.top + area.bottom) / 2, 1);
}

TEST_F(frmMainTest, ResizingKeepsTheListAHundredTwipsFromEveryEdge) {
    HeadlessForm& form = ShowMainWindow();
    TwipsRect bounds = form.Bounds();
    bounds.width += 1500;
    bounds.height += 750;
    form.Move(bounds);
    EXPECT_EQ(form.Get<ui::HeadlessListBox>(L"lstItems").Bounds(),
              (TwipsRect{100, 100, form.ScaleWidth() - 200, form.ScaleHeight() - 200}));
    EXPECT_EQ(form.Get<ui::HeadlessShape>(L"shpBack").Bounds(),
              (TwipsRect{-120, -120, 1215, form.ScaleHeight() + 240}));
}

TEST_F(frmMainTest, AWindowSmallerThanItsMarginsStillAdjustsTheBackground) {
    HeadlessForm& form = ShowMainWindow();
    const TwipsRect listBefore = form.Get<ui::HeadlessListBox>(L"lstItems").Bounds();
    TwipsRect bounds = form.Bounds();
    bounds.width = bounds.width - form.ScaleWidth() + 150;
    bounds.height = bounds.height - form.ScaleHeight() + 150;
    form.Move(bounds);
    EXPECT_EQ(form.ScaleHeight(), 150);
    EXPECT_EQ(form.Get<ui::HeadlessListBox>(L"lstItems").Bounds(), listBefore);
    EXPECT_EQ(form.Get<ui::HeadlessShape>(L"shpBack").Bounds().height, 390);
}

TEST_F(frmMainTest, EnterRunsTheSelectedItemFromTheMenuFolderAndCloses) {
    HeadlessForm& form = ShowMainWindow();
    form.SelectRow(L"lstItems", 1);
    form.PressKey(vk::Return);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    const platform::ShellCall& call = env.shell.Calls()[0];
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, L"cmd.exe");
    EXPECT_EQ(call.showCommand, platform::kSwShowDefault);
    EXPECT_EQ(std::filesystem::current_path(), temp.Path());
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(frmMainTest, DoubleClickRunsTheRowClicked) {
    HeadlessForm& form = ShowMainWindow();
    form.DoubleClick(L"lstItems", 1);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].file, L"cmd.exe");
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(frmMainTest, ShiftHeldWhileRunningKeepsTheWindowOpen) {
    HeadlessForm& form = ShowMainWindow();
    {
        platform::HeldModifiers shift(env.keyboard, kShiftMask);
        form.PressKey(vk::Return, kShiftMask);
        form.DoubleClick(L"lstItems", 1, kShiftMask);
    }
    EXPECT_EQ(env.shell.Calls().size(), 2u);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(SelectedRow(form), 1);
}

TEST_F(frmMainTest, EnterWithCtrlOrAltStillRuns) {
    HeadlessForm& form = ShowMainWindow();
    {
        platform::HeldModifiers ctrl(env.keyboard, kCtrlMask);
        form.PressKey(vk::Return, kCtrlMask);
    }
    EXPECT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(frmMainTest, AFailedRunTellsWhyAndKeepsTheWindow) {
    HeadlessForm& form = ShowMainWindow();
    env.shell.FailNextExecute(2);
    env.shell.SetSystemErrorText(2, L"Не удается найти указанный файл.");
    form.PressKey(vk::Return);
    EXPECT_TRUE(form.IsLoaded());
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text,
              L"notepad.exe\r\n\r\nНе удалось запустить элемент меню.\r\n\r\n"
              L"Не удается найти указанный файл.");
}

TEST_F(frmMainTest, EscClosesAndStoresThePlacement) {
    HeadlessForm& form = ShowMainWindow();
    form.PressKey(vk::Escape);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(env.settings
                    .Read(L"Software\\Brindle\\ShowLarkspur\\Window Placements", menu)
                    .has_value());
}

TEST_F(frmMainTest, KeysWithOtherModifiersDoNothing) {
    HeadlessForm& form = ShowMainWindow();
    model::Commands().Title(L"Изменено в памяти");
    for (int key : {vk::F1, vk::F3, vk::F4, vk::F5, vk::Escape}) {
        for (int shift : {kCtrlMask, kAltMask, kShiftMask | kCtrlMask}) form.PressKey(key, shift);
    }
    form.PressKey(vk::F5, kShiftMask);
    form.PressKey(vk::Escape, kShiftMask);
    form.PressKey(vk::F5 + 1);  // F6 has no action
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.Caption(), L"Инструменты");
    EXPECT_TRUE(env.shell.Calls().empty());
    EXPECT_TRUE(env.dialogs.FileDialogs().empty());
    EXPECT_TRUE(env.dialogs.AboutBoxes().empty());
}

TEST_F(frmMainTest, F5RebuildsFromMemoryWithoutReadingTheFile) {
    HeadlessForm& form = ShowMainWindow();
    form.SelectRow(L"lstItems", 1);
    WriteMenu(L"Tools.Larkspur", L"На диске", {{L"Другое", L"x.exe"}});
    model::Commands().Title(L"В памяти");
    model::Commands().Remove(0);
    form.PressKey(vk::F5);
    EXPECT_EQ(form.Caption(), L"В памяти");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Консоль"}));
    EXPECT_EQ(SelectedRow(form), 0);
}

TEST_F(frmMainTest, F1OpensTheReadMeBesideTheExecutable) {
    HeadlessForm& form = ShowMainWindow();
    form.PressKey(vk::F1);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].file, (temp.Path() / L"bin" / L"ReadMe.TXT").wstring());
    EXPECT_TRUE(form.IsLoaded());
}

TEST_F(frmMainTest, F1OpensTheReadMeOfTheInterfacesLanguage) {
    platform::UseLanguage(platform::PickLanguage(L"en", L""));
    HeadlessForm& form = ShowMainWindow();
    form.PressKey(vk::F1);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].file, (temp.Path() / L"bin" / L"ReadMe.en.TXT").wstring());
}

TEST_F(frmMainTest, ShiftF1ShowsTheAboutBoxWithTheDedication) {
    HeadlessForm& form = ShowMainWindow();
    form.PressKey(vk::F1, kShiftMask);
    ASSERT_EQ(env.dialogs.AboutBoxes().size(), 1u);
    const platform::AboutRecord& about = env.dialogs.AboutBoxes()[0];
    EXPECT_EQ(about.owner, form.hWnd());
    EXPECT_NE(about.text.find(L"3.02.0046"), std::wstring::npos);
    EXPECT_NE(about.text.find(L"Посвящается всем, кто любит живокость."), std::wstring::npos);
}

TEST_F(frmMainTest, ShiftF4OpensTheMenuFileForEditingAndCloses) {
    HeadlessForm& form = ShowMainWindow();
    form.PressKey(vk::F4, kShiftMask);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].verb, L"edit");
    EXPECT_EQ(env.shell.Calls()[0].file, menu);
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(frmMainTest, ShiftF4ThatFailsKeepsTheWindow) {
    HeadlessForm& form = ShowMainWindow();
    env.shell.FailNextExecute(1155);
    form.PressKey(vk::F4, kShiftMask);
    EXPECT_TRUE(form.IsLoaded());
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_NE(env.dialogs.Messages()[0].text.find(L"Не удаётся открыть файл для редактирования."),
              std::wstring::npos);
}

TEST_F(frmMainTest, F4WithoutSavingLeavesTheListAndSelectionAndComesToTheFront) {
    HeadlessForm& form = ShowMainWindow();
    form.SelectRow(L"lstItems", 1);
    toolkit.OnModal(L"frmCommandsEditor", [](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"Не сохранено");
        editor.PressKey(vk::Escape);
    });
    form.PressKey(vk::F4);
    EXPECT_EQ(form.Caption(), L"Инструменты");
    EXPECT_EQ(SelectedRow(form), 1);
    EXPECT_FALSE(model::Commands().Updated());
    ASSERT_FALSE(env.windows.ForegroundRequests().empty());
    EXPECT_EQ(env.windows.ForegroundRequests().back(), form.hWnd());
}

TEST_F(frmMainTest, F4ThenSaveRebuildsTheListFromTheSavedMenu) {
    HeadlessForm& form = ShowMainWindow();
    toolkit.OnModal(L"frmCommandsEditor", [](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"Новое имя");
        editor.SelectRow(L"lstItems", 1);
        editor.PressKey(vk::R, kCtrlMask);
        editor.Click(L"cmdSave");
    });
    form.PressKey(vk::F4);
    EXPECT_EQ(form.Caption(), L"Новое имя");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Блокнот"}));
    EXPECT_TRUE(model::Commands().Updated());
}

class frmMainOpenFileTest : public frmMainTest {
protected:
    static constexpr wchar_t kPaths[] = L"Software\\Brindle\\ShowLarkspur\\OFN Paths";
    static constexpr wchar_t kPlacements[] = L"Software\\Brindle\\ShowLarkspur\\Window Placements";
};

TEST_F(frmMainOpenFileTest, F3StartsInTheRememberedFolderWithoutAName) {
    env.settings.Write(kPaths, L"Last open Larkspur directory", temp.Path().wstring());
    HeadlessForm& form = ShowMainWindow();
    env.dialogs.CancelFileDialog();
    form.PressKey(vk::F3);
    ASSERT_EQ(env.dialogs.FileDialogs().size(), 1u);
    const platform::FileDialogRecord& dialog = env.dialogs.FileDialogs()[0];
    EXPECT_EQ(dialog.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(dialog.request.filter, L"Файлы Larkspur|*.Larkspur|Все файлы|*.*");
    EXPECT_EQ(dialog.request.filterIndex, 0);
    EXPECT_EQ(dialog.request.initDir, temp.Path().wstring());
    EXPECT_EQ(dialog.request.fileName, L"");
    EXPECT_EQ(dialog.request.owner, form.hWnd());
}

TEST_F(frmMainOpenFileTest, ShiftF3StartsWithTheCurrentMenuFileName) {
    HeadlessForm& form = ShowMainWindow();
    env.dialogs.CancelFileDialog();
    form.PressKey(vk::F3, kShiftMask);
    ASSERT_EQ(env.dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(env.dialogs.FileDialogs()[0].request.fileName, menu);
}

TEST_F(frmMainOpenFileTest, ACancelledDialogChangesNothing) {
    HeadlessForm& form = ShowMainWindow();
    env.dialogs.CancelFileDialog();
    form.PressKey(vk::F3);
    EXPECT_EQ(form.Caption(), L"Инструменты");
    EXPECT_EQ(model::Commands().ConfigFileName(), menu);
    EXPECT_FALSE(env.settings.Read(kPaths, L"Last open Larkspur directory").has_value());
    EXPECT_FALSE(env.settings.Read(kPlacements, menu).has_value());
}

TEST_F(frmMainOpenFileTest, ChoosingAFileSwitchesTheWindowAndRemembersItsFolder) {
    const std::wstring other = WriteMenu(L"Games.Larkspur", L"Игры", {{L"Сапёр", L"mine.exe"}});
    HeadlessForm& form = ShowMainWindow();
    env.dialogs.ChooseFile(other);
    form.PressKey(vk::F3);
    EXPECT_EQ(form.Caption(), L"Игры");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Сапёр"}));
    EXPECT_EQ(SelectedRow(form), 0);
    EXPECT_EQ(model::Commands().ConfigFileName(), other);
    EXPECT_EQ(env.settings.Read(kPaths, L"Last open Larkspur directory"), temp.Path().wstring());
    EXPECT_TRUE(env.settings.Read(kPlacements, menu).has_value());  // stored for the menu left
}

TEST_F(frmMainOpenFileTest, EachMenuFileKeepsItsOwnPlacement) {
    const std::wstring other = WriteMenu(L"Games.Larkspur", L"Игры", {{L"Сапёр", L"mine.exe"}});
    HeadlessForm& form = ShowMainWindow();
    const platform::PixelRect first{100, 120, 400, 520};
    form.SetScreenRect(first);
    env.dialogs.ChooseFile(other);
    form.PressKey(vk::F3);  // first seen: default size, place kept
    EXPECT_EQ(form.ScaleWidth(), 3575);
    const platform::PixelRect second{600, 300, 1000, 900};
    form.SetScreenRect(second);
    form.PressKey(vk::Escape);

    OpenMenu(menu);
    ui::ReleaseMainForm();
    EXPECT_EQ(ShowMainWindow().ScreenRect(), first);
    toolkit.FormNamed(L"frmMain").PressKey(vk::Escape);

    OpenMenu(other);
    ui::ReleaseMainForm();
    EXPECT_EQ(ShowMainWindow().ScreenRect(), second);
}

TEST_F(frmMainTest, TypedCharactersFindARowUntilAPauseAndEnterRunsIt) {
    OpenMenu(WriteMenu(L"Long.Larkspur", L"Длинное",
                       {{L"Блокнот", L"notepad.exe"}, {L"Командная строка", L"cmd.exe"},
                        {L"Корзина", L"shell:RecycleBinFolder"}}));
    HeadlessForm& form = ShowMainWindow();
    form.Type(L"lstItems", L"КОР");
    EXPECT_EQ(SelectedRow(form), 2);
    toolkit.LetTimePass(900);
    form.Type(L"lstItems", L"з");
    EXPECT_EQ(SelectedRow(form), 2);
    toolkit.LetTimePass(1100);
    form.Type(L"lstItems", L"стр");  // a new search: a word of a title
    EXPECT_EQ(SelectedRow(form), 1);
    form.PressKey(vk::Return);
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].file, L"cmd.exe");
}

TEST_F(frmMainOpenFileTest, OneMenuFileDroppedOpensAsF3WouldAndOtherDropsAreIgnored) {
    const std::wstring other = WriteMenu(L"Games.larkspur", L"Игры", {{L"Сапёр", L"mine.exe"}});
    const std::wstring document = temp.File(L"notes.txt");
    testsupport::WriteFileBytes(document, "text");
    const std::wstring unreadable = temp.File(L"Folder.Larkspur");
    std::filesystem::create_directory(unreadable);
    HeadlessForm& form = ShowMainWindow();
    form.DropFiles(L"lstItems", {document}, 0);
    form.DropFiles(L"lstItems", {other, other}, 0);
    form.DropFiles(L"lstItems", {unreadable}, 0);
    EXPECT_EQ(form.Caption(), L"Инструменты");
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);  // the unreadable menu's refusal
    EXPECT_EQ(env.dialogs.Messages()[0].text.find(unreadable), 0u);
    form.DropFiles(L"lstItems", {other}, 2);
    EXPECT_EQ(form.Caption(), L"Игры");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Сапёр"}));
    EXPECT_EQ(model::Commands().ConfigFileName(), other);
    EXPECT_TRUE(env.settings.Read(kPlacements, menu).has_value());  // stored for the menu left
}

TEST_F(frmMainTest, PlacementKeyIsTheFullPathWithWildcardsReplaced) {
    model::Commands().ConfigFileName(L"C:\\a*b?c.Larkspur");
    EXPECT_EQ(ui::MainForm().PlacementKey(), L"C:\\a:b:c.Larkspur");
}

TEST_F(frmMainTest, AStoredSizeWithNoRoomForTheListComesBackAtTheDefaultSize) {
    for (const wchar_t* stored :
         {L"300,200,330,250,1,96", L"300,200,700,245,1,96", L"300,200,330,600,1,96"}) {
        env.settings.Write(L"Software\\Brindle\\ShowLarkspur\\Window Placements", menu, stored);
        HeadlessForm& form = ShowMainWindow();
        EXPECT_EQ(form.ScaleWidth(), 3575) << stored;
        EXPECT_EQ(form.ScaleHeight(), 3410) << stored;
        form.PressKey(vk::Escape);
        ui::ReleaseMainForm();
    }
}

TEST_F(frmMainTest, AStoredPlacementOffEveryMonitorIsBroughtBack) {
    env.settings.Write(L"Software\\Brindle\\ShowLarkspur\\Window Placements", menu,
                       L"5000,4000,5300,4400,1,96");
    HeadlessForm& form = ShowMainWindow();
    const platform::PixelRect rect = form.ScreenRect();
    const platform::PixelRect area = platform::HeadlessWindowSystem::DefaultMonitor().workArea;
    EXPECT_EQ(rect.Width(), 300);
    EXPECT_EQ(rect.Height(), 400);
    EXPECT_LE(rect.right, area.right);
    EXPECT_LE(rect.bottom, area.bottom);
}

}  // namespace
