#include "platform/files/FileStamp.h"

#include <cstring>

#include "platform/files/FileSystem.h"

namespace platform::files {

// A word at a time, multiplied and folded: fast over a large file, and any change of a byte
// changes the hash but by rare chance. Not meant to withstand a file made to collide.
std::uint64_t HashOfBytes(std::string_view bytes) {
    constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDull;
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes.size();
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    };
    size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        mix(word);
    }
    std::uint64_t tail = 0;
    if (at < bytes.size()) std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    mix(tail);
    return hash;
}

bool HasChanged(const std::wstring& path, const std::optional<FileStamp>& stamp) {
    std::string bytes;
    // A file grown beyond the size recorded is refused unread: it has changed.
    const ReadStatus now = ReadWholeFile(path, bytes, {.largestFile = stamp ? stamp->size : 0});
    if (now == ReadResult::Missing) return stamp.has_value();
    return now != ReadResult::Read || !stamp || now.stamp != *stamp;
}

}  // namespace platform::files
