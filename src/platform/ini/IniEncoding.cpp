#include "platform/ini/IniEncoding.h"

#include <utility>

#include "platform/text/Encoding.h"

namespace platform::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::wstring DecodeIniBytes(std::string_view bytes, unsigned legacyCodePage) {
    if (StartsWith(bytes, kUtf16LeBom)) return text::FromUtf16Le(bytes.substr(kUtf16LeBom.size()));
    if (StartsWith(bytes, kUtf16BeBom)) return text::FromUtf16Be(bytes.substr(kUtf16BeBom.size()));
    if (StartsWith(bytes, kUtf8Bom)) return text::FromUtf8(bytes.substr(kUtf8Bom.size()));
    if (auto text = text::FromValidUtf8(bytes)) return std::move(*text);
    return text::FromCodePage(bytes, legacyCodePage);
}

std::string EncodeIniText(std::wstring_view text) {
    if (text::IsAscii(text)) return std::string(text.begin(), text.end());
    return std::string(kUtf16LeBom) + text::ToUtf16Le(text);
}

}  // namespace platform::ini
