#include "support/CollidingNames.h"

#include <array>
#include <unordered_map>
#include <utility>

namespace testsupport {
namespace {

constexpr std::uint64_t kFnvStart = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// The low 32 bits of an FNV-1a state depend on nothing but the low 32 bits before it, so the
// search for colliding blocks runs on those alone.
std::uint32_t Advance(std::uint32_t state, std::wstring_view text) {
    for (const wchar_t c : text) {
        state = (state ^ static_cast<std::uint32_t>(c)) * static_cast<std::uint32_t>(kFnvPrime);
    }
    return state;
}

using Block = std::array<wchar_t, 8>;

// A different block of letters for each number below 26^8. Counting up would try blocks so alike
// that their states rarely meet: the number is scrambled first, by a multiplier prime to 26,
// which keeps different numbers apart.
Block BlockOf(std::uint64_t number) {
    constexpr std::uint64_t kBlocks = 208827064576;  // 26^8
    Block block;
    number = number * 2654435761u % kBlocks;
    for (wchar_t& c : block) {
        c = static_cast<wchar_t>(L'a' + number % 26);
        number /= 26;
    }
    return block;
}

std::wstring_view View(const Block& block) { return std::wstring_view(block.data(), block.size()); }

// Two different blocks that take `state` to one state: by the birthday bound some 80 000
// blocks tried find them.
std::pair<Block, Block> CollidingBlocks(std::uint32_t state) {
    std::unordered_map<std::uint32_t, std::uint64_t> reached;
    reached.reserve(1 << 18);
    for (std::uint64_t number = 0;; ++number) {
        const Block block = BlockOf(number);
        const auto [earlier, added] = reached.emplace(Advance(state, View(block)), number);
        if (!added) return {BlockOf(earlier->second), block};
    }
}

}  // namespace

std::uint32_t FormerSectionHash(std::wstring_view name) {
    std::uint64_t hash = kFnvStart;
    for (const wchar_t c : name) hash = (hash ^ static_cast<std::uint32_t>(c)) * kFnvPrime;
    return static_cast<std::uint32_t>(hash);
}

std::vector<std::wstring> CollidingNames(size_t count) {
    std::vector<std::pair<Block, Block>> blocks;
    auto state = static_cast<std::uint32_t>(kFnvStart);
    while (blocks.empty() || (size_t{1} << blocks.size()) < count) {
        blocks.push_back(CollidingBlocks(state));
        state = Advance(state, View(blocks.back().first));
    }
    std::vector<std::wstring> names(count);
    for (size_t i = 0; i < count; ++i) {
        for (size_t b = 0; b < blocks.size(); ++b) {
            names[i] += View((i >> b) & 1 ? blocks[b].second : blocks[b].first);
        }
    }
    return names;
}

}  // namespace testsupport
