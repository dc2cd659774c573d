#include "ui/TypeAhead.h"

#include <algorithm>

#include "platform/text/CaseFold.h"

namespace ui {

namespace {

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// Blanks and punctuation end a word; letters of every script do not.
bool EndsWord(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    if (code < 0x80) return !IsAsciiLetterOrDigit(c);
    return (code >= 0xA0 && code <= 0xBF) || (code >= 0x2000 && code <= 0x206F) ||
           (code >= 0x3000 && code <= 0x303F);
}

bool HasWordBeginningWith(std::wstring_view title, std::wstring_view text) {
    for (size_t at = title.find(text); at != std::wstring_view::npos; at = title.find(text, at + 1)) {
        if (at == 0 || EndsWord(title[at - 1])) return true;
    }
    return false;
}

// The first of `count` rows from `start` on, wrapping round, whose folded title fits.
template <class Fits>
int FirstFrom(const std::vector<std::wstring>& folded, int start, Fits fits) {
    const int count = static_cast<int>(folded.size());
    for (int step = 0; step < count; ++step) {
        const int row = ((start + step) % count + count) % count;
        if (fits(folded[static_cast<size_t>(row)])) return row;
    }
    return -1;
}

}  // namespace

int FindTypedRow(const std::vector<std::wstring>& titles, std::wstring_view text, int current) {
    if (text.empty() || titles.empty()) return -1;
    const std::wstring wanted = platform::text::FoldCase(text);
    std::vector<std::wstring> folded;
    folded.reserve(titles.size());
    for (const std::wstring& title : titles) folded.push_back(platform::text::FoldCase(title));

    const std::wstring_view first(wanted.data(), 1);
    auto beginsWith = [](std::wstring_view part) {
        return [part](std::wstring_view title) { return title.starts_with(part); };
    };
    const int from = std::max(current, 0);
    const int next = current + 1;
    if (wanted.size() == 1) return FirstFrom(folded, next, beginsWith(first));

    int row = FirstFrom(folded, from, beginsWith(wanted));
    const bool oneKeyAgain = std::all_of(wanted.begin(), wanted.end(),
                                         [&](wchar_t c) { return c == wanted.front(); });
    if (row < 0 && oneKeyAgain) row = FirstFrom(folded, next, beginsWith(first));
    if (row < 0) {
        row = FirstFrom(folded, from,
                        [&](std::wstring_view title) { return HasWordBeginningWith(title, wanted); });
    }
    if (row < 0) {
        row = FirstFrom(folded, from, [&](std::wstring_view title) {
            return title.find(wanted) != std::wstring_view::npos;
        });
    }
    return row;
}

bool TypeAhead::Type(wchar_t character, std::uint32_t time, ListControl& list) {
    if (static_cast<unsigned long>(character) < 0x20 || character == 0x7F) return false;
    if (time - lastTime_ > kTypingPause) text_.clear();
    text_ += character;
    lastTime_ = time;

    std::vector<std::wstring> titles;
    titles.reserve(static_cast<size_t>(list.ListCount()));
    for (int row = 0; row < list.ListCount(); ++row) titles.push_back(list.List(row));
    const int row = FindTypedRow(titles, text_, list.ListIndex());
    if (row >= 0) list.SetListIndex(row);
    return true;
}

}  // namespace ui
