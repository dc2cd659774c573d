// The items that files dropped from the shell become (shortcuts are read for real under Wine:
// tests/windows/ShortcutWineTest.cpp).
#include <gtest/gtest.h>

#include <filesystem>

#include "model/DroppedFiles.h"
#include "platform/WinConstants.h"
#include "support/HeadlessFixture.h"

namespace {

using DroppedFilesTest = testsupport::HeadlessTest;

TEST_F(DroppedFilesTest, AFileOpensItselfUnderItsNameWithoutTheExtension) {
    const std::wstring path = temp.File(L"Report.for.May.docx");
    testsupport::WriteFileBytes(path, "text");
    const auto command = model::CommandFromFile(path);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Report.for.May");
    EXPECT_EQ(command->FileName(), path);
    EXPECT_EQ(command->Operation(), L"open");
    EXPECT_EQ(command->Parameters(), L"");
    EXPECT_EQ(command->Directory(), L"");
    EXPECT_EQ(command->ShowCommand(), platform::kSwShowDefault);
}

TEST_F(DroppedFilesTest, AFolderKeepsItsWholeName) {
    const std::wstring path = temp.File(L"Photos.2024");
    std::filesystem::create_directory(path);
    const auto command = model::CommandFromFile(path);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Photos.2024");
    EXPECT_EQ(command->FileName(), path);
}

TEST_F(DroppedFilesTest, AnInternetShortcutOpensItsAddress) {
    const std::wstring path = temp.File(L"Weather.url");
    testsupport::WriteFileBytes(path, "[InternetShortcut]\r\nURL=https://example.org/?q=1\r\n");
    const auto command = model::CommandFromFile(path);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Weather");
    EXPECT_EQ(command->FileName(), L"https://example.org/?q=1");
    EXPECT_EQ(command->Operation(), L"open");
}

TEST_F(DroppedFilesTest, AnInternetShortcutWithoutAnAddressIsRefusedWithAMessage) {
    const std::wstring path = temp.File(L"Empty.url");
    testsupport::WriteFileBytes(path, "[InternetShortcut]\r\n");
    EXPECT_FALSE(model::CommandFromFile(path));
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text, path + L"\r\n\r\nВ ярлыке нет адреса.");
    EXPECT_EQ(env.dialogs.Messages()[0].style, platform::kMbIconError | platform::kMbOk);
}

TEST_F(DroppedFilesTest, AShortcutsTargetIsTakenAsHeldWithArgumentsFolderAndShowCommand) {
    model::CCommand command;
    command.FileName(L"C:\\Links\\Notepad.lnk");
    command.ShowCommand(platform::kSwShowDefault);
    model::TakeShortcutTarget(command, {L"%SystemRoot%\\notepad.exe", L"/a \"b c.txt\"",
                                        L"%USERPROFILE%", platform::kSwShowMaximized});
    EXPECT_EQ(command.FileName(), L"%SystemRoot%\\notepad.exe");
    EXPECT_EQ(command.Parameters(), L"/a \"b c.txt\"");
    EXPECT_EQ(command.Directory(), L"%USERPROFILE%");
    EXPECT_EQ(command.ShowCommand(), platform::kSwShowMaximized);
}

TEST_F(DroppedFilesTest, AShortcutToNoPathOrWithAnUnknownShowCommandKeepsWhatItCannotTake) {
    model::CCommand command;
    command.FileName(L"C:\\Links\\Computer.lnk");
    command.ShowCommand(platform::kSwShowDefault);
    model::TakeShortcutTarget(command, {L"", L"-x", L"C:\\", platform::kSwShowMaximized});
    EXPECT_EQ(command.FileName(), L"C:\\Links\\Computer.lnk");
    EXPECT_EQ(command.Parameters(), L"");
    EXPECT_EQ(command.ShowCommand(), platform::kSwShowDefault);
    model::TakeShortcutTarget(command, {L"C:\\a.exe", L"", L"", 99});
    EXPECT_EQ(command.ShowCommand(), platform::kSwShowDefault);
}

}  // namespace
