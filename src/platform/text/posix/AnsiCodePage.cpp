#include "platform/text/Encoding.h"

namespace platform::text {

unsigned SystemLegacyCodePage() { return 1251; }

wchar_t* PutCodePage(wchar_t* out, std::string_view bytes, unsigned /*codePage*/) {
    for (const char byte : bytes) *out++ = FromWindows1251(static_cast<unsigned char>(byte));
    return out;
}

}  // namespace platform::text
