// Shortcuts dropped on the menu editor, read through the shell: Wine writes real .lnk files with
// IShellLinkW::Save.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "model/DroppedFiles.h"
#include "platform/WinConstants.h"
#include "platform/win32/ComApartment.h"
#include "support/HeadlessFixture.h"

namespace {

// The bytes of the shortcut that `fill` describes, as the shell writes them. Written through
// IPersistStream: Wine's IPersistFile::Save also starts its menu builder for every shortcut.
std::string ShortcutBytes(const std::function<void(IShellLinkW&)>& fill) {
    platform::EnsureComApartment();
    IShellLinkW* link = nullptr;
    IPersistStream* persist = nullptr;
    IStream* stream = nullptr;
    std::string bytes;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        fill(*link);
        HGLOBAL memory = nullptr;
        STATSTG status{};
        if (SUCCEEDED(persist->Save(stream, TRUE)) && SUCCEEDED(GetHGlobalFromStream(stream, &memory)) &&
            SUCCEEDED(stream->Stat(&status, STATFLAG_NONAME))) {
            bytes.assign(static_cast<const char*>(GlobalLock(memory)),
                         static_cast<size_t>(status.cbSize.QuadPart));
            GlobalUnlock(memory);
        }
    }
    for (IUnknown* made : std::initializer_list<IUnknown*>{stream, persist, link}) {
        if (made) made->Release();
    }
    EXPECT_FALSE(bytes.empty()) << "the shell wrote no shortcut";
    return bytes;
}

class ShortcutWineTest : public testsupport::HeadlessTest {
protected:
    // Saves, as `name` in the temporary folder, the shortcut that `fill` describes.
    std::wstring SaveShortcut(const std::wstring& name, const std::function<void(IShellLinkW&)>& fill) {
        const std::wstring path = temp.File(name);
        testsupport::WriteFileBytes(path, ShortcutBytes(fill));
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

}  // namespace
