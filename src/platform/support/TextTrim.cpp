#include "platform/support/TextTrim.h"

#include <string_view>

namespace platform {
namespace {

struct TrimRules {
    bool leading;
    bool trailing;
    bool lineBreaks;
    bool unicodeBlanks;
    bool trailingDots;
};

bool IsUnicodeBlank(wchar_t c) {
    return c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool IsBlank(wchar_t c, const TrimRules& rules) {
    if (c == L' ' || c == L'\t') return true;
    if (rules.lineBreaks && (static_cast<unsigned long>(c) < 0x20 || c == 0x7F)) return true;
    return rules.unicodeBlanks && IsUnicodeBlank(c);
}

std::wstring_view TrimEnds(std::wstring_view text, const TrimRules& rules) {
    if (rules.leading) {
        while (!text.empty() && IsBlank(text.front(), rules)) text.remove_prefix(1);
    }
    if (rules.trailing || rules.trailingDots) {
        while (!text.empty() && ((rules.trailing && IsBlank(text.back(), rules)) ||
                                 (rules.trailingDots && text.back() == L'.'))) {
            text.remove_suffix(1);
        }
    }
    return text;
}

bool EnclosedBy(std::wstring_view text, wchar_t quote) {
    return text.size() >= 2 && text.front() == quote && text.back() == quote;
}

std::wstring CollapseInnerBlanks(std::wstring_view text, const TrimRules& rules) {
    std::wstring collapsed;
    collapsed.reserve(text.size());
    bool inBlanks = false;
    for (const wchar_t c : text) {
        if (IsBlank(c, rules)) {
            if (!inBlanks) collapsed.push_back(L' ');
            inBlanks = true;
        } else {
            collapsed.push_back(c);
            inBlanks = false;
        }
    }
    return collapsed;
}

}  // namespace

std::wstring asTrimEx(const std::wstring& text) {
    return std::wstring(TrimEnds(text, TrimRules{true, true, false, false, false}));
}

std::wstring asTrimEx2(const std::wstring& text, bool leading, bool trailing, bool lineBreaks,
                       bool doubleQuotes, bool unicodeBlanks, bool singleQuotes,
                       bool collapseInner, bool trailingDots, bool cutAtNul, bool repeat) {
    const TrimRules rules{leading, trailing, lineBreaks, unicodeBlanks, trailingDots};
    std::wstring_view rest = text;
    if (cutAtNul) rest = rest.substr(0, rest.find(L'\0'));
    rest = TrimEnds(rest, rules);
    for (bool removed = true; removed;) {
        removed = false;
        for (const auto& [wanted, quote] : {std::pair{doubleQuotes, L'"'},
                                           std::pair{singleQuotes, L'\''}}) {
            if (wanted && EnclosedBy(rest, quote)) {
                rest = TrimEnds(rest.substr(1, rest.size() - 2), rules);
                removed = repeat;
            }
        }
    }
    return collapseInner ? CollapseInnerBlanks(rest, rules) : std::wstring(rest);
}

}  // namespace platform
