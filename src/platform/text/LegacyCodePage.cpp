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

}  // namespace platform::text
