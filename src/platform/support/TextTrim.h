#pragma once

#include <string>

namespace platform {

// Leading and trailing blanks (spaces and tabs) removed.
std::wstring asTrimEx(const std::wstring& text);

// Trims by switches; the callers pass the first five true and the last five false, which turns a
// command-line argument into a usable file name. The meaning of each switch is documented at
// its definition.
std::wstring asTrimEx2(const std::wstring& text, bool s1, bool s2, bool s3, bool s4, bool s5,
                       bool s6, bool s7, bool s8, bool s9, bool s10);

}  // namespace platform
