// The history lists, the settings store and the command line, on the headless environment.
#include <gtest/gtest.h>

#include "platform/CommandLine.h"
#include "platform/components/CFileDialog.h"
#include "platform/components/CFolderBrowser.h"
#include "platform/components/CHistory.h"
#include "platform/components/CSettings.h"
#include "support/HeadlessFixture.h"

namespace {

using Texts = std::vector<std::wstring>;

class CHistoryTest : public testsupport::HeadlessTest {
protected:
    platform::CHistory Load() {
        platform::CHistory history;
        history.Init(L"Title History.DAT", L"", app, L"", 0);
        history.LoadEntries();
        return history;
    }
};

TEST_F(CHistoryTest, KeepsTheMostRecentFirstWithoutEmptiesOrRepeats) {
    platform::CHistory history = Load();
    for (const wchar_t* entry : {L"один", L"", L"два", L"три", L"один"}) history.AddEntry(entry);
    EXPECT_EQ(history.Entries(), (Texts{L"один", L"три", L"два"}));
}

TEST_F(CHistoryTest, KeepsAtMostTwentyFiveEntries) {
    platform::CHistory history = Load();
    for (int i = 0; i < 30; ++i) history.AddEntry(std::to_wstring(i));
    ASSERT_EQ(history.Entries().size(), platform::CHistory::MaxEntries);
    EXPECT_EQ(history.Entries().front(), L"29");
    EXPECT_EQ(history.Entries().back(), L"5");
}

TEST_F(CHistoryTest, SavedEntriesComeBackInTheirOrderFromTheDataFolder) {
    platform::CHistory history = Load();
    history.AddEntry(L"старое");
    history.AddEntry(L"новое");
    history.SaveEntries();
    EXPECT_EQ(history.FilePath(),
              (std::filesystem::path(app.DataFolder) / L"Title History.DAT").wstring());
    EXPECT_EQ(Load().Entries(), (Texts{L"новое", L"старое"}));
}

// Another instance saved its entries while this one was open: this one's new entries go first,
// the other's follow in their order, cut at 25.
TEST_F(CHistoryTest, ASaveMergesWithWhatAnotherInstanceSavedMeanwhile) {
    platform::CHistory mine = Load();
    platform::CHistory other = Load();
    for (int i = 24; i >= 0; --i) other.AddEntry(std::to_wstring(i));
    other.SaveEntries();
    mine.AddEntry(L"моё");
    mine.SaveEntries();
    const Texts merged = Load().Entries();
    ASSERT_EQ(merged.size(), platform::CHistory::MaxEntries);
    EXPECT_EQ(merged.front(), L"моё");
    EXPECT_EQ(merged[1], L"0");
    EXPECT_EQ(merged.back(), L"23");
}

TEST_F(CHistoryTest, AnEntryCannotSplitIntoTwoLines) {
    platform::CHistory history = Load();
    history.AddEntry(L"a\r\nb");
    history.SaveEntries();
    EXPECT_EQ(Load().Entries(), (Texts{L"a  b"}));
}

TEST_F(CHistoryTest, ADamagedFileReadsAsWhatCanBeRead) {
    std::filesystem::create_directories(app.DataFolder);
    // Invalid bytes, a repeated entry, an empty line and a character cut off at the end.
    testsupport::WriteFileBytes(std::filesystem::path(app.DataFolder) / L"Title History.DAT",
                                "\xEF\xBB\xBFgood\r\n\xFF\xFE bad\r\n\r\ngood\n"
                                "\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xB5\xD1\x86\xD0");
    const Texts entries = Load().Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], L"good");
    EXPECT_NE(entries[1].find(L" bad"), std::wstring::npos);
    EXPECT_EQ(entries[2].substr(0, 5), L"конец");
}

TEST_F(CHistoryTest, AHugeFileIsReadOnlyUpToItsFirstEntriesAndABound) {
    std::filesystem::create_directories(app.DataFolder);
    const auto file = std::filesystem::path(app.DataFolder) / L"Title History.DAT";
    std::string lines;
    for (int i = 0; i < 30; ++i) lines += std::to_string(i) + "\r\n";
    testsupport::WriteFileBytes(file, lines);
    EXPECT_EQ(Load().Entries().size(), platform::CHistory::MaxEntries);
    // A line that runs past the bound is cut there: it is not an entry, nor is what follows.
    testsupport::WriteFileBytes(file, "first\r\n" + std::string(5 << 20, 'x') + "\r\nlast\r\n");
    EXPECT_EQ(Load().Entries(), (Texts{L"first"}));
}

TEST_F(CHistoryTest, AnOverlongEntryIsShownShortenedAndPickedWhole) {
    const std::wstring longEntry(1 << 20, L'ж');
    platform::CHistory history = Load();
    history.AddEntry(longEntry);
    platform::HeadlessPlainWindow& box = env.NewWindow({0, 0, 100, 20});
    env.dialogs.PickPopupEntry(0);
    history.ShowEntries(box.Handle());
    const std::wstring shown = env.dialogs.PopupMenus().at(0).entries.at(0);
    EXPECT_EQ(shown, std::wstring(259, L'ж') + L"\u2026");
    EXPECT_EQ(box.WindowText(), longEntry);
}

TEST_F(CHistoryTest, AMissingFileIsAnEmptyHistory) { EXPECT_TRUE(Load().Entries().empty()); }

TEST_F(CHistoryTest, ShowEntriesPutsThePickedEntryIntoTheTextBox) {
    platform::CHistory history = Load();
    history.AddEntry(L"первое");
    history.AddEntry(L"второе");
    platform::HeadlessPlainWindow& box = env.NewWindow({0, 0, 100, 20});
    env.dialogs.PickPopupEntry(1);
    history.ShowEntries(box.Handle());
    EXPECT_EQ(box.WindowText(), L"первое");
    EXPECT_EQ(env.dialogs.PopupMenus().at(0).anchor, box.Handle());
}

class CSettingsTest : public testsupport::HeadlessTest {
protected:
    platform::CSettings settings;
};

TEST_F(CSettingsTest, ValuesLiveUnderTheApplicationsKeyPerSection) {
    EXPECT_EQ(settings.ReadValue(L"OFN Paths", L"Last", 0, L"по умолчанию", app, true, 0),
              L"по умолчанию");
    EXPECT_TRUE(settings.WriteValue(L"OFN Paths", L"Last", 0, L"C:\\Папка", app, true, 0));
    EXPECT_EQ(settings.ReadValue(L"OFN Paths", L"Last", 0, L"", app, true, 0), L"C:\\Папка");
    EXPECT_EQ(env.settings.Read(L"Software\\Brindle\\ShowLarkspur\\OFN Paths", L"Last"),
              L"C:\\Папка");
}

TEST_F(CSettingsTest, APlacementComesBackWhereItWasTaken) {
    platform::HeadlessPlainWindow& window = env.NewWindow({100, 200, 500, 600});
    EXPECT_FALSE(settings.RestoreWindowPlacement(L"Window Placements", L"k", window.Handle(), app,
                                                 0, 0, 0, true));
    settings.SaveWindowPlacement(L"Window Placements", L"k", window.Handle(), app, true);
    window.SetScreenRect({0, 0, 50, 50});
    EXPECT_TRUE(settings.RestoreWindowPlacement(L"Window Placements", L"k", window.Handle(), app,
                                                0, 0, 0, true));
    EXPECT_EQ(window.ScreenRect(), (platform::PixelRect{100, 200, 500, 600}));
}

TEST_F(CSettingsTest, APlacementOnAMonitorThatIsGoneLandsOnOneThatExists) {
    platform::HeadlessPlainWindow& window = env.NewWindow({0, 0, 10, 10});
    env.settings.Write(L"Software\\Brindle\\ShowLarkspur\\Window Placements", L"k",
                       L"2500,100,2900,500,1,96");
    ASSERT_TRUE(settings.RestoreWindowPlacement(L"Window Placements", L"k", window.Handle(), app,
                                                0, 0, 0, true));
    EXPECT_EQ(window.ScreenRect(), (platform::PixelRect{1520, 100, 1920, 500}));
}

TEST_F(CSettingsTest, AnUnreadablePlacementIsIgnored) {
    platform::HeadlessPlainWindow& window = env.NewWindow({1, 2, 3, 4});
    for (const wchar_t* stored : {L"", L"garbage", L"1,2,3", L"10,10,5,5,1,96", L"1,2,30,40,1,96x"}) {
        env.settings.Write(L"Software\\Brindle\\ShowLarkspur\\Window Placements", L"k", stored);
        EXPECT_FALSE(settings.RestoreWindowPlacement(L"Window Placements", L"k", window.Handle(),
                                                     app, 0, 0, 0, true))
            << stored;
    }
    EXPECT_EQ(window.ScreenRect(), (platform::PixelRect{1, 2, 3, 4}));
}

// A damaged or hand-edited setting of a thousand characters crashed the dialogs.
TEST_F(CSettingsTest, ADialogStartsOnlyInAFolderThatExistsAndFitsItsLimit) {
    std::filesystem::path deep = temp.Path();
    while (deep.wstring().size() <= 259) deep /= std::wstring(60, L'd');
    std::filesystem::create_directories(deep);
    testsupport::WriteFileBytes(temp.Path() / "file.txt", "");
    const std::wstring folders[] = {temp.Path().wstring(), deep.wstring(), temp.File(L"file.txt"),
                                    temp.File(L"missing"), std::wstring(40000, L'a')};
    for (const std::wstring& folder : folders) {
        platform::CFileDialog files;
        files.InitDir = folder;
        files.ShowOpen();
        files.ShowSave();
        platform::CFolderBrowser browser;
        browser.Folder = folder;
        browser.Browse();
    }
    const std::wstring expected[] = {temp.Path().wstring(), L"", L"", L"", L""};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(env.dialogs.FileDialogs().at(2 * i).request.initDir, expected[i]) << i;
        EXPECT_EQ(env.dialogs.FileDialogs().at(2 * i + 1).request.initDir, expected[i]) << i;
        EXPECT_EQ(env.dialogs.FolderBrowsers().at(i).initialFolder, expected[i]) << i;
    }
}

TEST(CommandLineTest, TakesWhatFollowsTheProgramName) {
    EXPECT_EQ(platform::ArgumentsAfterProgramName(L"\"C:\\Program Files\\ShowLarkspur.exe\"  a b"),
              L"  a b");
    EXPECT_EQ(platform::ArgumentsAfterProgramName(L"ShowLarkspur.exe \"C:\\My Menus\\m.Larkspur\""),
              L" \"C:\\My Menus\\m.Larkspur\"");
    EXPECT_EQ(platform::ArgumentsAfterProgramName(L"ShowLarkspur"), L"");
    EXPECT_EQ(platform::ArgumentsAfterProgramName(L"\"unterminated name"), L"");
    EXPECT_EQ(platform::ArgumentsAfterProgramName(L""), L"");
}

}  // namespace
