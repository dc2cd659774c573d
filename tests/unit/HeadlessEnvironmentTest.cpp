// The headless environment's scripting rules: what it answers when nothing was scripted, and
// what it records.
#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "platform/headless/HeadlessEnvironment.h"

namespace {

using platform::HeadlessScriptError;
using platform::kIdCancel;
using platform::kIdOk;
using platform::kMbIconError;
using platform::kMbIconInformation;
using platform::kMbOk;
using platform::kMbOkCancel;

class HeadlessEnvironmentTest : public ::testing::Test {
protected:
    platform::HeadlessEnvironment env;
    platform::WindowHandle owner = env.NewWindow({0, 0, 100, 100}).Handle();
};

TEST_F(HeadlessEnvironmentTest, UnscriptedOkBoxIsAnsweredOkAndRecorded) {
    EXPECT_EQ(env.dialogs.ShowMessage(owner, L"Файл не найден.", L"Caption", kMbOk | kMbIconError),
              kIdOk);
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& shown = env.dialogs.Messages()[0];
    EXPECT_EQ(shown.owner, owner);
    EXPECT_EQ(shown.text, L"Файл не найден.");
    EXPECT_EQ(shown.caption, L"Caption");
    EXPECT_EQ(shown.style, kMbOk | kMbIconError);
}

TEST_F(HeadlessEnvironmentTest, UnscriptedQuestionFailsLoudly) {
    EXPECT_THROW(env.dialogs.ShowMessage(owner, L"Создать новый файл?", L"", kMbOkCancel),
                 HeadlessScriptError);
    EXPECT_EQ(env.Log().Failures().size(), 1u);
}

TEST_F(HeadlessEnvironmentTest, ScriptedAnswersAreUsedInOrder) {
    env.dialogs.AnswerMessage(kIdCancel);
    env.dialogs.AnswerMessage(kIdOk);
    EXPECT_EQ(env.dialogs.ShowMessage(owner, L"1", L"", kMbOkCancel | kMbIconInformation), kIdCancel);
    EXPECT_EQ(env.dialogs.ShowMessage(owner, L"2", L"", kMbOkCancel), kIdOk);
    EXPECT_TRUE(env.UnusedScripts().empty());
}

TEST_F(HeadlessEnvironmentTest, ScriptedAnswerMustBeAButtonOfTheBox) {
    env.dialogs.AnswerMessage(kIdCancel);
    EXPECT_THROW(env.dialogs.ShowMessage(owner, L"only OK", L"", kMbOk), HeadlessScriptError);
}

TEST_F(HeadlessEnvironmentTest, FileDialogIsCancelledUnlessScriptedAndKeepsEveryRequestField) {
    const platform::FileDialogRequest request{owner, L"All|*.*", 0, L"C:\\dir", L"a.txt", L"txt"};
    EXPECT_FALSE(env.dialogs.SaveFile(request).has_value());
    env.dialogs.ChooseFile(L"C:\\dir\\b.txt");
    EXPECT_EQ(env.dialogs.OpenFile(request), std::optional<std::wstring>(L"C:\\dir\\b.txt"));
    ASSERT_EQ(env.dialogs.FileDialogs().size(), 2u);
    const platform::FileDialogRecord& saved = env.dialogs.FileDialogs()[0];
    EXPECT_EQ(saved.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(saved.request.owner, owner);
    EXPECT_EQ(saved.request.filter, L"All|*.*");
    EXPECT_EQ(saved.request.initDir, L"C:\\dir");
    EXPECT_EQ(saved.request.fileName, L"a.txt");
    EXPECT_EQ(saved.request.defaultExt, L"txt");
    EXPECT_EQ(env.dialogs.FileDialogs()[1].kind, platform::FileDialogKind::Open);
}

TEST_F(HeadlessEnvironmentTest, PopupPickOutsideTheEntriesFails) {
    env.dialogs.PickPopupEntry(2);
    EXPECT_THROW(env.dialogs.PopupMenu(owner, {L"a", L"b"}), HeadlessScriptError);
}

TEST_F(HeadlessEnvironmentTest, UnusedAnswersAreReported) {
    env.dialogs.ChooseFolder(L"C:\\x");
    env.shell.FailNextExecute(2);
    EXPECT_EQ(env.UnusedScripts().size(), 2u);
}

TEST_F(HeadlessEnvironmentTest, ShellRecordsEveryArgumentAndSucceedsUnlessScripted) {
    EXPECT_TRUE(env.shell.Execute(owner, L"open", L"a.exe", L"-x", L"C:\\", 10).ok);
    env.shell.FailNextExecute(5);
    const platform::ShellResult failed = env.shell.Execute(nullptr, L"edit", L"b", L"", L"", 1);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.lastError, 5u);
    ASSERT_EQ(env.shell.Calls().size(), 2u);
    const platform::ShellCall& first = env.shell.Calls()[0];
    EXPECT_EQ(first.owner, owner);
    EXPECT_EQ(first.verb, L"open");
    EXPECT_EQ(first.file, L"a.exe");
    EXPECT_EQ(first.parameters, L"-x");
    EXPECT_EQ(first.directory, L"C:\\");
    EXPECT_EQ(first.showCommand, 10);
}

TEST_F(HeadlessEnvironmentTest, SettingsNamesCompareWithoutCaseLatinAndCyrillic) {
    ASSERT_TRUE(env.settings.Write(L"Software\\Brindle\\Окно", L"C:\\Меню.Larkspur", L"1"));
    EXPECT_EQ(env.settings.Read(L"SOFTWARE\\brindle\\окно", L"c:\\мЕНЮ.larkspur"),
              std::optional<std::wstring>(L"1"));
    EXPECT_FALSE(env.settings.Read(L"Software\\Brindle\\Окно", L"other").has_value());
}

TEST_F(HeadlessEnvironmentTest, FailingSettingsStoreNothing) {
    env.settings.FailWrites();
    EXPECT_FALSE(env.settings.Write(L"k", L"n", L"v"));
    EXPECT_FALSE(env.settings.Read(L"k", L"n").has_value());
}

TEST_F(HeadlessEnvironmentTest, CallWithAnUnknownHandleFailsLoudly) {
    int local = 0;
    EXPECT_THROW(env.windows.WindowRect(&local), HeadlessScriptError);
}

TEST_F(HeadlessEnvironmentTest, PlainWindowCannotBePressed) {
    EXPECT_THROW(env.windows.PressButton(owner), HeadlessScriptError);
}

TEST_F(HeadlessEnvironmentTest, MonitorOfAWindowIsTheOneItOverlapsMost) {
    const platform::Monitor left{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
    const platform::Monitor right{{1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}};
    env.windows.SetMonitors({left, right});
    EXPECT_EQ(env.windows.MonitorOf(env.NewWindow({1800, 10, 2200, 300}).Handle()), right);
    EXPECT_EQ(env.windows.MonitorOf(env.NewWindow({1700, 10, 2000, 300}).Handle()), left);
    EXPECT_EQ(env.windows.MonitorOf(env.NewWindow({5000, 10, 5100, 300}).Handle()), right)
        << "off every monitor: the nearest";
}

TEST_F(HeadlessEnvironmentTest, ModifierHoldReleasesOnlyWhatItPressed) {
    env.keyboard.Hold(platform::vk::Shift);
    {
        platform::HeldModifiers held(env.keyboard, platform::kShiftMask | platform::kCtrlMask);
        EXPECT_TRUE(env.keyboard.IsKeyDown(platform::vk::Control));
    }
    EXPECT_TRUE(env.keyboard.IsKeyDown(platform::vk::Shift));
    EXPECT_FALSE(env.keyboard.IsKeyDown(platform::vk::Control));
}

}  // namespace
