// The menu editor: its window, the editing commands with their selection rules, the limit,
// the keys and saving.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "model/SharedCommands.h"
#include "platform/WinConstants.h"
#include "platform/headless/HeadlessKeyboard.h"
#include "platform/texts/Texts.h"
#include "support/FormFixture.h"
#include "ui/editors/frmCommandsEditor.h"
#include "ui/headless/HeadlessControls.h"

namespace {

using platform::kAltMask;
using platform::kCtrlMask;
using platform::kShiftMask;
namespace vk = platform::vk;
using testsupport::MenuItemText;
using ui::HeadlessForm;
using Texts = std::vector<std::wstring>;

class frmCommandsEditorTest : public testsupport::FormTest {
protected:
    void SetUp() override { OpenMenuOf(5); }

    // A menu of `count` items titled "0", "1" ...
    void OpenMenuOf(int count) {
        std::vector<MenuItemText> items;
        for (int i = 0; i < count; ++i) items.push_back({std::to_wstring(i), L"app.exe"});
        menu = WriteMenu(L"Tools.Larkspur", L"Инструменты", items);
        OpenMenu(menu);
    }

    // Shows the editor modally with `script` acting inside it.
    void RunEditor(std::function<void(HeadlessForm&)> script) {
        toolkit.OnModal(L"frmCommandsEditor", std::move(script));
        ui::frmCommandsEditor editor;
        editor.ShowModal();
    }

    // The next command editor confirms with this title (and a file name), or is cancelled.
    void ConfirmCommandEditor(const std::wstring& title) {
        toolkit.OnModal(L"frmCommandEditor", [title](HeadlessForm& dialog) {
            dialog.SetText(L"txtTitle", title);
            dialog.SetText(L"txtFileName", L"new.exe");
            dialog.Click(L"cmdOk");
        });
    }
    void CancelCommandEditor() {
        toolkit.OnModal(L"frmCommandEditor", [](HeadlessForm& dialog) { dialog.Click(L"cmdCancel"); });
    }

    static int Selected(HeadlessForm& editor) {
        return editor.Get<ui::ListControl>(L"lstItems").ListIndex();
    }

    std::wstring menu;
};

TEST_F(frmCommandsEditorTest, HasTheControlsTextsAndTabOrderOfItsDesign) {
    RunEditor([](HeadlessForm& editor) {
        struct Expected {
            const wchar_t* name;
            ui::TwipsRect bounds;
            const wchar_t* caption;
            const wchar_t* toolTip;
        };
        const Expected expected[] = {
            {L"lblTag", {180, 160, 915, 210}, L"Заголовок:", L""},
            {L"txtTitle", {1320, 120, 3855, 375}, L"", L""},
            {L"cmdTitleHistory", {5280, 120, 375, 375}, L"H!", L" История "},
            {L"lstItems", {120, 600, 5055, 3630}, L"", L""},
            {L"cmdAdd", {5280, 600, 375, 375}, L"+", L" Добавить команду (Ctrl+A) "},
            {L"cmdCopy", {5280, 1080, 375, 375}, L"C", L" Сздать команду на основе текущей (Ctrl+C) "},
            {L"cmdEdit", {5280, 1560, 375, 375}, L"E", L" Редактировать команду (Ctrl+E) "},
            {L"cmdRemove", {5280, 2040, 375, 375}, L"X", L" Удалить команду (Ctrl+R) "},
            {L"cmdMoveUp", {5280, 3360, 375, 375}, L"/\\", L" Переместить команду вверх (Ctrl+Up) "},
            {L"cmdMoveDown", {5280, 3840, 375, 375}, L"\\/", L" Переместить команду вниз (Ctrl+Down) "},
            {L"cmdSave", {2760, 4380, 1395, 435}, L"Сохранить", L" Shift+щелчёк - сохранить файл под новым именем "},
            {L"cmdCancel", {4260, 4380, 1395, 435}, L"Отмена", L""},
            {L"shpBack", {-780, -120, 2475, 5295}, L"", L""},
        };
        ASSERT_EQ(editor.Controls().size(), std::size(expected));
        for (size_t i = 0; i < std::size(expected); ++i) {
            const ui::ControlSpec& spec = editor.Controls()[i]->Spec();
            EXPECT_EQ(spec.name, expected[i].name);
            EXPECT_EQ(spec.bounds, expected[i].bounds) << i;
            EXPECT_EQ(spec.caption, expected[i].caption) << i;
            EXPECT_EQ(spec.toolTip, expected[i].toolTip) << i;
        }
        EXPECT_TRUE(editor.Get<ui::HeadlessButton>(L"cmdSave").Spec().isDefault);
        EXPECT_TRUE(editor.Get<ui::HeadlessButton>(L"cmdCancel").Spec().isCancel);
        EXPECT_EQ(editor.Spec().style, ui::FormStyle::FixedDialog);
        EXPECT_EQ(editor.ScaleWidth(), 5775);
        EXPECT_EQ(editor.ScaleHeight(), 4920);
        EXPECT_TRUE(editor.IconCleared());
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, OpensOnACopyWithTheFileNameInTheCaptionAndTheListFocused) {
    RunEditor([](HeadlessForm& editor) {
        EXPECT_EQ(editor.Caption(), L"Tools.Larkspur - Редактор команд");
        EXPECT_EQ(editor.Get<ui::HeadlessTextBox>(L"txtTitle").Text(), L"Инструменты");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 0);
        EXPECT_EQ(editor.FocusedName(), L"lstItems");
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, AnEmptyMenuFocusesTheTitleAndOnlyAddDoesAnything) {
    OpenMenuOf(0);
    RunEditor([](HeadlessForm& editor) {
        EXPECT_EQ(editor.FocusedName(), L"txtTitle");
        EXPECT_EQ(Selected(editor), -1);
        for (const wchar_t* button : {L"cmdCopy", L"cmdEdit", L"cmdRemove", L"cmdMoveUp", L"cmdMoveDown"}) {
            editor.Click(button);
        }
        EXPECT_TRUE(Rows(editor, L"lstItems").empty());
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, AnEditedItemsRowShowsTheIconOfItsNewTarget) {
    RunEditor([this](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 1);
        ConfirmCommandEditor(L"Новый");
        editor.Click(L"cmdEdit");
        const auto& targets = editor.Get<ui::HeadlessListBox>(L"lstItems").RowTargets();
        ASSERT_EQ(targets.size(), 5u);
        EXPECT_EQ(targets[1].fileName, L"new.exe");
        EXPECT_EQ(targets[2].fileName, L"app.exe");
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, AddAppendsTheNewItemAndSelectsIt) {
    ConfirmCommandEditor(L"Новый");
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 1);
        editor.Click(L"cmdAdd");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4", L"Новый"}));
        EXPECT_EQ(Selected(editor), 5);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, CancelledAddAndCopyAppendNothing) {
    CancelCommandEditor();
    CancelCommandEditor();
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        editor.Click(L"cmdAdd");
        editor.Click(L"cmdCopy");
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 5u);
        EXPECT_EQ(Selected(editor), 2);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, CopyStartsFilledAndAppendsAtTheEndLeavingTheOriginal) {
    toolkit.OnModal(L"frmCommandEditor", [](HeadlessForm& dialog) {
        EXPECT_EQ(dialog.Get<ui::HeadlessTextBox>(L"txtTitle").Text(), L"2");
        dialog.SetText(L"txtTitle", L"Копия");
        dialog.Click(L"cmdOk");
    });
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        editor.Click(L"cmdCopy");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4", L"Копия"}));
        EXPECT_EQ(Selected(editor), 5);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, EditChangesTheItemInPlaceAndCancelLeavesIt) {
    ConfirmCommandEditor(L"Правка");
    CancelCommandEditor();
    RunEditor([](HeadlessForm& editor) {
        editor.DoubleClick(L"lstItems", 3);  // a double click edits
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"Правка", L"4"}));
        EXPECT_EQ(Selected(editor), 3);
        editor.SelectRow(L"lstItems", 1);
        editor.PressKey(vk::E, kCtrlMask);
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"Правка", L"4"}));
        EXPECT_EQ(Selected(editor), 1);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, RemoveKeepsTheRowIndexOrTheNewLastRow) {
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        editor.Click(L"cmdRemove");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 2);
        editor.SelectRow(L"lstItems", 3);
        editor.Click(L"cmdRemove");
        EXPECT_EQ(Selected(editor), 2);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, RemovingTheOnlyItemLeavesNothingSelected) {
    OpenMenuOf(1);
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdRemove");
        EXPECT_TRUE(Rows(editor, L"lstItems").empty());
        EXPECT_EQ(Selected(editor), -1);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, MovesSwapNeighboursAndFollowTheItem) {
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        editor.Click(L"cmdMoveUp");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"2", L"1", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 1);
        editor.Click(L"cmdMoveDown");
        editor.Click(L"cmdMoveDown");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"3", L"2", L"4"}));
        EXPECT_EQ(Selected(editor), 3);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, MovesAtTheEndsDoNothing) {
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 0);
        editor.Click(L"cmdMoveUp");
        editor.SelectRow(L"lstItems", 4);
        editor.Click(L"cmdMoveDown");
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 4);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, CtrlUpAndDownMoveTheItemAndNotTheSelectionBar) {
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        editor.PressKey(vk::Up, kCtrlMask);
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"2", L"1", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 1);
        editor.PressKey(vk::Down, kCtrlMask);
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 2);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, CtrlShortcutsAlsoReachTheFocusedControl) {
    CancelCommandEditor();
    RunEditor([](HeadlessForm& editor) {
        editor.Focus(L"txtTitle");
        editor.PressKey(vk::C, kCtrlMask);  // runs the copy: a command editor opens
        const auto& keys = editor.Get<ui::HeadlessTextBox>(L"txtTitle").ReceivedKeys();
        ASSERT_FALSE(keys.empty());
        EXPECT_EQ(keys.back().keyCode, vk::C);
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, ShortcutsWithShiftOrAltDoNothing) {
    RunEditor([](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 2);
        for (int key : {vk::A, vk::C, vk::E, vk::R}) {
            editor.PressKey(key, kCtrlMask | kShiftMask);
            editor.PressKey(key, kCtrlMask | kAltMask);
        }
        editor.PressKey(vk::Up, kCtrlMask | kShiftMask);
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 5u);
        EXPECT_EQ(Rows(editor, L"lstItems")[1], L"1");
        editor.Click(L"cmdCancel");
    });
}

TEST_F(frmCommandsEditorTest, AtTheLimitAddAndCopyShowTheMessageEvenWithoutSelection) {
    OpenMenuOf(1000);
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdAdd");
        editor.Get<ui::ListControl>(L"lstItems").SetListIndex(-1);
        editor.Click(L"cmdCopy");
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 1000u);
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 2u);
    for (const platform::MessageRecord& message : env.dialogs.Messages()) {
        EXPECT_EQ(message.text,
                  L"Достигнуто ограничение на количество элементов в меню. Текущее - 1000.");
        EXPECT_EQ(message.style, platform::kMbIconError | platform::kMbOk);
    }
}

TEST_F(frmCommandsEditorTest, With999ItemsAddBringsTheMenuTo1000) {
    OpenMenuOf(999);
    ConfirmCommandEditor(L"Тысячный");
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdAdd");
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 1000u);
        editor.Click(L"cmdCancel");
    });
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(frmCommandsEditorTest, CancelAfterChangesAsksNothingAndLeavesTheSharedMenu) {
    RunEditor([](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"Другое");
        editor.Click(L"cmdRemove");
        editor.CloseBox();
    });
    EXPECT_TRUE(env.dialogs.Messages().empty());
    EXPECT_EQ(model::Commands().Title(), L"Инструменты");
    EXPECT_EQ(SharedTitles(), (Texts{L"0", L"1", L"2", L"3", L"4"}));
    EXPECT_FALSE(model::Commands().Updated());
}

TEST_F(frmCommandsEditorTest, EnterSavesToTheFileAndReplacesTheSharedMenu) {
    RunEditor([](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"  Сохранено  ");
        editor.Click(L"cmdRemove");
        editor.Focus(L"lstItems");  // Enter on a focused button would press that button
        editor.PressKey(vk::Return);
        EXPECT_FALSE(editor.IsLoaded());
    });
    EXPECT_EQ(model::Commands().Title(), L"  Сохранено  ");  // stored untrimmed
    EXPECT_EQ(SharedTitles(), (Texts{L"1", L"2", L"3", L"4"}));
    EXPECT_TRUE(model::Commands().Updated());
    model::CCommands reread;
    reread.ConfigFileName(menu);
    reread.LoadItems();
    EXPECT_EQ(reread.Count(), 4);
    EXPECT_EQ(reread.Item(0)->Title(), L"1");
    EXPECT_TRUE(env.dialogs.FileDialogs().empty());
}

TEST_F(frmCommandsEditorTest, ShiftSaveAsksForANameStartingWithTheCurrentOne) {
    const std::wstring other = temp.File(L"Copy.Larkspur");
    env.settings.Write(L"Software\\Brindle\\ShowLarkspur\\OFN Paths",
                       L"Last open Larkspur directory", temp.Path().wstring());
    env.dialogs.ChooseFile(other);
    RunEditor([&](HeadlessForm& editor) {
        platform::HeldModifiers shift(env.keyboard, kShiftMask);
        editor.Click(L"cmdSave", kShiftMask);
    });
    ASSERT_EQ(env.dialogs.FileDialogs().size(), 1u);
    const platform::FileDialogRecord& dialog = env.dialogs.FileDialogs()[0];
    EXPECT_EQ(dialog.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(dialog.request.fileName, menu);
    EXPECT_EQ(dialog.request.filter, L"Файлы Larkspur|*.Larkspur|Все файлы|*.*");
    EXPECT_EQ(dialog.request.defaultExt, L"Larkspur");
    EXPECT_EQ(dialog.request.initDir, temp.Path().wstring());
    EXPECT_EQ(model::Commands().ConfigFileName(), other);
    EXPECT_EQ(env.settings.Read(L"Software\\Brindle\\ShowLarkspur\\OFN Paths",
                                L"Last open Larkspur directory"),
              temp.Path().wstring());
}

TEST_F(frmCommandsEditorTest, SavingAnUntitledMenuAsksForANameAndCancelKeepsTheEditor) {
    model::SetCommands(nullptr);
    env.dialogs.CancelFileDialog();
    RunEditor([&](HeadlessForm& editor) {
        EXPECT_EQ(editor.Caption(), L"Untitled - Редактор команд");
        editor.Click(L"cmdSave");
        EXPECT_TRUE(editor.IsLoaded());
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(env.dialogs.FileDialogs()[0].request.fileName, L"");
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(frmCommandsEditorTest, AFailedSaveKeepsTheEditorOpenAndTriesTheSameFileAgain) {
    const std::wstring unwritable = temp.File(L"no such folder/menu.Larkspur");
    env.dialogs.ChooseFile(unwritable);
    // The system's reason follows the message: the folder does not exist.
#ifdef _WIN32
    const std::uint32_t missingFolder = 3;  // ERROR_PATH_NOT_FOUND
#else
    const std::uint32_t missingFolder = ENOENT;
#endif
    env.shell.SetSystemErrorText(missingFolder, L"Нет такой папки.");

    RunEditor([&](HeadlessForm& editor) {
        platform::HeldModifiers shift(env.keyboard, kShiftMask);
        editor.Click(L"cmdSave", kShiftMask);
        EXPECT_TRUE(editor.IsLoaded());
        env.keyboard.Release(vk::Shift);
        editor.Click(L"cmdSave");  // no dialog this time
        EXPECT_TRUE(editor.IsLoaded());
        editor.Click(L"cmdCancel");
    });
    EXPECT_EQ(env.dialogs.FileDialogs().size(), 1u);
    ASSERT_EQ(env.dialogs.Messages().size(), 2u);
    EXPECT_EQ(env.dialogs.Messages()[1].text,
              unwritable + L"\r\n\r\nНе удалось сохранить файл.\r\n\r\nНет такой папки.");
    EXPECT_EQ(model::Commands().ConfigFileName(), menu);
    EXPECT_FALSE(model::Commands().Updated());
}

// Another program added an item after the menu was read: the save asks, and No (the default)
// leaves the file byte for byte and the editor open.
TEST_F(frmCommandsEditorTest, ASaveOverAFileChangedSinceItWasReadAsksAndNoKeepsIt) {
    const std::string changed = testsupport::ReadFileBytes(menu) +
                                "[Item 5]\r\nTitle=Чужой\r\nFileName=other.exe\r\n";
    testsupport::WriteFileBytes(menu, changed);
    env.dialogs.AnswerMessage(platform::kIdNo);
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdSave");
        EXPECT_TRUE(editor.IsLoaded());
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    const platform::MessageRecord& question = env.dialogs.Messages()[0];
    EXPECT_EQ(question.text, menu + L"\r\n\r\nФайл меню изменён другой программой после того, как "
                                    L"был открыт. Сохранить меню поверх этих изменений?");
    EXPECT_EQ(question.style,
              platform::kMbIconWarning | platform::kMbYesNo | platform::kMbDefButton2);
    EXPECT_EQ(question.caption, L"Brindle - Show larkspur");
    EXPECT_EQ(testsupport::ReadFileBytes(menu), changed);
    EXPECT_FALSE(model::Commands().Updated());
}

// Yes saves; what was saved is what the next save compares with, through the clones the
// shared menu and the next editor take: a second save asks nothing.
TEST_F(frmCommandsEditorTest, YesSavesOverTheChangesAndTheNextSaveAsksNothing) {
    testsupport::WriteFileBytes(menu, "[Options]\r\nTitle=Другой\r\n");
    env.dialogs.AnswerMessage(platform::kIdYes);
    RunEditor([](HeadlessForm& editor) { editor.Click(L"cmdSave"); });
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdRemove");
        editor.Click(L"cmdSave");
        EXPECT_FALSE(editor.IsLoaded());
    });
    EXPECT_EQ(env.dialogs.Messages().size(), 1u);
    model::CCommands reread;
    reread.ConfigFileName(menu);
    reread.LoadItems();
    EXPECT_EQ(reread.Title(), L"Инструменты");
    EXPECT_EQ(reread.Count(), 4);
}

TEST_F(frmCommandsEditorTest, AFileMissingWhenReadAndThereNowCountsAsChanged) {
    const std::wstring fresh = temp.File(L"New.Larkspur");
    OpenMenu(fresh);
    testsupport::WriteFileBytes(fresh, "[Options]\r\nTitle=Чужое\r\n");
    env.dialogs.AnswerMessage(platform::kIdNo);
    RunEditor([](HeadlessForm& editor) {
        editor.Click(L"cmdSave");
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_NE(env.dialogs.Messages()[0].text.find(L"изменён другой программой"),
              std::wstring::npos);
    EXPECT_EQ(testsupport::ReadFileBytes(fresh), "[Options]\r\nTitle=Чужое\r\n");
}

// A document opened as a menu reads as an empty menu; F4 and Enter would replace it.
TEST_F(frmCommandsEditorTest, ASaveOverADocumentOpenedAsAMenuAsksAndNoKeepsIt) {
    const std::wstring document = temp.File(L"Notes.txt");
    const std::string notes = "Купить молоко.\r\nПозвонить = завтра\r\n";
    testsupport::WriteFileBytes(document, notes);
    OpenMenu(document);
    env.dialogs.AnswerMessage(platform::kIdNo);
    RunEditor([](HeadlessForm& editor) {
        editor.PressKey(vk::Return);
        EXPECT_TRUE(editor.IsLoaded());
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text,
              document + L"\r\n\r\nЭтот файл не похож на файл меню. Сохранить меню поверх него?");
    EXPECT_EQ(testsupport::ReadFileBytes(document), notes);
}

TEST_F(frmCommandsEditorTest, OnlyASuccessfulSaveAddsTheTitleToItsHistory) {
    RunEditor([](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"Отменено");
        editor.Click(L"cmdCancel");
    });
    RunEditor([](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"Сохранено");
        editor.Click(L"cmdSave");
    });
    env.dialogs.PickPopupEntry(0);
    RunEditor([](HeadlessForm& editor) {
        editor.SetText(L"txtTitle", L"");
        editor.Click(L"cmdTitleHistory");
        EXPECT_EQ(editor.Get<ui::HeadlessTextBox>(L"txtTitle").Text(), L"Сохранено");
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.PopupMenus().size(), 1u);
    EXPECT_EQ(env.dialogs.PopupMenus()[0].entries, (Texts{L"Сохранено"}));
}

// Files dropped or pasted from the shell, read in the background.
class frmCommandsEditorDropTest : public frmCommandsEditorTest {
protected:
    // A document and a folder in the temporary folder (ASCII names: natively the tests' paths
    // are converted in the C locale).
    std::vector<std::wstring> MakeFiles() {
        const std::wstring document = temp.File(L"Report.docx");
        testsupport::WriteFileBytes(document, "text");
        const std::wstring folder = temp.File(L"Photos");
        std::filesystem::create_directory(folder);
        return {document, folder};
    }

    // Shortcuts that cannot be read: "Broken01.lnk" ...
    std::vector<std::wstring> MakeBrokenShortcuts(int count) {
        std::vector<std::wstring> files;
        for (int i = 1; i <= count; ++i) {
            files.push_back(temp.File(L"Broken" + std::wstring(i < 10 ? L"0" : L"") +
                                      std::to_wstring(i) + L".lnk"));
            testsupport::WriteFileBytes(files.back(), "no shortcut");
        }
        return files;
    }

    static const std::wstring kLimit;
};

const std::wstring frmCommandsEditorDropTest::kLimit =
    L"Достигнуто ограничение на количество элементов в меню. Текущее - 1000.";

TEST_F(frmCommandsEditorDropTest, DroppedFilesGoBeforeTheRowInOrderWithTheFirstSelected) {
    const std::vector<std::wstring> files = MakeFiles();
    RunEditor([&](HeadlessForm& editor) {
        editor.DropFiles(L"lstItems", files, 2);
        EXPECT_TRUE(editor.IsWorking());
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 5u);  // nothing until the reading ends
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems"),
                  (Texts{L"0", L"1", L"Report", L"Photos", L"2", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 2);
        EXPECT_EQ(editor.ReportedProgress(), (std::pair{1, 2}));
        editor.DropFiles(L"lstItems", {files[0]}, 7);  // below the last row
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems").back(), L"Report");
        EXPECT_EQ(Selected(editor), 7);
        editor.Click(L"cmdCancel");
    });
    EXPECT_EQ(SharedTitles(), (Texts{L"0", L"1", L"2", L"3", L"4"}));  // nothing saved
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

// The list never changes under the reading: the commands that change it wait for its end.
TEST_F(frmCommandsEditorDropTest, WhileFilesAreReadTheListTakesNoEditAndNoOtherDrop) {
    const std::vector<std::wstring> files = MakeFiles();
    toolkit.clipboardFiles = {files[1]};
    RunEditor([&](HeadlessForm& editor) {
        editor.SelectRow(L"lstItems", 1);
        editor.DropFiles(L"lstItems", {files[0]}, 1);
        editor.DropFiles(L"lstItems", {files[1]}, 0);
        for (int key : {vk::A, vk::C, vk::E, vk::R, vk::Up, vk::Down, vk::V}) {
            editor.PressKey(key, kCtrlMask);
        }
        editor.DoubleClick(L"lstItems", 3);
        editor.PressKey(vk::Return);
        editor.Type(L"txtTitle", L"Новое");  // the title is no part of the list
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"1", L"2", L"3", L"4"}));
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems"), (Texts{L"0", L"Report", L"1", L"2", L"3", L"4"}));
        EXPECT_FALSE(editor.IsWorking());
        editor.Click(L"cmdCancel");
    });
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(frmCommandsEditorDropTest, EscStopsTheReadingAndTheDropAddsNothing) {
    const std::vector<std::wstring> files = MakeFiles();
    RunEditor([&](HeadlessForm& editor) {
        editor.DropFiles(L"lstItems", files, 0);
        editor.PressKey(vk::Escape);
        EXPECT_TRUE(editor.IsLoaded());
        EXPECT_FALSE(editor.IsWorking());
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 5u);
        editor.DropFiles(L"lstItems", files, 0);
        editor.CloseBox();  // the reading goes with the editor
        EXPECT_FALSE(editor.IsWorking());
    });
    EXPECT_TRUE(env.dialogs.Messages().empty());
}

TEST_F(frmCommandsEditorDropTest, FilesThatCannotBeReadAreNamedInOneMessage) {
    std::vector<std::wstring> files = MakeBrokenShortcuts(30);
    files.insert(files.begin() + 3, MakeFiles()[0]);
    testsupport::WriteFileBytes(temp.File(L"Empty.url"), "[InternetShortcut]\r\n");
    files.push_back(temp.File(L"Empty.url"));
    RunEditor([&](HeadlessForm& editor) {
        editor.DropFiles(L"lstItems", files, 5);
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems").back(), L"Report");
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].style, platform::kMbIconError | platform::kMbOk);
    std::wstring expected;
    for (int i = 0; i < 5; ++i) expected += files[i < 3 ? i : i + 1] + L"\r\n";
    expected += L"и ещё 25.\r\n\r\nНе удалось прочитать ярлык.\r\n\r\n" + temp.File(L"Empty.url") +
                L"\r\n\r\nВ ярлыке нет адреса.";
    EXPECT_EQ(env.dialogs.Messages()[0].text, expected);
}

TEST_F(frmCommandsEditorDropTest, TheMessageOfFilesLeftOutIsInTheInterfacesLanguage) {
    platform::UseLanguage(platform::PickLanguage(L"en", L""));
    const std::vector<std::wstring> files = MakeBrokenShortcuts(7);
    RunEditor([&](HeadlessForm& editor) {
        editor.DropFiles(L"lstItems", files, 0);
        editor.FinishWork();
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    std::wstring expected;
    for (int i = 0; i < 5; ++i) expected += files[i] + L"\r\n";
    expected += L"and 2 more.\r\n\r\nThe shortcut could not be read.";
    EXPECT_EQ(env.dialogs.Messages()[0].text, expected);
}

// Past the limit nothing is read: a damaged shortcut there is only left out.
TEST_F(frmCommandsEditorDropTest, ADropPastTheLimitAddsWhatFitsAndNamesWhatItLeftOut) {
    OpenMenuOf(998);
    const std::vector<std::wstring> broken = MakeBrokenShortcuts(2);
    const std::vector<std::wstring> made = MakeFiles();
    const std::vector<std::wstring> files{broken[0], made[0], made[1], broken[1]};
    RunEditor([&](HeadlessForm& editor) {
        editor.DropFiles(L"lstItems", files, 0);
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems").size(), 1000u);
        EXPECT_EQ(editor.Get<ui::ListControl>(L"lstItems").List(0), L"Report");
        editor.DropFiles(L"lstItems", {made[0]}, 0);  // a full menu reads nothing
        editor.FinishWork();
        editor.Click(L"cmdCancel");
    });
    ASSERT_EQ(env.dialogs.Messages().size(), 2u);
    EXPECT_EQ(env.dialogs.Messages()[0].text,
              broken[0] + L"\r\n\r\nНе удалось прочитать ярлык.\r\n\r\n" + broken[1] +
                  L"\r\n\r\n" + kLimit);
    EXPECT_EQ(env.dialogs.Messages()[1].text, made[0] + L"\r\n\r\n" + kLimit);
}

TEST_F(frmCommandsEditorDropTest, CtrlVInTheListPastesCopiedFilesBeforeTheSelectedRow) {
    toolkit.clipboardFiles = MakeFiles();
    RunEditor([](HeadlessForm& editor) {
        editor.Focus(L"txtTitle");
        editor.PressKey(vk::V, kCtrlMask);  // the title's own paste
        editor.SelectRow(L"lstItems", 1);
        editor.PressKey(vk::V, kCtrlMask | kShiftMask);
        EXPECT_FALSE(editor.IsWorking());
        editor.PressKey(vk::V, kCtrlMask);
        editor.FinishWork();
        EXPECT_EQ(Rows(editor, L"lstItems"),
                  (Texts{L"0", L"Report", L"Photos", L"1", L"2", L"3", L"4"}));
        EXPECT_EQ(Selected(editor), 1);
        editor.Click(L"cmdCancel");
    });
}

}  // namespace
