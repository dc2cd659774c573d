#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/files/FileStamp.h"

namespace platform::ini {
class IniDocument;
}

// Reading and writing values of INI files, with the rules of the Windows profile functions
// (see ini/IniDocument.h). Every call is self-contained; sessions and batches below make many
// calls on one file cost one read and one write. A session or a batch serves the calls that name
// its file exactly as it was opened.
namespace platform {

// A larger file is not read (files::FileRefusal::TooLarge): the INI files are menus, and a menu
// of 1000 items of the longest command lines stays far below it. Reading one takes the memory
// of its text, on Windows twice the file's size, and what the text holds.
constexpr std::uint64_t kLargestIniFile = 128u << 20;

// The value of `key` in `section`, with one pair of double quotes enclosing all of it removed;
// `defaultValue` when the file, the section or the key is missing. `reserved` is 0.
std::wstring asReadStringFromINI(std::wstring_view section, std::wstring_view key,
                                 std::wstring_view defaultValue, const std::wstring& fileName,
                                 int reserved);

// Stores `value` unchanged, creating the file, the section and the key as needed; outside a
// batch the file is read, changed and saved atomically at once. True when it was stored (inside
// a batch: stored in the batch). False for a name a file cannot hold (see IniDocument::Set), an
// unreadable file or a failed save, which leaves the file as it was. `reserved` is 0.
bool asWriteStringToINI(std::wstring_view section, std::wstring_view key, std::wstring_view value,
                        const std::wstring& fileName, int reserved);

// True when reading the value back would trim blanks off its start or end (see
// ini/IniDocument.h): double quotes enclosing the value keep them.
bool IniReadingTrimsEnds(std::wstring_view value);

// While a session is open, reads of its file parse the file once, when the session opens.
// Writes made meanwhile through asWriteStringToINI or a batch's Commit are seen by it.
class IniReadSession {
public:
    explicit IniReadSession(const std::wstring& fileName);
    ~IniReadSession();
    // Why the file could not be read (its reads then give their defaults); empty when it was
    // read or is missing.
    std::error_code ReadError() const;
    // What the file held when the session read it; nothing when it was missing (or unreadable).
    const std::optional<files::FileStamp>& Stamp() const;
    // True when the file holds a section of that name (compared as reads compare it).
    bool HasSection(std::wstring_view section) const;
    IniReadSession(const IniReadSession&) = delete;
    IniReadSession& operator=(const IniReadSession&) = delete;

private:
    std::wstring fileName_;
};

// While a batch is open, writes to its file are made in memory; Commit then replaces the file
// at once and atomically (see files/FileSystem.h: SaveAtomically). Without Commit nothing is
// written. Batches on one file nest: the latest one opened takes the writes.
class IniWriteBatch {
public:
    enum class Start {
        FromFile,  // the file's present content, then the batch's writes
        Empty,     // the batch's writes alone: nothing of the old file is kept
    };
    IniWriteBatch(const std::wstring& fileName, Start start);
    ~IniWriteBatch();
    IniWriteBatch(const IniWriteBatch&) = delete;
    IniWriteBatch& operator=(const IniWriteBatch&) = delete;

    // True when the file now holds exactly the batch's document; false leaves the old file
    // byte for byte as it was (also when the batch started from a file it could not read).
    bool Commit();
    // After Commit: why it failed (empty when the batch started from a file it could not read),
    // or what the file holds now.
    std::error_code CommitError() const { return commitError_; }
    const files::FileStamp& Written() const { return written_; }

private:
    friend bool asWriteStringToINI(std::wstring_view, std::wstring_view, std::wstring_view,
                                   const std::wstring&, int);

    std::wstring fileName_;
    std::unique_ptr<ini::IniDocument> document_;
    bool unreadable_ = false;
    std::error_code commitError_;
    files::FileStamp written_;
};

}  // namespace platform
