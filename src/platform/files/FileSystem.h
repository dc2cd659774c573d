#pragma once

#include <string>
#include <string_view>
#include <system_error>

// The file operations the program needs, real on both builds: Win32 (files/win32) and POSIX
// (files/posix, the native build). Paths are wide text; natively they are passed on as UTF-8.
namespace platform::files {

enum class ReadResult {
    Read,     // `bytes` holds the file (up to the limit asked for)
    Missing,  // no file of that name
    Failed,   // it is there but cannot be read (a folder, no access, locked, an I/O error)
};
struct ReadStatus {
    ReadResult result = ReadResult::Missing;
    std::error_code error;  // why it Failed
    bool operator==(ReadResult other) const { return result == other; }
};
// Reads the whole file, or its first `limit` bytes. A file that another program holds locked
// is tried again for up to about a second, since a save usually holds it for milliseconds.
ReadStatus ReadWholeFile(const std::wstring& path, std::string& bytes,
                         size_t limit = static_cast<size_t>(-1));

// True when a file, not a folder, of that name exists.
bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);

// The absolute, normalised path ("." and ".." resolved) of a path relative to the current
// folder; the path itself when it cannot be resolved.
std::wstring FullPath(const std::wstring& path);
std::wstring CurrentFolder();
bool ChangeCurrentFolder(const std::wstring& folder);
// Creates the folder and any missing parents; true when the folder exists afterwards.
bool CreateFolders(const std::wstring& folder);

// Replaces the file with `bytes` at once: the new file is written completely beside the old one
// (same folder), flushed to the disk, given the old file's attributes (hidden and system,
// natively its permissions) and then put in the old one's place, tried again for up to about a
// second while another program holds the old one open. A read-only file is refused and left
// alone. On any failure the old file stays byte for byte as it was, no temporary file
// is left behind, and the system's error is returned; an empty error means success.
std::error_code SaveAtomically(const std::wstring& path, std::string_view bytes);

}  // namespace platform::files
