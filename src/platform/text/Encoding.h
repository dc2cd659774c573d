#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the bytes of files and the program's wide text. Natively wchar_t holds
// UTF-32 code points, on Windows UTF-16 code units: every function here handles both. Bad input
// never fails: what cannot be decoded becomes U+FFFD (see each function for the details).
namespace platform::text {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// Each maximal invalid subsequence becomes one U+FFFD, as Windows' own decoder does.
std::wstring FromUtf8(std::string_view bytes);
// The text when the bytes are valid UTF-8 (see IsValidUtf8), otherwise nothing: checking and
// decoding in one pass.
std::optional<std::wstring> FromValidUtf8(std::string_view bytes);
// A lone surrogate (or natively a value that is no code point) is written as U+FFFD.
std::string ToUtf8(std::wstring_view text);

// An odd last byte is no character and is dropped. On Windows the code units are kept as they
// are, lone surrogates included, as the system's own functions keep them; natively a lone
// surrogate becomes U+FFFD.
std::wstring FromUtf16Le(std::string_view bytes);
std::wstring FromUtf16Be(std::string_view bytes);
std::string ToUtf16Le(std::wstring_view text);

// The system ANSI code page: on Windows the one the system uses (CP_ACP); natively
// Windows-1251, the Russian code page, stands in for it. Characters the code page lacks are
// written as '?'.
std::wstring FromAnsi(std::string_view bytes);
std::string ToAnsi(std::wstring_view text);

// Windows-1251 itself, built in (the native stand-in for the ANSI code page). Byte 0x98, which
// the code page leaves undefined, maps to U+0098 as on Windows.
wchar_t FromWindows1251(unsigned char byte);
// '?' when the code page has no such character.
char ToWindows1251(wchar_t character);

// True when every character is below U+0080.
bool IsAscii(std::wstring_view text);

}  // namespace platform::text
