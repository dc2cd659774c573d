#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/files/FileStamp.h"

// The file operations the program needs, real on both builds: Win32 (files/win32) and POSIX
// (files/posix, the native build). Paths are wide text; natively they are passed on as UTF-8.
// On Windows every path is made full and given the "\\?\" form (ExtendedPath.h) before it
// reaches the system, so a path of any length works; callers keep and show the plain form.
// A device name (DeviceNames.h) is refused by every call that reads or writes a file.
namespace platform::files {

// When to stop waiting for a file that another program holds.
using Deadline = std::chrono::steady_clock::time_point;
// About 1.3 seconds from now: a save by another program holds a file for milliseconds.
inline Deadline UsualDeadline() {
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(1270);
}

enum class ReadResult {
    Read,     // `bytes` holds the file (up to the limit asked for)
    Missing,  // no file of that name
    Failed,   // it is there but cannot be read (a folder, a device, too large, no access,
              // locked, an I/O error)
};
struct ReadStatus {
    ReadResult result = ReadResult::Missing;
    std::error_code error;  // why it Failed: a system error or a FileRefusal
    FileStamp stamp;        // when Read: the file's size and time, the hash of the bytes read
    size_t length = 0;      // when Read: how many bytes were read
    bool operator==(ReadResult other) const { return result == other; }
};
struct ReadOptions {
    size_t firstBytes = SIZE_MAX;            // read only the file's first bytes
    std::uint64_t largestFile = UINT64_MAX;  // a larger file is not read: FileRefusal::TooLarge
    std::optional<Deadline> deadline;        // a locked file is tried again until then;
                                             // UsualDeadline() when none is given
};
// Reads the whole file, or its first bytes, into memory that `room` gives for as many bytes as
// that, asked once the file's size is known (and again for each try of a locked file). Fewer
// bytes are read when the file shrinks meanwhile, and none beyond its size when it grows.
ReadStatus ReadFileInto(const std::wstring& path, const std::function<char*(size_t)>& room,
                        const ReadOptions& options = {});

// ReadFileInto a string; `bytes` is empty unless the file was read.
inline ReadStatus ReadWholeFile(const std::wstring& path, std::string& bytes,
                                const ReadOptions& options = {}) {
    const ReadStatus status = ReadFileInto(
        path,
        [&](size_t size) {
            bytes.resize(size);
            return bytes.data();
        },
        options);
    bytes.resize(status == ReadResult::Read ? status.length : 0);
    return status;
}

// True when a file, not a folder, of that name exists.
bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);

// The absolute, normalised path ("." and ".." resolved) of a path relative to the current
// folder; the path itself when it cannot be resolved.
std::wstring FullPath(const std::wstring& path);
// The path with every 8.3 short name in it spelled long, so that two spellings of one file
// compare equal; the path itself when it cannot be resolved.
std::wstring LongPath(const std::wstring& path);
std::wstring CurrentFolder();
// Makes the folder the process's current folder; the system's error when it cannot, and then the
// current folder stays. On Windows a current folder of MAX_PATH or more would make every program
// started from here fail to start: a longer folder is set by its short (8.3) name; one without a
// short name that fits (short names off, ReFS, exFAT) gives ERROR_FILENAME_EXCED_RANGE.
std::error_code ChangeCurrentFolder(const std::wstring& folder);
// Creates the folder and any missing parents; true when the folder exists afterwards.
bool CreateFolders(const std::wstring& folder);

// Replaces the file with `bytes` at once: the new file is written completely beside the old one
// (same folder), flushed to the disk, given the old file's attributes (hidden and system,
// natively its permissions) and then put in the old one's place, tried again until `deadline`
// (UsualDeadline() when none is given) while another program holds the old one open. Through a
// symbolic link it is the file the link points to that is replaced, and the link stays. A
// read-only file is refused and left alone. On any failure the old file stays byte for byte as
// it was, no temporary file is left behind, and the system's error is returned; an empty error
// means success, and then `written`, when given, receives the stamp of the new file.
std::error_code SaveAtomically(const std::wstring& path, std::string_view bytes,
                               std::optional<Deadline> deadline = std::nullopt,
                               FileStamp* written = nullptr);

}  // namespace platform::files
