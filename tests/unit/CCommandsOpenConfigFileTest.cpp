#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/CCommands.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "support/HeadlessFixture.h"

namespace {

using model::CCommands;

class CCommandsOpenConfigFile : public testsupport::HeadlessTest {
protected:
    CCommandsOpenConfigFile() {
        platform::files::ChangeCurrentFolder(temp.Path().wstring());
        owner = env.NewWindow({0, 0, 300, 200}).Handle();
        env.Desktop()->SetActive(owner);
        menu.ConfigFileName(temp.File(L"menu.Larkspur"));
        menu.Title(L"Tools");
    }
    ~CCommandsOpenConfigFile() override { platform::files::ChangeCurrentFolder(startFolder_); }

    CCommands menu;
    platform::WindowHandle owner = nullptr;

private:
    std::wstring startFolder_ = platform::files::CurrentFolder();
};

TEST_F(CCommandsOpenConfigFile, AsksTheShellToEditTheMenuFileFromTheCurrentFolder) {
    EXPECT_TRUE(menu.OpenConfigFile());
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    const platform::ShellCall& call = env.shell.Calls()[0];
    EXPECT_EQ(call.owner, owner);
    EXPECT_EQ(call.verb, L"edit");
    EXPECT_EQ(call.file, temp.File(L"menu.Larkspur"));
    EXPECT_EQ(call.parameters, L"");
    EXPECT_TRUE(std::filesystem::equivalent(call.directory, temp.Path())) << call.directory;
    EXPECT_EQ(call.showCommand, 10);
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(CCommandsOpenConfigFile, ReportsARefusalAndLeavesTheMenuAsItWas) {
    env.shell.FailNextExecute(1155);
    EXPECT_FALSE(menu.OpenConfigFile());
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = env.dialogs.Messages()[0];
    EXPECT_EQ(message.text, L"Не удаётся открыть файл для редактирования.");
    EXPECT_EQ(message.style, platform::kMbOk | platform::kMbIconError);
    EXPECT_EQ(message.caption, app.Title);
    EXPECT_EQ(menu.ConfigFileName(), temp.File(L"menu.Larkspur"));
    EXPECT_EQ(menu.Title(), L"Tools");
}

TEST_F(CCommandsOpenConfigFile, CallsTheShellEvenWithoutAFileName) {
    CCommands untitled;
    env.shell.FailNextExecute(2);
    EXPECT_FALSE(untitled.OpenConfigFile());
    ASSERT_EQ(env.shell.Calls().size(), 1u);
    EXPECT_EQ(env.shell.Calls()[0].file, L"");
    EXPECT_EQ(env.dialogs.Messages().size(), 1u);
}

}  // namespace
