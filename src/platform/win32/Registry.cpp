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

std::wstring ReadExpandedRegistryText(HKEY root, const std::wstring& keyPath, const wchar_t* name) {
    // RRF_RT_REG_SZ takes an expandable value too and expands it. Asking for REG_EXPAND_SZ as well
    // without RRF_NOEXPAND fails with ERROR_INVALID_PARAMETER before Windows 8.
    constexpr DWORD kText = RRF_RT_REG_SZ;
    // The expanded size is only estimated, and the value may change between calls: ask again
    // while the buffer is too small, a few times.
    std::wstring text;
    DWORD size = 0;
    LSTATUS status = RegGetValueW(root, keyPath.c_str(), name, kText, nullptr, nullptr, &size);
    for (int attempt = 0; attempt < 4 && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA);
         ++attempt) {
        text.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegGetValueW(root, keyPath.c_str(), name, kText, nullptr, text.data(), &size);
        if (status == ERROR_SUCCESS) {
            text.resize(wcsnlen(text.c_str(), text.size()));
            return text;
        }
    }
    return {};
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
