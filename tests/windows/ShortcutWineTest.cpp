// Shortcuts dropped on the menu editor, read through the shell: Wine writes real .lnk files with
// IShellLinkW::Save; an installer's shortcut is written here byte by byte. A real drop on the
// real editor is read on its worker.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

#include "model/DroppedFiles.h"
#include "model/SharedCommands.h"
#include "platform/WinConstants.h"
#include "platform/shell/ShellFiles.h"
#include "platform/text/Encoding.h"
#include "platform/win32/ComApartment.h"
#include "support/HeadlessFixture.h"
#include "ui/editors/frmCommandsEditor.h"
#include "Win32Fixture.h"

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

// Little-endian fields, as the shell link format has them.
void PutBytes(std::string& bytes, unsigned long long value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A shortcut as the shell link format describes it: a header with HasLinkInfo and IsUnicode, and
// a LinkInfo whose local path is `path`. An installer's (advertised) one has HasDarwinID too and
// a Darwin data block holding the installer's descriptor; its path is the product's icon.
std::string ShortcutBytesByHand(const std::string& path, bool advertised) {
    std::string bytes;
    PutBytes(bytes, 0x4C, 4);  // header size
    bytes += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
    PutBytes(bytes, 0x2 | 0x80 | (advertised ? 0x1000 : 0), 4);  // HasLinkInfo, IsUnicode, HasDarwinID
    PutBytes(bytes, FILE_ATTRIBUTE_NORMAL, 4);
    bytes += std::string(3 * 8 + 4 + 4, '\0');  // times, size, icon index
    PutBytes(bytes, SW_SHOWNORMAL, 4);
    bytes += std::string(2 + 2 + 4 + 4, '\0');  // hot key, reserved

    const std::string volume = std::string("\x11\0\0\0\x03\0\0\0\x78\x56\x34\x12\x10\0\0\0", 16) + '\0';
    const size_t header = 0x1C;
    std::string info;
    PutBytes(info, header + volume.size() + path.size() + 1 + 1, 4);
    PutBytes(info, header, 4);
    PutBytes(info, 0x1, 4);  // VolumeIDAndLocalBasePath
    PutBytes(info, header, 4);
    PutBytes(info, header + volume.size(), 4);
    PutBytes(info, 0, 4);
    PutBytes(info, header + volume.size() + path.size() + 1, 4);
    info += volume + path + '\0' + '\0';
    bytes += info;

    const std::string descriptor = "[{90160000-0011-0000-0000-0000000FF1CE}]>Larkspur";
    if (!advertised) {
        PutBytes(bytes, 0, 4);  // terminal block
        return bytes;
    }
    PutBytes(bytes, 0x314, 4);
    PutBytes(bytes, 0xA0000006, 4);
    std::string ansi = descriptor;
    ansi.resize(260, '\0');
    bytes += ansi;
    for (size_t i = 0; i < 260; ++i) PutBytes(bytes, i < descriptor.size() ? descriptor[i] : 0, 2);
    PutBytes(bytes, 0, 4);  // terminal block
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

    platform::ShellNames names;
};

// Wine keeps neither environment variables in a target nor the show command: both are Windows'
// (their reading is tested in DroppedFilesTest).
TEST_F(ShortcutWineTest, AShortcutGivesItsTargetArgumentsAndWorkingFolder) {
    const std::wstring path = SaveShortcut(L"Блокнот.lnk", [](IShellLinkW& link) {
        link.SetPath(L"C:\\windows\\system32\\notepad.exe");
        link.SetArguments(L"/a \"C:\\My Files\\list.txt\"");
        link.SetWorkingDirectory(L"C:\\Work");
    });
    const auto command = model::CommandFromFile(path, names).command;
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
    const auto command = model::CommandFromFile(path, names).command;
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Title(), L"Компьютер");
    EXPECT_EQ(command->FileName(), path);
    EXPECT_EQ(command->Parameters(), L"");
    EXPECT_EQ(command->ShowCommand(), platform::kSwShowDefault);
}

// Windows gives the icon's path for it; Wine gives none (TakeShortcutTarget's test shows that the
// path is not taken): what tells it is the flag the shell reads from the file.
TEST_F(ShortcutWineTest, AnInstallersShortcutIsToldByItsFlagAndStartsTheShortcutItself) {
    platform::EnsureComApartment();
    const std::string icon = "C:\\windows\\Installer\\{90160000-0011-0000-0000-0000000FF1CE}\\wordicon.exe";
    const std::wstring plain = temp.File(L"Icon.lnk");
    testsupport::WriteFileBytes(plain, ShortcutBytesByHand(icon, false));
    const std::optional<platform::ShortcutTarget> plainTarget = platform::ReadShortcut(plain);
    ASSERT_TRUE(plainTarget);
    EXPECT_EQ(plainTarget->path, platform::text::FromUtf8(icon));
    EXPECT_FALSE(plainTarget->advertised);

    const std::wstring advertised = temp.File(L"Word.lnk");
    testsupport::WriteFileBytes(advertised, ShortcutBytesByHand(icon, true));
    const std::optional<platform::ShortcutTarget> target = platform::ReadShortcut(advertised);
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->advertised);
    const auto command = model::CommandFromFile(advertised, names).command;
    ASSERT_TRUE(command);
    EXPECT_EQ(command->FileName(), advertised);
}

// The real editor under the Win32 toolkit, and a drop sent to it as the shell posts one: the
// window answers again as soon as it has taken the drop, while its worker reads the files.
class EditorDropWine : public testsupport::Win32Test {
protected:
    EditorDropWine() : previousApp_(platform::App()) {
        platform::SetApp(testsupport::TestApplication(temp.Path()));
        model::SetCommands(nullptr);
        const std::wstring menu = temp.File(L"Меню.Larkspur");
        testsupport::WriteFileBytes(menu, "[Options]\r\nTitle=Menu\r\n[Item 0]\r\nTitle=0\r\n"
                                          "FileName=a.exe\r\n[Item 1]\r\nTitle=1\r\nFileName=b.exe\r\n");
        model::Commands().ConfigFileName(menu);
        model::Commands().LoadItems();
    }
    ~EditorDropWine() override {
        model::SetCommands(nullptr);
        platform::SetApp(previousApp_);
    }

    testsupport::TempFolder temp;

private:
    platform::Application previousApp_;
};

// A shown top-level window of that class, once there is one (5 s at most).
HWND ShownWindow(const wchar_t* className) {
    for (int tries = 0; tries < 500; ++tries) {
        HWND window = FindWindowW(className, nullptr);
        if (window && IsWindowVisible(window)) return window;
        Sleep(10);
    }
    return nullptr;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

TEST_F(EditorDropWine, ADropIsReadOnTheEditorsWorkerAndGoesInWhereItFell) {
    platform::EnsureComApartment();
    std::vector<std::wstring> files;
    for (int i = 0; i < 200; ++i) {
        files.push_back(temp.File(L"Файл " + std::to_wstring(i) + L".txt"));
        testsupport::WriteFileBytes(files.back(), "x");
    }
    files[1] = temp.File(L"Блокнот.lnk");
    testsupport::WriteFileBytes(files[1], ShortcutBytes([](IShellLinkW& link) {
                                    link.SetPath(L"C:\\windows\\system32\\notepad.exe");
                                    link.SetArguments(L"/a");
                                }));
    files[2] = temp.File(L"Поиск.url");
    testsupport::WriteFileBytes(files[2], "[InternetShortcut]\r\nURL=https://a.b/?q=??\r\n"
                                          "[InternetShortcut.W]\r\nURL=https://a.b/?q=+BDQEMA-\r\n");

    LRESULT rowsOnceTaken = -1;
    LRESULT rowsAtEnd = -1;
    HWND message = nullptr;
    std::thread user([&] {
        HWND form = ShownWindow(L"ShowLarkspur.Form");
        HWND list = FindWindowExW(form, nullptr, L"ListBox", nullptr);
        RECT row{};
        Ask(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
        POINT point{row.left + 2, row.top + 2};
        MapWindowPoints(list, form, &point, 1);
        // Sent, not posted: it returns once the form has taken the drop.
        Ask(form, WM_DROPFILES, reinterpret_cast<WPARAM>(testsupport::MakeDrop(files, point)));
        rowsOnceTaken = Ask(list, LB_GETCOUNT);
        for (int tries = 0; tries < 3000 && Ask(list, LB_GETCOUNT) < 202; ++tries) Sleep(10);
        rowsAtEnd = Ask(list, LB_GETCOUNT);
        message = FindWindowW(L"#32770", nullptr);
        if (message) PostMessageW(message, WM_COMMAND, IDOK, 0);
        PostMessageW(form, WM_COMMAND, IDOK, 0);  // Enter: Save
    });
    ui::frmCommandsEditor editor;
    editor.ShowModal();
    user.join();

    EXPECT_EQ(message, nullptr);
    EXPECT_EQ(rowsOnceTaken, 2);
    ASSERT_EQ(rowsAtEnd, 202);
    model::CCommands& saved = model::Commands();
    ASSERT_EQ(saved.Count(), 202);
    EXPECT_EQ(saved.Item(0)->Title(), L"0");
    EXPECT_EQ(saved.Item(1)->Title(), L"Файл 0");
    EXPECT_EQ(saved.Item(2)->FileName(), L"C:\\windows\\system32\\notepad.exe");
    EXPECT_EQ(saved.Item(2)->Parameters(), L"/a");
    EXPECT_EQ(saved.Item(3)->FileName(), L"https://a.b/?q=да");
    EXPECT_EQ(saved.Item(200)->Title(), L"Файл 199");
    EXPECT_EQ(saved.Item(201)->Title(), L"1");
}

}  // namespace
