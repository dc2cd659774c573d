#include "platform/win32/SystemErrorText.h"

#include "platform/texts/Texts.h"

namespace platform {

// In the interface's language where Windows has its texts in it, else in Windows' own.
std::wstring SystemErrorText(DWORD code) {
    std::wstring text;
    for (const DWORD language : {static_cast<DWORD>(CurrentLanguage()), DWORD{0}}) {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                                FORMAT_MESSAGE_FROM_SYSTEM |
                                                FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, code, language,
                                            reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        if (length && buffer) text.assign(buffer, length);
        if (buffer) LocalFree(buffer);
        if (!text.empty()) break;
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace platform
