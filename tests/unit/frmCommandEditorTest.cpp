// The command editor: its fields for a new, an existing and a copied item, trimming and
// validation on OK, histories and browse dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "model/CCommand.h"
#include "platform/WinConstants.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"
#include "ui/editors/frmCommandEditor.h"
#include "ui/editors/frmCommandsEditor.h"
#include "ui/headless/HeadlessControls.h"

namespace {

namespace vk = platform::vk;
using ui::HeadlessForm;
using Texts = std::vector<std::wstring>;

constexpr wchar_t kPaths[] = L"Software\\Brindle\\ShowLarkspur\\OFN Paths";

class frmCommandEditorTest : public testsupport::FormTest {
protected:
    // Shows a command editor for `menuEditor` with `script` acting inside it.
    void RunDialog(std::function<void(HeadlessForm&)> script) {
        toolkit.OnModal(L"frmCommandEditor", std::move(script));
        ui::frmCommandEditor dialog(menuEditor);
        dialog.ShowModal();
    }

    static std::wstring Text(HeadlessForm& dialog, const std::wstring& box) {
        return dialog.Get<ui::HeadlessTextBox>(box).Text();
    }
    static int ShowCommandRow(HeadlessForm& dialog) {
        return dialog.Get<ui::ListControl>(L"cboShowCommand").ListIndex();
    }
    std::shared_ptr<model::CCommand> Item(const std::wstring& title, int showCommand) {
        auto item = std::make_shared<model::CCommand>();
        item->Title(title);
        item->FileName(L"C:\\Tools\\app.exe");
        item->Operation(L"print");
        item->Parameters(L"/x \"a b\"");
        item->Directory(L"C:\\Work");
        item->ShowCommand(showCommand);
        return item;
    }

    ui::frmCommandsEditor menuEditor;
};

TEST_F(frmCommandEditorTest, HasTheLabelsButtonsAndToolTipsOfItsDesign) {
    RunDialog([](HeadlessForm& dialog) {
        Texts labels;
        for (int i = 0; i < 6; ++i) labels.push_back(dialog.Get<ui::HeadlessLabel>(L"lblTag", i).Caption());
        EXPECT_EQ(labels, (Texts{L"Заголовок:", L"Имя файла:", L"Операция:", L"Параметры:",
                                 L"Каталог:", L"Стиль окна:"}));
        Texts order;
        for (const auto& control : dialog.Controls()) order.push_back(control->Name());
        EXPECT_EQ(order, (Texts{L"lblTag", L"txtTitle", L"cmdTitleHistory", L"lblTag", L"txtFileName",
                                L"cmdFileNameHistory", L"cmdFileNameBrowse", L"lblTag", L"txtOperation",
                                L"cmdOperationHistory", L"lblTag", L"txtParameters",
                                L"cmdParametersHistory", L"cmdParametersBrowse", L"lblTag",
                                L"txtDirectory", L"cmdDirectoryHistory", L"cmdDirectoryBrowse",
                                L"lblTag", L"cboShowCommand", L"cmdOk", L"cmdCancel", L"shpBack"}));
        EXPECT_EQ(dialog.Get<ui::HeadlessButton>(L"cmdDirectoryBrowse").Spec().toolTip, L" Обзор ");
        EXPECT_EQ(dialog.Get<ui::HeadlessButton>(L"cmdOperationHistory").Spec().toolTip, L" История ");
        EXPECT_EQ(dialog.Get<ui::HeadlessButton>(L"cmdOk").Caption(), L"Ok");
        EXPECT_EQ(dialog.Caption(), L"Команда");
        EXPECT_EQ(dialog.ScaleWidth(), 6135);
        EXPECT_EQ(dialog.ScaleHeight(), 3555);
        EXPECT_TRUE(dialog.systemMenuTrimmed);
        dialog.PressKey(vk::Escape);
    });
}

TEST_F(frmCommandEditorTest, ANewItemStartsBlankWithOpenAndShowDefault) {
    menuEditor.CommandEditorOk = true;
    RunDialog([this](HeadlessForm& dialog) {
        EXPECT_FALSE(menuEditor.CommandEditorOk);
        for (const wchar_t* box : {L"txtTitle", L"txtFileName", L"txtParameters", L"txtDirectory"}) {
            EXPECT_EQ(Text(dialog, box), L"") << box;
        }
        EXPECT_EQ(Text(dialog, L"txtOperation"), L"open");
        EXPECT_EQ(Rows(dialog, L"cboShowCommand").size(), 12u);
        EXPECT_EQ(ShowCommandRow(dialog), 10);
        EXPECT_EQ(Rows(dialog, L"cboShowCommand")[10], L"SW_SHOWDEFAULT");
        dialog.Click(L"cmdCancel");
    });
    EXPECT_EQ(menuEditor.CurrentCommand, nullptr);
}

TEST_F(frmCommandEditorTest, AnExistingItemFillsTheFieldsAndTheShowCommandByNumber) {
    for (int showCommand : {0, 11}) {
        menuEditor.CurrentCommand = Item(L"Пункт", showCommand);
        RunDialog([&](HeadlessForm& dialog) {
            EXPECT_EQ(Text(dialog, L"txtTitle"), L"Пункт");
            EXPECT_EQ(Text(dialog, L"txtParameters"), L"/x \"a b\"");
            EXPECT_EQ(Text(dialog, L"txtOperation"), L"print");
            EXPECT_EQ(ShowCommandRow(dialog), showCommand);
            dialog.Click(L"cmdCancel");
        });
    }
}

TEST_F(frmCommandEditorTest, OkTrimsEveryFieldAndWritesTheItem) {
    RunDialog([](HeadlessForm& dialog) {
        dialog.Type(L"txtTitle", L"  Заметки \t");
        dialog.Type(L"txtFileName", L" notepad.exe ");
        dialog.SetText(L"txtOperation", L" edit ");
        dialog.SetText(L"txtParameters", L"");
        dialog.SetText(L"txtDirectory", L"  C:\\Docs  ");
        dialog.SelectRow(L"cboShowCommand", 3);
        dialog.Focus(L"txtDirectory");
        dialog.PressKey(vk::Return);  // the default button
        EXPECT_FALSE(dialog.IsLoaded());
    });
    ASSERT_NE(menuEditor.CurrentCommand, nullptr);
    const model::CCommand& item = *menuEditor.CurrentCommand;
    EXPECT_EQ(item.Title(), L"Заметки");
    EXPECT_EQ(item.FileName(), L"notepad.exe");
    EXPECT_EQ(item.Operation(), L"edit");
    EXPECT_EQ(item.Parameters(), L"");
    EXPECT_EQ(item.Directory(), L"C:\\Docs");
    EXPECT_EQ(item.ShowCommand(), 3);
    EXPECT_TRUE(menuEditor.CommandEditorOk);
}

TEST_F(frmCommandEditorTest, AnEmptyTitleIsRefusedFirstWithTheFocusOnIt) {
    auto item = Item(L"Было", 1);
    menuEditor.CurrentCommand = item;
    RunDialog([this](HeadlessForm& dialog) {
        dialog.SetText(L"txtTitle", L"   ");
        dialog.SetText(L"txtFileName", L"");
        dialog.Click(L"cmdOk");
        EXPECT_TRUE(dialog.IsLoaded());
        EXPECT_EQ(dialog.FocusedName(), L"txtTitle");
        EXPECT_EQ(Text(dialog, L"txtTitle"), L"");
        EXPECT_EQ(env.dialogs.Messages().back().text, L"Заголовок не должен быть пуст!");
        dialog.SetText(L"txtTitle", L"Стало");
        dialog.Click(L"cmdOk");
        EXPECT_EQ(dialog.FocusedName(), L"txtFileName");
        EXPECT_EQ(env.dialogs.Messages().back().text, L"Имя файла не должно быть пусто!");
        dialog.Click(L"cmdCancel");  // after failed OKs the item is still untouched
    });
    EXPECT_EQ(env.dialogs.Messages().size(), 2u);
    EXPECT_EQ(env.dialogs.Messages()[0].style, platform::kMbIconError | platform::kMbOk);
    EXPECT_EQ(item->Title(), L"Было");
    EXPECT_FALSE(menuEditor.CommandEditorOk);
}

// Nothing was added: the histories are not written, and an entry that another instance wrote
// meanwhile stays.
TEST_F(frmCommandEditorTest, TheCloseBoxWritesNothingHistoriesIncluded) {
    auto item = Item(L"Было", 1);
    menuEditor.CurrentCommand = item;
    const std::filesystem::path folder(app.DataFolder);
    const std::string otherInstance = "\xEF\xBB\xBF" "Другой\r\n";
    RunDialog([&](HeadlessForm& dialog) {
        dialog.SetText(L"txtTitle", L"Стало");
        std::filesystem::create_directories(folder);
        testsupport::WriteFileBytes(folder / L"Title History.DAT", otherInstance);
        dialog.CloseBox();
    });
    EXPECT_EQ(item->Title(), L"Было");
    EXPECT_EQ(testsupport::ReadFileBytes(folder / L"Title History.DAT"), otherInstance);
    EXPECT_FALSE(std::filesystem::exists(folder / L"File Name History.DAT"));
}

TEST_F(frmCommandEditorTest, OkAddsEveryTrimmedFieldToItsHistory) {
    RunDialog([](HeadlessForm& dialog) {
        dialog.SetText(L"txtTitle", L" Т1 ");
        dialog.SetText(L"txtFileName", L"f1.exe");
        dialog.Click(L"cmdOk");
    });
    // Empty parameters and directory leave nothing to offer: three popups only.
    for (int i = 0; i < 3; ++i) env.dialogs.PickPopupEntry(0);
    RunDialog([](HeadlessForm& dialog) {
        for (const wchar_t* button : {L"cmdTitleHistory", L"cmdFileNameHistory", L"cmdOperationHistory",
                                      L"cmdParametersHistory", L"cmdDirectoryHistory"}) {
            dialog.Click(button);
        }
        EXPECT_EQ(Text(dialog, L"txtTitle"), L"Т1");
        EXPECT_EQ(Text(dialog, L"txtFileName"), L"f1.exe");
        EXPECT_EQ(Text(dialog, L"txtOperation"), L"open");
        dialog.Click(L"cmdCancel");
    });
    EXPECT_EQ(env.dialogs.PopupMenus().size(), 3u);
}

TEST_F(frmCommandEditorTest, TheFileBrowseOffersExecutablesAndRemembersItsFolder) {
    env.settings.Write(kPaths, L"Last open File Name directory", temp.Path().wstring());
    env.dialogs.ChooseFile(L"C:\\Programs\\Sub\\tool.exe");
    RunDialog([](HeadlessForm& dialog) {
        dialog.SetText(L"txtFileName", L"old.exe");
        dialog.Click(L"cmdFileNameBrowse");
        EXPECT_EQ(Text(dialog, L"txtFileName"), L"C:\\Programs\\Sub\\tool.exe");
        EXPECT_EQ(dialog.FocusedName(), L"txtFileName");
        dialog.Click(L"cmdCancel");
    });
    const platform::FileDialogRequest& request = env.dialogs.FileDialogs().at(0).request;
    EXPECT_EQ(request.filter,
              L"Исполняемые файлы|*.EXE;*.COM;*.BAT;*.VBS;*.JS;*WSH|Все файлы|*.*");
    EXPECT_EQ(request.initDir, temp.Path().wstring());
    EXPECT_EQ(request.fileName, L"");
    EXPECT_EQ(env.settings.Read(kPaths, L"Last open File Name directory"), L"C:\\Programs\\Sub");
}

TEST_F(frmCommandEditorTest, TheParametersBrowseReplacesTheWholeTextUnquoted) {
    env.dialogs.ChooseFile(L"C:\\My Files\\a b.txt");
    env.dialogs.CancelFileDialog();
    RunDialog([](HeadlessForm& dialog) {
        dialog.SetText(L"txtParameters", L"/switch");
        dialog.Click(L"cmdParametersBrowse");
        EXPECT_EQ(Text(dialog, L"txtParameters"), L"C:\\My Files\\a b.txt");
        dialog.Focus(L"txtTitle");
        dialog.Click(L"cmdParametersBrowse");  // cancelled: nothing changes
        EXPECT_EQ(Text(dialog, L"txtParameters"), L"C:\\My Files\\a b.txt");
        dialog.Click(L"cmdCancel");
    });
    EXPECT_EQ(env.dialogs.FileDialogs().at(0).request.filter, L"Все файлы|*.*");
    EXPECT_EQ(env.settings.Read(kPaths, L"Last open Parameters directory"), L"C:\\My Files");
}

TEST_F(frmCommandEditorTest, TheFolderBrowserStartsFromTheFieldText) {
    env.dialogs.ChooseFolder(L"D:\\Work");
    RunDialog([this](HeadlessForm& dialog) {
        dialog.SetText(L"txtDirectory", temp.Path().wstring());
        dialog.Click(L"cmdDirectoryBrowse");
        EXPECT_EQ(Text(dialog, L"txtDirectory"), L"D:\\Work");
        EXPECT_EQ(dialog.FocusedName(), L"txtDirectory");
        dialog.Click(L"cmdCancel");
    });
    const platform::FolderBrowserRecord& browser = env.dialogs.FolderBrowsers().at(0);
    EXPECT_EQ(browser.initialFolder, temp.Path().wstring());
    EXPECT_EQ(browser.prompt,
              L"Выбирите каталог, который будет назначен по умолчанию для запускающейся команды.");
}

TEST_F(frmCommandEditorTest, EnteringATextFieldSelectsItsWholeText) {
    RunDialog([](HeadlessForm& dialog) {
        dialog.SetText(L"txtOperation", L"runas");
        dialog.Focus(L"txtOperation");
        EXPECT_EQ(dialog.Get<ui::HeadlessTextBox>(L"txtOperation").SelectedText(), L"runas");
        dialog.Click(L"cmdCancel");
    });
}

}  // namespace
