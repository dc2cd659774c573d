#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/CCommand.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "support/HeadlessFixture.h"

namespace {

using model::CCommand;

const std::wstring kRefusal = L"Не удалось запустить элемент меню.";

class CCommandRunItem : public testsupport::HeadlessTest {
protected:
    CCommandRunItem() {
        std::filesystem::create_directories(temp.Path() / "menus");
        std::filesystem::create_directories(temp.Path() / "elsewhere");
        platform::files::ChangeCurrentFolder(temp.File(L"elsewhere"));
        owner = env.NewWindow({0, 0, 300, 200}).Handle();
        env.Desktop()->SetActive(owner);
    }
    ~CCommandRunItem() override { platform::files::ChangeCurrentFolder(startFolder_); }

    std::wstring MenuFile() const { return (temp.Path() / "menus" / "tools.Larkspur").wstring(); }

    static CCommand Command(const std::wstring& fileName, const std::wstring& parameters) {
        CCommand command;
        command.Title(L"Item");
        command.Operation(L"open");
        command.FileName(fileName);
        command.Parameters(parameters);
        command.Directory(L"");
        command.ShowCommand(3);
        return command;
    }

    platform::WindowHandle owner = nullptr;

private:
    std::wstring startFolder_ = platform::files::CurrentFolder();
};

TEST_F(CCommandRunItem, HandsTheStoredFieldsToTheShellExactly) {
    CCommand command = Command(L"C:\\Program Files\\App\\app.exe", L"C:\\My Files\\a b.txt  -x ");
    command.Operation(L"print");
    command.Directory(L"  D:\\Work dir ");
    command.ShowCommand(7);
    EXPECT_TRUE(command.RunItem(MenuFile()));
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    const platform::ShellCall& call = env.shell.Calls()[0];
    EXPECT_EQ(call.owner, owner);
    EXPECT_EQ(call.verb, L"print");
    EXPECT_EQ(call.file, L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(call.parameters, L"C:\\My Files\\a b.txt  -x ");
    EXPECT_EQ(call.directory, L"  D:\\Work dir ");
    EXPECT_EQ(call.showCommand, 7);
}

TEST_F(CCommandRunItem, HandsOnAnyShowCommandUnchecked) {
    CCommand command = Command(L"a.exe", L"");
    command.ShowCommand(-5);
    command.RunItem(MenuFile());
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].showCommand, -5);
}

TEST_F(CCommandRunItem, StartsFromTheMenuFilesFolderAndStaysThere) {
    EXPECT_TRUE(Command(L"local.cmd", L"").RunItem(MenuFile()));
    const std::filesystem::path current = platform::files::CurrentFolder();
    EXPECT_TRUE(std::filesystem::equivalent(current, temp.Path() / "menus")) << current;
}

TEST_F(CCommandRunItem, ShowsTheFileNameAndTheRefusalWhenTheShellRefuses) {
    env.shell.FailNextExecute(2);
    env.shell.SetSystemErrorText(2, L"Не удается найти указанный файл.\r\n");
    EXPECT_FALSE(Command(L"C:\\нет\\такого.exe", L"").RunItem(MenuFile()));
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = env.dialogs.Messages()[0];
    EXPECT_EQ(message.text, L"C:\\нет\\такого.exe\r\n\r\n" + kRefusal +
                                L"\r\n\r\nНе удается найти указанный файл.");
    EXPECT_EQ(message.style, platform::kMbIconError);
    EXPECT_EQ(message.owner, owner);
    EXPECT_EQ(message.caption, app.Title);
}

TEST_F(CCommandRunItem, ADeclinedElevationPromptFailsWithoutAMessage) {
    env.shell.FailNextExecute(platform::kErrorCancelled);
    EXPECT_FALSE(Command(L"regedit.exe", L"").RunItem(MenuFile()));
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(CCommandRunItem, MovesToTheMenuFolderEvenWhenTheShellRefuses) {
    env.shell.FailNextExecute(5);
    EXPECT_FALSE(Command(L"a.exe", L"").RunItem(MenuFile()));
    EXPECT_TRUE(std::filesystem::equivalent(platform::files::CurrentFolder(), temp.Path() / "menus"));
}

TEST_F(CCommandRunItem, ShowsNothingWhenTheShellAccepts) {
    EXPECT_TRUE(Command(L"a.exe", L"").RunItem(MenuFile()));
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

}  // namespace
