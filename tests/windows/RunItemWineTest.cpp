// Starting items through the real shell. Message boxes are recorded instead of shown, so a
// refusal can be read back without a modal box stopping the test.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "model/CCommand.h"
#include "model/CCommands.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/win32/Win32Environment.h"
#include "support/HeadlessFixture.h"
#include "support/TempFolder.h"

namespace {

using model::CCommand;

const std::wstring kRefusal = L"Не удалось запустить элемент меню.";
const std::wstring kCannotEdit = L"Не удаётся открыть файл для редактирования.";

// The system's text for an error code, without the line break it ends with.
std::wstring SystemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                            FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                        nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

// The real window system, shell, keyboard and registry, with recorded dialogs.
class RunItemWine : public ::testing::Test {
protected:
    RunItemWine() : previousApp_(platform::App()) {
        platform::SetApp(testsupport::TestApplication(temp.Path()));
    }
    ~RunItemWine() override {
        // The folder cannot be removed while it is the current one.
        platform::files::ChangeCurrentFolder(startFolder_);
        platform::SetApp(previousApp_);
    }

    // A menu file in `folderName` inside the temporary folder.
    std::wstring MenuIn(const std::wstring& folderName) {
        const std::filesystem::path folder = temp.Path() / folderName;
        std::filesystem::create_directories(folder);
        const std::filesystem::path menu = folder / L"Меню.Larkspur";
        testsupport::WriteFileBytes(menu, "[Options]\r\nTitle=Tools\r\n");
        return menu.wstring();
    }

    static CCommand Command(const std::wstring& fileName, const std::wstring& parameters) {
        CCommand command;
        command.Title(L"Item");
        command.Operation(L"open");
        command.FileName(fileName);
        command.Parameters(parameters);
        command.ShowCommand(0);  // SW_HIDE: no console window
        return command;
    }

    // Waits a few seconds for the file to hold at least `size` bytes; its bytes then.
    static std::string WaitForFile(const std::filesystem::path& file, size_t size) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string bytes;
        while (std::chrono::steady_clock::now() < deadline) {
            bytes = testsupport::ReadFileBytes(file);
            if (bytes.size() >= size) {
                // Let the started program close it before the folder is removed.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                return testsupport::ReadFileBytes(file);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return bytes;
    }

    testsupport::TempFolder temp;
    platform::ScriptLog log;
    platform::HeadlessDialogs dialogs{log};

private:
    platform::Win32WindowSystem windows_;
    platform::Win32Shell shell_;
    platform::Win32Keyboard keyboard_;
    platform::Win32SettingsStore settings_;
    platform::Environment environment_{windows_, dialogs, shell_, keyboard_, settings_};
    platform::ScopedEnvironment scope_{environment_};
    std::wstring startFolder_ = platform::files::CurrentFolder();
    platform::Application previousApp_;
};

TEST_F(RunItemWine, StartsTheProgramInTheMenuFilesFolder) {
    const std::wstring menu = MenuIn(L"menus");
    EXPECT_TRUE(Command(L"cmd.exe", L"/c echo ok> marker.txt").RunItem(menu));
    EXPECT_EQ(WaitForFile(temp.Path() / L"menus" / L"marker.txt", 4), "ok\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());
}

// The Cyrillic text arrives as the name of the file cmd makes: what cmd writes into a file
// follows the console's code page, which depends on how the prefix was set up; a name does not.
TEST_F(RunItemWine, CyrillicParametersAndAFolderOutsideTheAnsiCodePageReachTheProgram) {
    const std::wstring menu = MenuIn(L"Папка меню Ω");
    EXPECT_TRUE(Command(L"cmd.exe", L"/c echo ok> \"файл привет.txt\"").RunItem(menu));
    EXPECT_EQ(WaitForFile(temp.Path() / L"Папка меню Ω" / L"файл привет.txt", 4), "ok\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());
}

// A menu handed to many machines names the program and the folder through variables. Windows
// expands them only when asked to (SEE_MASK_DOENVSUBST); Wine's shell always does.
TEST_F(RunItemWine, EnvironmentVariablesInTheFileNameAndTheDirectoryAreExpanded) {
    const std::wstring menu = MenuIn(L"menus");
    const std::filesystem::path work = temp.Path() / L"work";
    std::filesystem::create_directories(work);
    ASSERT_TRUE(SetEnvironmentVariableW(L"LARKSPUR_TEST_WORK", work.c_str()));
    CCommand command = Command(L"%SystemRoot%\\system32\\cmd.exe", L"/c echo ok> marker.txt");
    command.Directory(L"%LARKSPUR_TEST_WORK%");
    EXPECT_TRUE(command.RunItem(menu));
    EXPECT_EQ(WaitForFile(work / L"marker.txt", 4), "ok\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());
    SetEnvironmentVariableW(L"LARKSPUR_TEST_WORK", nullptr);
}

TEST_F(RunItemWine, MissingProgramIsRefusedWithTheFileNameAndTheSystemsReason) {
    const std::wstring menu = MenuIn(L"menus");
    const std::wstring program = L"нет такой программы.exe";
    EXPECT_FALSE(Command(program, L"").RunItem(menu));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = dialogs.Messages()[0];
    const std::wstring reason = SystemText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(message.text, program + L"\r\n\r\n" + kRefusal + L"\r\n\r\n" + reason);
    EXPECT_EQ(message.caption, L"Brindle - Show larkspur");
    EXPECT_EQ(message.style & 0xF0, platform::kMbIconError);
    EXPECT_TRUE(log.Failures().empty());
}

// Thirty folders deep, even the short (8.3) name is longer than a current folder may be: the
// item would start in whatever folder was current, so it is refused and nothing starts.
TEST_F(RunItemWine, AMenuFolderTooLongToBeTheCurrentOneStartsNothing) {
    std::wstring deep = temp.File(L"глубоко");
    for (int level = 0; level < 30; ++level) deep += L"\\Папка с длинным именем";
    ASSERT_TRUE(platform::files::CreateFolders(deep));
    const std::wstring elsewhere = temp.File(L"elsewhere");
    ASSERT_TRUE(platform::files::CreateFolders(elsewhere));
    ASSERT_EQ(platform::files::ChangeCurrentFolder(elsewhere), std::error_code());
    const std::wstring program = L"cmd.exe";
    EXPECT_FALSE(Command(program, L"/c echo ok> marker.txt").RunItem(deep + L"\\Меню.Larkspur"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, program + L"\r\n\r\n" + kRefusal + L"\r\n\r\n" +
                                              SystemText(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(platform::files::CurrentFolder(), elsewhere);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / L"elsewhere" / L"marker.txt"));

    // One that names its program and its working folder in full needs no current folder.
    CCommand full = Command(L"%SystemRoot%\\system32\\cmd.exe", L"/c echo ok> full.txt");
    full.Directory(elsewhere);
    EXPECT_TRUE(full.RunItem(deep + L"\\Меню.Larkspur"));
    EXPECT_EQ(WaitForFile(temp.Path() / L"elsewhere" / L"full.txt", 2), "ok\r\n");
}

TEST_F(RunItemWine, EditingAMissingMenuFileIsReported) {
    model::CCommands menu;
    menu.ConfigFileName((temp.Path() / L"нет такого меню.txt").wstring());
    EXPECT_FALSE(menu.OpenConfigFile());
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = dialogs.Messages()[0];
    EXPECT_EQ(message.text, kCannotEdit);
    EXPECT_EQ(message.caption, L"Brindle - Show larkspur");
    EXPECT_EQ(message.style, platform::kMbOk | platform::kMbIconError);
}

}  // namespace
