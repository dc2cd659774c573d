#include "platform/shell/ShellFiles.h"

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "platform/files/PathParts.h"

namespace platform {

namespace {

// Releases a COM interface when it goes.
template <class Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface** Receive() { return &pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// A text the link hands out through a buffer of `size` characters.
template <class Getter>
std::wstring LinkText(int size, Getter get) {
    std::vector<wchar_t> buffer(static_cast<size_t>(size), L'\0');
    if (FAILED(get(buffer.data(), size))) return {};
    buffer.back() = L'\0';
    return buffer.data();
}

// Arguments may be longer than a path; 32767 characters is the longest command line.
constexpr int kArgumentsSize = 32768;

}  // namespace

struct ShellNames::Folder {
    ~Folder() {
        if (shell) shell->Release();
    }

    std::wstring path;
    IShellFolder* shell = nullptr;  // null when the folder could not be bound
};

ShellNames::ShellNames() = default;
ShellNames::~ShellNames() = default;

// Asked through the folder, a name is the one the folder's view shows (SHGDN_NORMAL), which is
// what SHGetFileInfoW gives. A root has no folder to ask.
std::wstring ShellNames::DisplayName(const std::wstring& path) {
    std::wstring name = files::NameOf(path);
    if (name.empty()) {
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return path;
        return info.szDisplayName[0] ? info.szDisplayName : path;
    }
    const std::wstring folderPath = files::FolderOf(path);
    if (!folder_ || folder_->path != folderPath) {
        folder_ = std::make_unique<Folder>();
        folder_->path = folderPath;
        ComPointer<IShellFolder> desktop;
        PIDLIST_ABSOLUTE folder = nullptr;
        if (SUCCEEDED(SHGetDesktopFolder(desktop.Receive())) &&
            SUCCEEDED(SHParseDisplayName(folderPath.c_str(), nullptr, &folder, 0, nullptr))) {
            desktop->BindToObject(folder, nullptr, IID_IShellFolder,
                                  reinterpret_cast<void**>(&folder_->shell));
            CoTaskMemFree(folder);
        }
    }
    if (!folder_->shell) return name;
    PIDLIST_RELATIVE child = nullptr;
    if (FAILED(folder_->shell->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &child,
                                                nullptr))) {
        return name;
    }
    STRRET shown{};
    wchar_t* text = nullptr;
    const auto item = reinterpret_cast<PCUITEMID_CHILD>(child);
    if (SUCCEEDED(folder_->shell->GetDisplayNameOf(item, SHGDN_NORMAL, &shown))) {
        StrRetToStrW(&shown, item, &text);
    }
    CoTaskMemFree(child);
    if (text && text[0]) name = text;
    CoTaskMemFree(text);
    return name;
}

std::optional<ShortcutTarget> ReadShortcut(const std::wstring& path) {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
        FAILED(file->Load(path.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    ShortcutTarget target;
    // The raw path keeps the environment variables; S_FALSE with no path means a target that
    // is no file-system path.
    target.path = LinkText(MAX_PATH, [&](wchar_t* buffer, int size) {
        return link->GetPath(buffer, size, nullptr, SLGP_RAWPATH);
    });
    target.arguments = LinkText(kArgumentsSize, [&](wchar_t* buffer, int size) {
        return link->GetArguments(buffer, size);
    });
    target.workingFolder = LinkText(MAX_PATH, [&](wchar_t* buffer, int size) {
        return link->GetWorkingDirectory(buffer, size);
    });
    int showCommand = kSwShowNormal;
    if (SUCCEEDED(link->GetShowCmd(&showCommand))) target.showCommand = showCommand;
    ComPointer<IShellLinkDataList> data;
    DWORD flags = 0;
    target.advertised =
        SUCCEEDED(link->QueryInterface(IID_IShellLinkDataList, data.ReceiveVoid())) &&
        SUCCEEDED(data->GetFlags(&flags)) && (flags & SLDF_HAS_DARWINID) != 0;
    return target;
}

}  // namespace platform
