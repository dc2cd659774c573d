#include "platform/text/CaseFold.h"

#include <algorithm>
#include <cstdint>

namespace platform::text {
namespace {

// Non-ASCII text is folded piece by piece into buffers of this size on the stack.
constexpr size_t kPiece = 64;

bool IsAscii(wchar_t c) { return static_cast<unsigned long>(c) < 0x80; }

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

bool IsHighSurrogate(wchar_t c) {
    return static_cast<unsigned long>(c) >= 0xD800 && static_cast<unsigned long>(c) <= 0xDBFF;
}

// The length of the piece of both texts (of one length) that starts at pos and is folded at
// once: a surrogate pair stays whole, so the piece folds as it would within the whole text.
size_t PieceLength(std::wstring_view a, std::wstring_view b, size_t pos) {
    size_t length = std::min(kPiece, a.size() - pos);
    const size_t last = pos + length - 1;
    if (length > 1 && last + 1 < a.size() && (IsHighSurrogate(a[last]) || IsHighSurrogate(b[last]))) {
        --length;
    }
    return length;
}

// FNV-1a over the code units.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
std::uint64_t HashStep(std::uint64_t hash, wchar_t c) {
    return (hash ^ static_cast<std::uint32_t>(c)) * 1099511628211ull;
}

}  // namespace

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text.size(), L'\0');
    FoldCaseInto(text, folded.data());
    return folded;
}

// Folding ASCII is A..Z to a..z alone: both begin with it and turn to the general folding at the
// first other character.
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    size_t pos = 0;
    for (; pos < a.size() && IsAscii(a[pos]) && IsAscii(b[pos]); ++pos) {
        if (AsciiLower(a[pos]) != AsciiLower(b[pos])) return false;
    }
    wchar_t foldedA[kPiece];
    wchar_t foldedB[kPiece];
    while (pos < a.size()) {
        const size_t length = PieceLength(a, b, pos);
        FoldCaseInto(a.substr(pos, length), foldedA);
        FoldCaseInto(b.substr(pos, length), foldedB);
        if (!std::equal(foldedA, foldedA + length, foldedB)) return false;
        pos += length;
    }
    return true;
}

size_t HashIgnoringCase(std::wstring_view text) {
    std::uint64_t hash = kHashStart;
    size_t pos = 0;
    for (; pos < text.size() && IsAscii(text[pos]); ++pos) hash = HashStep(hash, AsciiLower(text[pos]));
    wchar_t folded[kPiece];
    while (pos < text.size()) {
        const size_t length = PieceLength(text, text, pos);
        FoldCaseInto(text.substr(pos, length), folded);
        for (size_t i = 0; i < length; ++i) hash = HashStep(hash, folded[i]);
        pos += length;
    }
    return static_cast<size_t>(hash);
}

}  // namespace platform::text
