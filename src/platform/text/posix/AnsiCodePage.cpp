#include "platform/text/Encoding.h"

namespace platform::text {

unsigned SystemLegacyCodePage() { return 1251; }

std::wstring FromCodePage(std::string_view bytes, unsigned /*codePage*/) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) text.push_back(FromWindows1251(static_cast<unsigned char>(byte)));
    return text;
}

}  // namespace platform::text
