#include "platform/headless/ScriptLog.h"

#include <cstdio>

namespace platform {

void ScriptLog::Fail(const std::string& what) {
    failures_.push_back(what);
    throw HeadlessScriptError(what);
}

std::string Printable(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text) {
        const auto code = static_cast<unsigned long>(c);
        if (code >= 0x20 && code < 0x7F) {
            result += static_cast<char>(code);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u{%lx}", code);
            result += escaped;
        }
    }
    return result;
}

}  // namespace platform
