#include <gtest/gtest.h>

#include "app/modAppWindowTitle.h"

namespace {
const std::wstring kEditorCaption = L"Редактор команд";
const std::wstring kPlaceholder = L"Untitled";
}  // namespace

TEST(DocumentTitle, AnUnsavedDocumentShowsThePlaceholder) {
    EXPECT_EQ(L"Untitled - Редактор команд",
              app::ComposeDocumentTitle(kEditorCaption, L"", kPlaceholder));
}

TEST(DocumentTitle, ASavedDocumentShowsOnlyTheLastPartOfItsPath) {
    EXPECT_EQ(L"Tools.Larkspur - Редактор команд",
              app::ComposeDocumentTitle(kEditorCaption, L"C:\\Menus\\Work\\Tools.Larkspur",
                                        kPlaceholder));
}

TEST(DocumentTitle, KeepsTheExtensionOfTheFileName) {
    EXPECT_EQ(L"Меню.Larkspur - Редактор команд",
              app::ComposeDocumentTitle(kEditorCaption, L"D:\\Меню.Larkspur", kPlaceholder));
}

TEST(DocumentTitle, AFileNameWithoutFolderIsShownAsItIs) {
    EXPECT_EQ(L"Tools.Larkspur - Редактор команд",
              app::ComposeDocumentTitle(kEditorCaption, L"Tools.Larkspur", kPlaceholder));
}

TEST(DocumentTitle, ANetworkPathContributesOnlyItsFileName) {
    EXPECT_EQ(L"My Menu.Larkspur - Caption",
              app::ComposeDocumentTitle(L"Caption", L"\\\\server\\share\\dir\\My Menu.Larkspur",
                                        kPlaceholder));
}

TEST(DocumentTitle, ThePlaceholderIsUsedOnlyWhenThereIsNoFileName) {
    EXPECT_EQ(L"a.b - Caption", app::ComposeDocumentTitle(L"Caption", L"C:\\a.b", L"None"));
    EXPECT_EQ(L"None - Caption", app::ComposeDocumentTitle(L"Caption", L"", L"None"));
}
