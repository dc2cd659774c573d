#pragma once

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
// A lone surrogate (or natively a value that is no code point) is written as U+FFFD.
std::string ToUtf8(std::wstring_view text);

// An odd last byte is no character and is dropped. On Windows the code units are kept as they
// are, lone surrogates included, as the system's own functions keep them; natively a lone
// surrogate becomes U+FFFD.
std::wstring FromUtf16Le(std::string_view bytes);
std::wstring FromUtf16Be(std::string_view bytes);
std::string ToUtf16Le(std::wstring_view text);

// UTF-7 (RFC 2152), as Windows writes an internet shortcut's exact address. A run of base64 that
// leaves half a code unit drops it; the code units become text as FromUtf16Be makes them.
std::wstring FromUtf7(std::wstring_view text);

// The code page of 8-bit text that is neither UTF-16 nor UTF-8, given the system's ANSI code
// page and the user locale's legacy ANSI code page (LOCALE_IDEFAULTANSICODEPAGE): the ANSI code
// page, unless Windows runs with "Use Unicode UTF-8 for worldwide language support", where it
// is UTF-8 (65001) and would turn every letter of such a text into U+FFFD; then the user
// locale's, unless that is UTF-8 too or the locale has none (0); then Windows-1251.
unsigned LegacyCodePage(unsigned ansiCodePage, unsigned userLocaleAnsiCodePage);
// This system's legacy code page, as above; natively 1251.
unsigned SystemLegacyCodePage();

// 8-bit text in a code page. Natively Windows-1251 stands in for every code page. Characters
// that cannot be decoded become U+FFFD.
std::wstring FromCodePage(std::string_view bytes, unsigned codePage);

// The decoders above, writing to `out` and giving the end of what they wrote. `out` has room
// for as many characters as there are bytes, and the bytes may lie in that very memory, at its
// end (from sizeof(wchar_t) - 1 bytes a character on): every character is written over bytes
// already read, so a file's bytes become its text without a second copy.
wchar_t* PutUtf8(wchar_t* out, std::string_view bytes);
wchar_t* PutUtf16(wchar_t* out, std::string_view bytes, bool bigEndian);
wchar_t* PutCodePage(wchar_t* out, std::string_view bytes, unsigned codePage);

// Windows-1251 itself, built in (the native stand-in for the ANSI code page). Byte 0x98, which
// the code page leaves undefined, maps to U+0098 as on Windows.
wchar_t FromWindows1251(unsigned char byte);
// '?' when the code page has no such character.
char ToWindows1251(wchar_t character);

// True when every character is below U+0080.
bool IsAscii(std::wstring_view text);

}  // namespace platform::text
