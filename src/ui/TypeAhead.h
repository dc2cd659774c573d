#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

// Finding a list row by typing its title. Characters typed within about a second of each other
// form a search text, compared without case (Cyrillic included).
namespace ui {

// A longer pause starts a new search text (milliseconds).
inline constexpr std::uint32_t kTypingPause = 1000;

// The row a search text leads to, looked for from `current` (-1: none selected) on, wrapping
// round: first a title that begins with the text, then one with a word that begins with it, then
// one that contains it. A single character, or one key pressed again and again, goes to the
// next title after `current` that begins with it, as the list box always did. -1 when no title
// fits.
int FindTypedRow(const std::vector<std::wstring>& titles, std::wstring_view text, int current);

// The search text of one list.
class TypeAhead {
public:
    // A printable character typed at `time` (milliseconds on a clock that may wrap round):
    // selects the row the search text now leads to; the selection stays when none fits. False for
    // a control character, which is no part of a search.
    bool Type(wchar_t character, std::uint32_t time, ListControl& list);

private:
    std::wstring text_;
    std::uint32_t lastTime_ = 0;
};

}  // namespace ui
