#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::files {

// What a file held when it was read or written, to tell later whether another program has
// changed it since: its size, its last-write time as the system keeps it, and a hash of its
// bytes (a change within the time stamp's resolution keeps the size and the time).
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileStamp&) const = default;
};

std::uint64_t HashOfBytes(std::string_view bytes);

// True when the file no longer holds what `stamp` recorded, reading it again to tell: another
// size, time or content, or gone; with no stamp (there was no file), true when there is one now.
// A file that cannot be read now counts as changed: nothing says it is not.
bool HasChanged(const std::wstring& path, const std::optional<FileStamp>& stamp);

}  // namespace platform::files
