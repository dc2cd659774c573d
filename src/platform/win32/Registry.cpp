#include "platform/win32/Registry.h"

#include <vector>

namespace platform {

namespace {

class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

const wchar_t* ValueName(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

}  // namespace

std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& keyPath,
                                             const std::wstring& name) {
    OpenKey key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The value may change between the two calls: ask again while the buffer is too small.
    std::vector<BYTE> data;
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        LONG status = RegQueryValueExW(key.Get(), ValueName(name), nullptr, &type,
                                       data.empty() ? nullptr : data.data(), &size);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && data.size() < size)) {
            data.resize(size + sizeof(wchar_t));
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        // A stored string need not end with a NUL; a trailing one is not part of the text.
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
}

bool WriteRegistryText(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                       const std::wstring& value) {
    OpenKey key;
    if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), ValueName(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace platform
