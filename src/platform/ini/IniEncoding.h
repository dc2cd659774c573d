#pragma once

#include <string>
#include <string_view>

#include "platform/text/Encoding.h"

namespace platform::ini {

// The text of an INI file: UTF-16LE with BOM, UTF-16BE with BOM, UTF-8 with BOM, UTF-8 without
// BOM when the bytes are valid UTF-8, otherwise the legacy code page (text::LegacyCodePage).
// The BOM is not part of the text. The text takes at most one character per byte.
std::wstring DecodeIniBytes(std::string_view bytes,
                            unsigned legacyCodePage = text::SystemLegacyCodePage());

// Memory for a file's bytes in which they are then decoded to its text, so that reading an INI
// file takes no more memory than its text: the bytes go to the end of room for as many
// characters (see text::PutUtf8).
class IniTextBuffer {
public:
    // Memory for `byteCount` bytes; asked again, it is made anew.
    char* Room(size_t byteCount);
    // The text of the first `byteCount` bytes placed in the room, as DecodeIniBytes gives it;
    // the buffer is left empty.
    std::wstring Decode(size_t byteCount,
                        unsigned legacyCodePage = text::SystemLegacyCodePage());

private:
    std::wstring text_;
};

// File bytes for INI text: plain ASCII when the text is all ASCII (what the profile functions
// write), otherwise UTF-16LE with BOM, which they read as Unicode, so no character is lost.
std::string EncodeIniText(std::wstring_view text);

}  // namespace platform::ini
