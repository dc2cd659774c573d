#pragma once

#include <string>

namespace platform {

// Leading and trailing blanks (spaces and tabs) removed.
std::wstring asTrimEx(const std::wstring& text);

// Trims by switches. The callers pass the first five true and the last five false, which turns
// a command-line argument into a usable file name: blanks and line breaks around it and one pair
// of double quotes enclosing it removed ("  \"C:\\My Menus\\a.Larkspur\"\r\n" ->
// "C:\\My Menus\\a.Larkspur").
//  1 leading        blanks at the start removed
//  2 trailing       blanks at the end removed
//  3 lineBreaks     CR, LF and the other control characters count as blanks
//  4 doubleQuotes   one pair of double quotes enclosing the whole text removed, and what they
//                   enclosed trimmed again by the switches on
//  5 unicodeBlanks  no-break, ideographic and the other Unicode spaces, the zero-width space and
//                   the byte-order mark count as blanks
//  6 singleQuotes   one pair of single quotes enclosing the whole text removed, and what they
//                   enclosed trimmed again
//  7 collapseInner  every run of blanks inside the text becomes one space
//  8 trailingDots   dots at the end removed together with the blanks there (Windows drops
//                   them from file names)
//  9 cutAtNul       the text ends at its first NUL character (a text from a fixed-size buffer)
// 10 repeat         the quote removals repeated while a pair still encloses the text
//                   ("\"\"a\"\"" -> "a")
// Blanks are spaces and tabs, and whatever switches 3 and 5 add.
std::wstring asTrimEx2(const std::wstring& text, bool leading, bool trailing, bool lineBreaks,
                       bool doubleQuotes, bool unicodeBlanks, bool singleQuotes,
                       bool collapseInner, bool trailingDots, bool cutAtNul, bool repeat);

}  // namespace platform
