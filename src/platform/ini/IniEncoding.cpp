#include "platform/ini/IniEncoding.h"

namespace platform::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// The text of the bytes, written to `out`, which may hold the bytes at its end (see
// text::PutUtf8): UTF-8 without BOM is checked whole before anything is written.
wchar_t* PutIniText(wchar_t* out, std::string_view bytes, unsigned legacyCodePage) {
    if (bytes.starts_with(kUtf16LeBom)) {
        return text::PutUtf16(out, bytes.substr(kUtf16LeBom.size()), false);
    }
    if (bytes.starts_with(kUtf16BeBom)) {
        return text::PutUtf16(out, bytes.substr(kUtf16BeBom.size()), true);
    }
    if (bytes.starts_with(kUtf8Bom)) return text::PutUtf8(out, bytes.substr(kUtf8Bom.size()));
    if (text::IsValidUtf8(bytes)) return text::PutUtf8(out, bytes);
    return text::PutCodePage(out, bytes, legacyCodePage);
}

}  // namespace

std::wstring DecodeIniBytes(std::string_view bytes, unsigned legacyCodePage) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(PutIniText(text.data(), bytes, legacyCodePage) - text.data()));
    return text;
}

char* IniTextBuffer::Room(size_t byteCount) {
    text_.assign(byteCount, L'\0');
    return reinterpret_cast<char*>(text_.data()) + byteCount * (sizeof(wchar_t) - 1);
}

std::wstring IniTextBuffer::Decode(size_t byteCount, unsigned legacyCodePage) {
    const char* bytes = reinterpret_cast<const char*>(text_.data()) +
                        text_.size() * (sizeof(wchar_t) - 1);
    wchar_t* const end = PutIniText(text_.data(), {bytes, byteCount}, legacyCodePage);
    text_.resize(static_cast<size_t>(end - text_.data()));
    return std::move(text_);
}

std::string EncodeIniText(std::wstring_view text) {
    if (text::IsAscii(text)) return std::string(text.begin(), text.end());
    return std::string(kUtf16LeBom) + text::ToUtf16Le(text);
}

}  // namespace platform::ini
