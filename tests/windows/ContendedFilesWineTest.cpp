// Files that other programs hold or have grown: a menu locked by another program when it is
// opened, an old menu being read while a save replaces it, histories that another program
// holds, a history far larger than a history.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/modMain.h"
#include "model/CCommands.h"
#include "model/SharedCommands.h"
#include "platform/WinConstants.h"
#include "platform/components/CHistory.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"
#include "ui/editors/frmCommandEditor.h"
#include "ui/editors/frmCommandsEditor.h"
#include "Win32Fixture.h"

namespace {

using Texts = std::vector<std::wstring>;

// A file open in another program; with `share` 0 nobody else may open it meanwhile.
class HeldFile {
public:
    HeldFile(const std::wstring& path, DWORD share)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

class LockedMenuWine : public testsupport::FormTest {
protected:
    void SetUp() override {
        menu = WriteMenu(L"Заперто.Larkspur", L"Заперто", {{L"Один", L"one.exe"}});
        bytes = testsupport::ReadFileBytes(menu);
    }

    std::wstring UnreadableMessage() {
        return menu + L"\r\n\r\nНе удалось прочитать файл меню.\r\n\r\n" +
               env.shell.SystemErrorText(ERROR_SHARING_VIOLATION);
    }

    std::wstring menu;
    std::string bytes;
};

TEST_F(LockedMenuWine, AtStartUpItIsToldAndNoMenuWindowOpens) {
    HeldFile lock(menu, 0);
    ASSERT_TRUE(lock.Held());
    env.shell.SetCommandLineArguments(L"\"" + menu + L"\"");
    app::Main();
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text, UnreadableMessage());
    EXPECT_EQ(env.dialogs.Messages()[0].style, platform::kMbIconError | platform::kMbOk);
    EXPECT_EQ(toolkit.FindForm(L"frmMain"), nullptr);
    lock.Release();
    EXPECT_EQ(testsupport::ReadFileBytes(menu), bytes);
}

TEST_F(LockedMenuWine, OpenedWithF3ItIsToldAndTheMenuShownStays) {
    const std::wstring shown = WriteMenu(L"Открыто.Larkspur", L"Открыто", {{L"Два", L"two.exe"}});
    OpenMenu(shown);
    ui::HeadlessForm& form = ShowMainWindow();
    HeldFile lock(menu, 0);
    env.dialogs.ChooseFile(menu);
    form.PressKey(platform::vk::F3);
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text, UnreadableMessage());
    EXPECT_EQ(form.Caption(), L"Открыто");
    EXPECT_EQ(Rows(form, L"lstItems"), (Texts{L"Два"}));
    EXPECT_EQ(model::Commands().ConfigFileName(), shown);
    lock.Release();
    EXPECT_EQ(testsupport::ReadFileBytes(menu), bytes);
}

// A lock that ends within the retries is waited for: the menu opens as usual.
TEST_F(LockedMenuWine, ALockOfAMomentIsWaitedFor) {
    HeldFile lock(menu, 0);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        lock.Release();
    });
    model::CCommands& commands = OpenMenu(menu);
    release.join();
    EXPECT_TRUE(env.dialogs.Messages().empty());
    EXPECT_EQ(commands.Title(), L"Заперто");
}

// Wine refuses to replace a file that a reader has open even when it shares deletion, Windows
// when it does not: the save waits for the reader instead of failing.
TEST(SaveWhileReadWine, AReplaceRefusedByAReaderIsTriedAgain) {
    testsupport::TempFolder folder;
    model::CCommands menu;
    menu.ConfigFileName(folder.File(L"menu.Larkspur"));
    menu.Title(L"Первый");
    ASSERT_TRUE(menu.SaveItems());
    HeldFile reader(menu.ConfigFileName(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(reader.Held());
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        reader.Release();
    });
    menu.Title(L"Второй");
    const bool saved = menu.SaveItems();
    release.join();
    EXPECT_TRUE(saved);
    model::CCommands reread;
    reread.ConfigFileName(menu.ConfigFileName());
    reread.LoadItems();
    EXPECT_EQ(reread.Title(), L"Второй");
}

// The five histories of the command editor, held by another program for a second: the editor
// gives them up together after its one short limit (each waiting the full retry time of a menu
// would have read the first once released), and saves over none of them when it closes.
class LockedHistoriesWine : public testsupport::FormTest {};

TEST_F(LockedHistoriesWine, AreGivenUpTogetherAndNotSavedOver) {
    std::filesystem::create_directories(app.DataFolder);
    std::vector<std::unique_ptr<HeldFile>> locks;
    std::vector<std::wstring> files;
    const std::string entry = "\xEF\xBB\xBF" "запись\r\n";
    for (const wchar_t* name : {L"Title History.DAT", L"File Name History.DAT",
                                L"Operation History.DAT", L"Parameters History.DAT",
                                L"Directory History.DAT"}) {
        files.push_back((std::filesystem::path(app.DataFolder) / name).wstring());
        testsupport::WriteFileBytes(files.back(), entry);
        locks.push_back(std::make_unique<HeldFile>(files.back(), 0));
        ASSERT_TRUE(locks.back()->Held());
    }
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        for (auto& lock : locks) lock->Release();
    });
    ui::frmCommandsEditor menuEditor;
    ui::frmCommandEditor editor(menuEditor);
    toolkit.OnModal(L"frmCommandEditor", [&](ui::HeadlessForm& dialog) {
        for (auto history : {&editor.TitleHistory, &editor.FileNameHistory,
                             &editor.OperationHistory, &editor.ParametersHistory,
                             &editor.DirectoryHistory}) {
            EXPECT_TRUE((*history)->Entries().empty());
        }
        dialog.SetText(L"txtTitle", L"новое");
        dialog.SetText(L"txtFileName", L"new.exe");
        dialog.Click(L"cmdOk");
    });
    editor.ShowModal();
    release.join();
    for (const std::wstring& file : files) EXPECT_EQ(testsupport::ReadFileBytes(file), entry);
}

class HugeHistoryWine : public testsupport::Win32Test {};

// Seen with the whole entry as its text: the popup did not appear at all.
BOOL CALLBACK FindPopupMenu(HWND window, LPARAM found) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32768" && IsWindowVisible(window)) {
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

bool popupSeen = false;

void CALLBACK ClosePopupOnceSeen(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), FindPopupMenu, reinterpret_cast<LPARAM>(&popupSeen));
    if (popupSeen) {
        KillTimer(nullptr, timer);
        EndMenu();
    }
}

TEST_F(HugeHistoryWine, ItsFirstEntriesAreReadAndAMegabyteEntryGetsItsPopup) {
    testsupport::TempFolder folder;
    platform::Application app;
    app.DataFolder = folder.Path().wstring();
    std::string lines = std::string(1 << 20, 'x') + "\r\n";
    for (int i = 0; i < 30; ++i) lines += "запись " + std::to_string(i) + "\r\n";
    testsupport::WriteFileBytes(folder.Path() / L"File Name History.DAT",
                                lines + std::string(64 << 20, 'y'));
    platform::CHistory history;
    history.Init(L"File Name History.DAT", L"", app, L"", 0);
    history.LoadEntries();
    ASSERT_EQ(history.Entries().size(), platform::CHistory::MaxEntries);

    std::unique_ptr<ui::Form> form = MakeForm(ui::FormStyle::FixedDialog);
    form->Show();
    popupSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ClosePopupOnceSeen);
    history.ShowEntries(form->hWnd());
    KillTimer(nullptr, timer);
    EXPECT_TRUE(popupSeen);
    form->Unload();
}

}  // namespace
