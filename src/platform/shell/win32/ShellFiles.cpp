#include "platform/shell/ShellFiles.h"

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/files/PathParts.h"
#include "platform/win32/ComApartment.h"

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

std::wstring ShellDisplayName(const std::wstring& path) {
    EnsureComApartment();
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) ||
        info.szDisplayName[0] == L'\0') {
        return files::NameOf(path);
    }
    return info.szDisplayName;
}

std::optional<ShortcutTarget> ReadShortcut(const std::wstring& path) {
    EnsureComApartment();
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
