#include "platform/text/Encoding.h"

namespace platform::text {
namespace {
constexpr unsigned kUtf8CodePage = 65001;
constexpr unsigned kCyrillicCodePage = 1251;
}  // namespace

unsigned LegacyCodePage(unsigned ansiCodePage, unsigned userLocaleAnsiCodePage) {
    if (ansiCodePage != kUtf8CodePage) return ansiCodePage;
    if (userLocaleAnsiCodePage != kUtf8CodePage && userLocaleAnsiCodePage != 0) {
        return userLocaleAnsiCodePage;
    }
    return kCyrillicCodePage;
}

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
    std::wstring text(bytes.size(), L'\0');  // never more characters than bytes
    text.resize(static_cast<size_t>(PutCodePage(text.data(), bytes, codePage) - text.data()));
    return text;
}

}  // namespace platform::text
