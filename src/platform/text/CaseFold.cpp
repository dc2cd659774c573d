#include "platform/text/CaseFold.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>
#include <type_traits>

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

// Names are hashed with keys drawn at random once per process. A hash known in advance lets a
// file hold names made to share it, and names of one hash are told apart only by going through
// them all. Names of up to kShortName code units, nearly all of them, take a multilinear hash,
// which is as fast as the plainest ones; longer names take SipHash-1-3, which needs no key per
// position.
constexpr size_t kShortName = 256;

struct HashKeys {
    std::uint64_t sip[2];
    std::uint64_t multilinear[kShortName + 2];  // the sum's start, a key per unit, the end's
};

std::uint64_t RandomSeed() {
    try {
        std::random_device random;
        return std::uint64_t{random()} << 32 | random();
    } catch (const std::exception&) {
        // Without a source of random bits, the moment and the stack's place still make a seed
        // that no file can be written against in advance.
        const auto now = static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        return now ^ static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&now));
    }
}

// The keys, spread from the seed by SplitMix64.
const HashKeys& Keys() {
    static const HashKeys keys = [] {
        HashKeys made{};
        std::uint64_t state = RandomSeed();
        const auto next = [&state] {
            std::uint64_t z = state += 0x9E3779B97F4A7C15ull;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            return z ^ (z >> 31);
        };
        for (std::uint64_t& key : made.sip) key = next();
        for (std::uint64_t& key : made.multilinear) key = next();
        return made;
    }();
    return keys;
}

// Lemire and Kaser's multilinear hash: the top half of the sum of each unit times its
// position's key. It is strongly universal: whatever two names are, they share a hash no more
// often than chance would have them. An end unit (2^32, above every unit) keeps a name apart
// from its longer continuations.
class MultilinearHash {
public:
    explicit MultilinearHash(const HashKeys& keys)
        : sum_(keys.multilinear[0]), key_(keys.multilinear + 1) {}

    void Add(wchar_t c) { sum_ += *key_++ * static_cast<std::uint32_t>(c); }

    size_t Finish() const { return static_cast<size_t>((sum_ + (*key_ << 32)) >> 32); }

private:
    std::uint64_t sum_;
    const std::uint64_t* key_;
};

// SipHash-1-3 over the units, as many to a word as it holds, the first in the low bits.
class SipHash {
public:
    explicit SipHash(const HashKeys& keys)
        : v0_(keys.sip[0] ^ 0x736f6d6570736575ull),
          v1_(keys.sip[1] ^ 0x646f72616e646f6dull),
          v2_(keys.sip[0] ^ 0x6c7967656e657261ull),
          v3_(keys.sip[1] ^ 0x7465646279746573ull) {}

    void Add(wchar_t c) {
        word_ |= std::uint64_t{static_cast<std::make_unsigned_t<wchar_t>>(c)} << wordBits_;
        wordBits_ += kUnitBits;
        bytes_ = static_cast<std::uint8_t>(bytes_ + sizeof(wchar_t));
        if (wordBits_ == 64) {
            Absorb(word_);
            word_ = 0;
            wordBits_ = 0;
        }
    }

    size_t Finish() {
        Absorb(word_ | std::uint64_t{bytes_} << 56);
        v2_ ^= 0xff;
        for (int i = 0; i < 3; ++i) Round();
        return static_cast<size_t>(v0_ ^ v1_ ^ v2_ ^ v3_);
    }

private:
    static constexpr unsigned kUnitBits = 8 * sizeof(wchar_t);

    void Absorb(std::uint64_t word) {
        v3_ ^= word;
        Round();
        v0_ ^= word;
    }

    void Round() {
        v0_ += v1_;
        v1_ = std::rotl(v1_, 13) ^ v0_;
        v0_ = std::rotl(v0_, 32);
        v2_ += v3_;
        v3_ = std::rotl(v3_, 16) ^ v2_;
        v0_ += v3_;
        v3_ = std::rotl(v3_, 21) ^ v0_;
        v2_ += v1_;
        v1_ = std::rotl(v1_, 17) ^ v2_;
        v2_ = std::rotl(v2_, 32);
    }

    std::uint64_t v0_, v1_, v2_, v3_;
    std::uint64_t word_ = 0;  // the units not absorbed yet
    unsigned wordBits_ = 0;
    std::uint8_t bytes_ = 0;  // the length modulo 256, as the last word holds it
};

// Adds FoldCase of the text from `pos` on, where the ASCII at its start ends.
template <typename Hash>
void AddFoldedRest(std::wstring_view text, size_t pos, Hash& hash) {
    wchar_t folded[kPiece];
    while (pos < text.size()) {
        const size_t length = PieceLength(text, text, pos);
        FoldCaseInto(text.substr(pos, length), folded);
        for (size_t i = 0; i < length; ++i) hash.Add(folded[i]);
        pos += length;
    }
}

// The hash of FoldCase(text), folded as EqualIgnoringCase folds. The rest after the ASCII is
// added by a function of its own, which keeps this one, for names all ASCII, small and quick.
template <typename Hash>
size_t HashFolded(std::wstring_view text, Hash hash) {
    size_t pos = 0;
    for (; pos < text.size() && IsAscii(text[pos]); ++pos) hash.Add(AsciiLower(text[pos]));
    if (pos < text.size()) AddFoldedRest(text, pos, hash);
    return hash.Finish();
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

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view tail) {
    return text.size() >= tail.size() &&
           EqualIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

// Folding keeps the length, so names that fold alike take the same one of the two hashes.
size_t HashIgnoringCase(std::wstring_view text) {
    const HashKeys& keys = Keys();
    return text.size() <= kShortName ? HashFolded(text, MultilinearHash(keys))
                                     : HashFolded(text, SipHash(keys));
}

}  // namespace platform::text
