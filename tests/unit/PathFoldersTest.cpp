// The PATH folders searched for a program's icon: those of this machine only.
#include <gtest/gtest.h>

#include "platform/shell/PathFolders.h"

namespace {

using Folders = std::vector<std::wstring>;

std::wstring ServerToolsExpanded(const std::wstring& text) {
    return text == L"%SERVER_TOOLS%" ? L"\\\\server\\tools" : text;
}

bool DriveNIsMapped(wchar_t drive) { return drive == L'N' || drive == L'n'; }

TEST(PathFoldersTest, AreInOrderUnquotedAndExpandedWithoutEmptyEntries) {
    EXPECT_EQ(platform::LocalPathFolders(L"C:\\Tools;;\"D:\\My Tools\";bin;", ServerToolsExpanded,
                                         DriveNIsMapped),
              (Folders{L"C:\\Tools", L"D:\\My Tools", L"bin"}));
}

TEST(PathFoldersTest, LeaveOutSharesAndNetworkDrives) {
    const std::wstring path =
        L"\\\\server\\bin;C:\\Tools;%SERVER_TOOLS%;n:\\mapped;//server/x;\\\\?\\UNC\\s\\bin;"
        L"\\\\?\\unc\\s\\bin;\\\\?\\C:\\Long;\\\\?\\N:\\Long;\\\\?\\Volume{1}\\bin";
    EXPECT_EQ(platform::LocalPathFolders(path, ServerToolsExpanded, DriveNIsMapped),
              (Folders{L"C:\\Tools", L"\\\\?\\C:\\Long", L"\\\\?\\Volume{1}\\bin"}));
}

}  // namespace
