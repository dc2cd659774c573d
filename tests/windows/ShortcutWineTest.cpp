// Shortcuts dropped on the menu editor, read through the shell: Wine writes real .lnk files with
// IShellLinkW::Save.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "model/DroppedFiles.h"
#include "platform/WinConstants.h"
#include "platform/win32/ComApartment.h"
#include "support/HeadlessFixture.h"

namespace {

class ShortcutWineTest : public testsupport::HeadlessTest {
protected:
    // Saves, as `name` in the temporary folder, the shortcut that `fill` describes.
    std::wstring SaveShortcut(const std::wstring& name, const std::function<void(IShellLinkW&)>& fill) {
        platform::EnsureComApartment();
        const std::wstring path = temp.File(name);
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IShellLinkW, reinterpret_cast<void**>(&link)));
        if (!link) return path;
        fill(*link);
        EXPECT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
        if (file) {
            EXPECT_HRESULT_SUCCEEDED(file->Save(path.c_str(), TRUE));
            file->Release();
        }
        link->Release();
        return path;
    }
};

// Wine keeps neither environment variables in a target nor the show command: both are Windows'
// (their reading is tested in DroppedFilesTest).
TEST_F(ShortcutWineTest, AShortcutGivesItsTargetArgumentsAndWorkingFolder) {
    const std::wstring path = SaveShortcut(L"Блокнот.lnk", [](IShellLinkW& link) {
        link.SetPath(L"C:\\windows\\system32\\notepad.exe");
        link.SetArguments(L"/a \"C:\\My Files\\list.txt\"");
        link.SetWorkingDirectory(L"C:\\Work");
    });
    const auto command = model::CommandFromFile(path);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Блокнот");
    EXPECT_EQ(command->FileName(), L"C:\\windows\\system32\\notepad.exe");
    EXPECT_EQ(command->Operation(), L"open");
    EXPECT_EQ(command->Parameters(), L"/a \"C:\\My Files\\list.txt\"");
    EXPECT_EQ(command->Directory(), L"C:\\Work");
}

TEST_F(ShortcutWineTest, AShortcutToNoFileSystemPathStartsTheShortcutItself) {
    const std::wstring path = SaveShortcut(L"Компьютер.lnk", [](IShellLinkW& link) {
        PIDLIST_ABSOLUTE computer = nullptr;
        ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
        link.SetIDList(computer);
        CoTaskMemFree(computer);
    });
    const auto command = model::CommandFromFile(path);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Компьютер");
    EXPECT_EQ(command->FileName(), path);
    EXPECT_EQ(command->Parameters(), L"");
    EXPECT_EQ(command->ShowCommand(), platform::kSwShowDefault);
}

TEST_F(ShortcutWineTest, AFileThatIsNoShortcutIsRefusedWithAMessage) {
    const std::wstring path = temp.File(L"Сломан.lnk");
    testsupport::WriteFileBytes(path, "no shortcut");
    EXPECT_FALSE(model::CommandFromFile(path));
    ASSERT_EQ(env.dialogs.Messages().size(), 1u);
    EXPECT_EQ(env.dialogs.Messages()[0].text, path + L"\r\n\r\nНе удалось прочитать ярлык.");
}

}  // namespace
