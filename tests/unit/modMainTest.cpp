// Start-up: the command line, the not-found message, the usage text and the untitled menu.
#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>

#include "app/modMain.h"
#include "model/SharedCommands.h"
#include "platform/WinConstants.h"
#include "support/FormFixture.h"

namespace {

namespace vk = platform::vk;
using ui::HeadlessForm;

class modMainTest : public testsupport::FormTest {
protected:
    void StartWith(const std::wstring& arguments) {
        env.shell.SetCommandLineArguments(arguments);
        app::Main();
    }

    static std::wstring UsageText(const std::wstring& exeName) {
        return L"Brindle - Show larkspur 3.02.0046\r\n(c) Brindle, test notice\r\n\r\n"
               L"Использование:\r\n\r\n" +
               exeName +
               L"[.EXE] FileName\r\n\r\n"
               L"Выводит на экран меню с элементами из файла FileName. \r\n"
               L"Формат файла описан в ReadMe.TXT.\r\n\r\nСоздать новый файл?";
    }
};

TEST_F(modMainTest, PreparesTheProcessBeforeAnyWindow) {
    const std::wstring menu = WriteMenu(L"a.Larkspur", L"A", {});
    StartWith(L" " + menu);
    EXPECT_EQ(toolkit.InitCommonControlsCalls(), 1);
    EXPECT_EQ(env.windows.Window(env.windows.HiddenOwner()).iconResource, L"A_MAIN");
}

// App Paths: once the window has painted, and by a copy no install put there.
class AppPathTest : public modMainTest {
protected:
    const std::wstring installation = L"Software\\Brindle\\ShowLarkspur\\Installation";
    const std::wstring elsewhere = L"C:\\Program Files\\ShowLarkspur\\ShowLarkspur.exe";

    void StartAndIdle() {
        StartWith(L" " + WriteMenu(L"a.Larkspur", L"A", {}));
        EXPECT_TRUE(env.shell.RegisteredAppPaths().empty()) << "before the window is idle";
        env.windows.RunIdleTasks();
    }
    static std::wstring Upper(std::wstring text) {
        for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
        return text;
    }
};

TEST_F(AppPathTest, AnUnpackedCopyRegistersItself) {
    env.settings.Write(installation, L"Program", elsewhere);
    env.settings.SetMachineValue(installation, L"Program", elsewhere);
    StartAndIdle();
    EXPECT_EQ(env.shell.RegisteredAppPaths(), (std::vector<std::wstring>{app.ExePath}));
    EXPECT_TRUE(env.shell.UnregisteredAppPaths().empty());
}

TEST_F(AppPathTest, ACopyInstalledForTheUserLeavesTheEntryToItsInstall) {
    env.settings.Write(installation, L"Program", Upper(app.ExePath));
    StartAndIdle();
    EXPECT_TRUE(env.shell.RegisteredAppPaths().empty());
    EXPECT_TRUE(env.shell.UnregisteredAppPaths().empty());
}

TEST_F(AppPathTest, ACopyInstalledForAllUsersTakesAwayTheUsersEntryForItself) {
    env.settings.SetMachineValue(installation, L"Program", app.ExePath);
    env.settings.Write(installation, L"Program", app.ExePath);  // an earlier version's install
    StartAndIdle();
    EXPECT_TRUE(env.shell.RegisteredAppPaths().empty());
    EXPECT_EQ(env.shell.UnregisteredAppPaths(), (std::vector<std::wstring>{app.ExePath}));
}

TEST_F(modMainTest, AnExistingFileIsReadAndShownInTheMenuWindow) {
    const std::wstring menu = WriteMenu(L"a.Larkspur", L"Меню А", {{L"Один", L"one.exe"}});
    StartWith(L" \"" + menu + L"\"  ");
    HeadlessForm& form = toolkit.FormNamed(L"frmMain");
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(form.Caption(), L"Меню А");
    EXPECT_EQ(model::Commands().ConfigFileName(), menu);
    EXPECT_EQ(model::Commands().Count(), 1);
}

TEST_F(modMainTest, ARelativeNameIsStoredAsAFullPath) {
    WriteMenu(L"rel.Larkspur", L"R", {});
    std::filesystem::current_path(temp.Path());
    StartWith(L" rel.Larkspur");
    EXPECT_EQ(model::Commands().ConfigFileName(), temp.File(L"rel.Larkspur"));
}

TEST_F(modMainTest, AMissingFileIsReportedWithTheTrimmedNameAndNoWindowOpens) {
    StartWith(L"   missing menu.Larkspur \r\n");
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = env.dialogs.Messages()[0];
    EXPECT_EQ(message.text, L"missing menu.Larkspur\r\n\r\nФайл не найден.");
    EXPECT_EQ(message.caption, L"Brindle - Show larkspur");
    EXPECT_EQ(message.style, platform::kMbIconError | platform::kMbOk);
    EXPECT_EQ(toolkit.FindForm(L"frmMain"), nullptr);
    EXPECT_EQ(model::Commands().ConfigFileName(), L"");
}

TEST_F(modMainTest, NoArgumentShowsTheUsageTextAndCancelEnds) {
    env.dialogs.AnswerMessage(platform::kIdCancel);
    StartWith(L"  ");
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& message = env.dialogs.Messages()[0];
    EXPECT_EQ(message.text, UsageText(L"ShowLarkspur"));
    EXPECT_EQ(message.style, platform::kMbIconInformation | platform::kMbOkCancel);
    EXPECT_EQ(toolkit.FindForm(L"frmMain"), nullptr);
}

TEST_F(modMainTest, TheUsageTextNamesTheExecutableAsItIsCalledOnDisk) {
    app.ExeName = L"Launcher";
    InstallApp();
    env.dialogs.AnswerMessage(platform::kIdCancel);
    StartWith(L"");
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text, UsageText(L"Launcher"));
}

TEST_F(modMainTest, NoArgumentAndOkOpensTheEditorOnAnUntitledMenuThatClosesWhenNotSaved) {
    env.dialogs.AnswerMessage(platform::kIdOk);
    std::wstring captionBehind;
    toolkit.OnModal(L"frmCommandsEditor", [&](HeadlessForm& editor) {
        captionBehind = toolkit.FormNamed(L"frmMain").Caption();
        EXPECT_TRUE(toolkit.FormNamed(L"frmMain").IsVisible());
        EXPECT_EQ(editor.Caption(), L"Untitled - Редактор команд");
        editor.Click(L"cmdCancel");
    });
    StartWith(L"");
    EXPECT_EQ(captionBehind, L"[Безымянный]");
    EXPECT_FALSE(toolkit.FormNamed(L"frmMain").IsLoaded());
    EXPECT_TRUE(env.settings.ValueCount() == 0);  // an untitled menu stores no placement
}

TEST_F(modMainTest, AnUntitledMenuSavedUnderANameStaysOpenOnThatFile) {
    env.dialogs.AnswerMessage(platform::kIdOk);
    const std::wstring saved = temp.File(L"new.Larkspur");
    toolkit.OnModal(L"frmCommandsEditor", [&](HeadlessForm& editor) {
        editor.Type(L"txtTitle", L"Новое меню");
        env.dialogs.ChooseFile(saved);
        editor.Click(L"cmdSave");
    });
    StartWith(L"");
    HeadlessForm& form = toolkit.FormNamed(L"frmMain");
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.Caption(), L"Новое меню");
    EXPECT_EQ(model::Commands().ConfigFileName(), saved);
    EXPECT_TRUE(std::filesystem::exists(saved));
}

}  // namespace
