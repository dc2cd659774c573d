// The items that files dropped from the shell become (shortcuts are read for real under Wine:
// tests/windows/ShortcutWineTest.cpp).
#include <gtest/gtest.h>

#include <filesystem>

#include "model/DropReading.h"
#include "model/DroppedFiles.h"
#include "platform/WinConstants.h"
#include "platform/texts/TextIds.h"
#include "support/HeadlessFixture.h"

namespace {

class DroppedFilesTest : public testsupport::HeadlessTest {
protected:
    // The item that a new file of that name and content becomes.
    std::shared_ptr<model::CCommand> FromNewFile(const std::wstring& name, const std::string& bytes) {
        testsupport::WriteFileBytes(temp.File(name), bytes);
        return model::CommandFromFile(temp.File(name), names).command;
    }

    // Why such a file is refused; the reading itself tells the user nothing.
    unsigned RefusalOf(const std::wstring& name, const std::string& bytes) {
        testsupport::WriteFileBytes(temp.File(name), bytes);
        const model::DroppedFile dropped = model::CommandFromFile(temp.File(name), names);
        EXPECT_FALSE(dropped.command);
        EXPECT_TRUE(env.dialogs.Messages().empty());
        return dropped.refusal;
    }

    platform::ShellNames names;
};

TEST_F(DroppedFilesTest, AFileOpensItselfUnderItsNameWithoutTheExtension) {
    const auto command = FromNewFile(L"Report.for.May.docx", "text");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Report.for.May");
    EXPECT_EQ(command->FileName(), temp.File(L"Report.for.May.docx"));
    EXPECT_EQ(command->Operation(), L"open");
    EXPECT_EQ(command->Parameters(), L"");
    EXPECT_EQ(command->Directory(), L"");
    EXPECT_EQ(command->ShowCommand(), platform::kSwShowDefault);
}

TEST_F(DroppedFilesTest, AFolderKeepsItsWholeName) {
    const std::wstring path = temp.File(L"Photos.2024");
    std::filesystem::create_directory(path);
    const auto command = model::CommandFromFile(path, names).command;
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Photos.2024");
    EXPECT_EQ(command->FileName(), path);
}

TEST_F(DroppedFilesTest, AnInternetShortcutOpensItsAddress) {
    const auto command =
        FromNewFile(L"Weather.url", "[InternetShortcut]\r\nURL=https://example.org/?q=1\r\n");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Weather");
    EXPECT_EQ(command->FileName(), L"https://example.org/?q=1");
    EXPECT_EQ(command->Operation(), L"open");
}

// The exact address is in the .W section, in UTF-7; URL= has '?' for what the code page lacks.
TEST_F(DroppedFilesTest, AnInternetShortcutOpensTheExactAddressOfItsUnicodeSection) {
    EXPECT_EQ(FromNewFile(L"Search.url", "[InternetShortcut]\r\nURL=https://example.org/?q=??????\r\n"
                                         "[InternetShortcut.W]\r\nURL=https://example.org/?q=+BD8EQAQ4BDIENQRC-\r\n")
                  ->FileName(),
              L"https://example.org/?q=привет");
    EXPECT_EQ(FromNewFile(L"Plain.url", "[InternetShortcut.W]\r\nURL=\r\n[InternetShortcut]\r\nURL=https://a.b/\r\n")
                  ->FileName(),
              L"https://a.b/");
}

// One that cannot be read is not said to have no address.
TEST_F(DroppedFilesTest, AnInternetShortcutWithoutAnAddressIsRefused) {
    EXPECT_EQ(RefusalOf(L"Empty.url", "[InternetShortcut]\r\n"), IDS_SHORTCUT_WITHOUT_ADDRESS);
    EXPECT_EQ(model::CommandFromFile(temp.File(L"Gone.url"), names).refusal,
              IDS_SHORTCUT_UNREADABLE);
}

// Under Wine the shell tries to read it for real.
TEST_F(DroppedFilesTest, AShortcutThatCannotBeReadIsRefused) {
    EXPECT_EQ(RefusalOf(L"Broken.lnk", "no shortcut"), IDS_SHORTCUT_UNREADABLE);
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

// The path the shell gives for an installer's shortcut is only its icon.
TEST_F(DroppedFilesTest, AnInstallersShortcutStartsTheShortcutItself) {
    model::CCommand command;
    command.FileName(L"C:\\Links\\Word.lnk");
    model::TakeShortcutTarget(command, {.path = L"C:\\Windows\\Installer\\{90160000-0011}\\wordicon.exe",
                                        .arguments = L"/n",
                                        .advertised = true});
    EXPECT_EQ(command.FileName(), L"C:\\Links\\Word.lnk");
    EXPECT_EQ(command.Parameters(), L"");
}

// The reading stops when asked to, before the next file.
TEST_F(DroppedFilesTest, ADropIsReadInOrderUntilAskedToStop) {
    std::vector<std::wstring> files;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
        files.push_back(temp.File(name));
        testsupport::WriteFileBytes(files.back(), "x");
    }
    std::vector<int> asked;
    const model::DropReading reading = model::ReadDroppedFiles(files, 3, [&](int read) {
        asked.push_back(read);
        return read < 2;
    });
    ASSERT_EQ(reading.commands.size(), 2u);
    EXPECT_EQ(reading.commands[1]->Title(), L"b");
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
}

}  // namespace
