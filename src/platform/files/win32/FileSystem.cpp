#include "platform/files/FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "platform/files/DeviceNames.h"
#include "platform/files/ExtendedPath.h"
#include "platform/files/FileRefusals.h"
#include "platform/files/PathParts.h"
#include "platform/files/SaveFaults.h"
#include "platform/files/TemporaryName.h"
#include "platform/files/win32/PosixRename.h"

namespace platform::files {
namespace {

std::error_code Win32Error(DWORD code) {
    return {static_cast<int>(code), std::system_category()};
}

std::error_code LastError() { return Win32Error(GetLastError()); }

// The form in which every path reaches the system: full, and valid at any length.
std::wstring SystemPath(const std::wstring& path) { return ExtendedPath(FullPath(path)); }

// The attributes a saved file takes over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// ReadFile and WriteFile take 32-bit counts.
constexpr size_t kChunk = 1 << 30;

bool IsOneOf(std::error_code error, std::initializer_list<DWORD> codes) {
    return error.category() == std::system_category() &&
           std::find(codes.begin(), codes.end(), static_cast<DWORD>(error.value())) != codes.end();
}

// Runs `step` (giving no error or the error) again while `busy` says its error may pass,
// waiting twice as long each time (10 ms, 20 ms ... 640 ms) until the deadline.
template <class Step, class Busy>
std::error_code RetryWhileBusy(Step step, Busy busy, Deadline deadline) {
    std::error_code error = step();
    for (DWORD wait = 10; error && busy(error); wait = std::min<DWORD>(wait * 2, 640)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        Sleep(std::min<DWORD>(wait, static_cast<DWORD>(left.count())));
        error = step();
    }
    return error;
}

// Another program has the file open without sharing it, or has locked a part of it.
bool IsLocked(std::error_code error) {
    return IsOneOf(error, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION});
}

// A reader of the old file makes Windows refuse to replace it with a sharing violation and
// Wine, even when the reader shares deletion, with access denied: both pass once it has read.
bool KeepsFromReplacing(std::error_code error) {
    return IsLocked(error) || IsOneOf(error, {ERROR_ACCESS_DENIED});
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    bool Close() {
        if (!valid()) return true;
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

std::uint64_t LastWriteOf(const std::wstring& systemPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath.c_str(), GetFileExInfoStandard, &data)) return 0;
    return Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
}

// The path of the file itself, in the "\\?\" form, where `systemPath` leads to it through a
// symbolic link (or a junction among its folders); `systemPath` when there is no such file yet
// or the system cannot tell.
std::wstring FinalPathOf(const std::wstring& systemPath) {
    const Handle file(CreateFileW(systemPath.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return systemPath;
    constexpr DWORD kForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD length = GetFinalPathNameByHandleW(file.get(), nullptr, 0, kForm);
    if (length == 0) return systemPath;
    std::wstring finalPath(length, L'\0');
    const DWORD written = GetFinalPathNameByHandleW(file.get(), finalPath.data(), length, kForm);
    if (written == 0 || written >= length) return systemPath;
    finalPath.resize(written);
    return finalPath;
}

// The new file while it is being built: deleted again unless it took the old one's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& target) : target_(target) {}
    ~TemporaryFile() {
        file_.Close();
        if (!name_.empty() && !placed_) DeleteFileW(name_.c_str());
    }

    std::error_code Create() {
        if (SaveStepFails(SaveStep::CreateTemporary)) return Win32Error(ERROR_ACCESS_DENIED);
        DWORD error = ERROR_SUCCESS;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::wstring name = SiblingTemporaryName(target_);
            // DELETE: the file is renamed through this handle.
            HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                file_.Reset(handle);
                name_ = name;
                return {};
            }
            error = GetLastError();
            // Only a name already taken (by a file, or by a folder, which answers access
            // denied) is worth another try; any other refusal would answer every name alike.
            const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                               (error == ERROR_ACCESS_DENIED &&
                                GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES);
            if (!taken) break;
        }
        return Win32Error(error);
    }

    std::error_code Write(std::string_view bytes) {
        if (SaveStepFails(SaveStep::Write)) return Win32Error(ERROR_DISK_FULL);
        while (!bytes.empty()) {
            const DWORD size = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data(), size, &written, nullptr)) return LastError();
            bytes.remove_prefix(written);
        }
        return {};
    }

    std::error_code Flush() {
        if (SaveStepFails(SaveStep::Flush)) return Win32Error(ERROR_WRITE_FAULT);
        if (!FlushFileBuffers(file_.get())) return LastError();
        return {};
    }

    std::error_code SetAttributes(DWORD attributes) {
        if (SaveStepFails(SaveStep::CopyAttributes)) return Win32Error(ERROR_ACCESS_DENIED);
        FILE_BASIC_INFO basic{};  // times of 0 are left as they are
        basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof basic)) {
            return LastError();
        }
        return {};
    }

    std::error_code PlaceAt(const std::wstring& target, Deadline deadline) {
        if (SaveStepFails(SaveStep::Replace)) return Win32Error(ERROR_SHARING_VIOLATION);
        const std::error_code error =
            RetryWhileBusy([&] { return Replace(target); }, KeepsFromReplacing, deadline);
        if (!error) placed_ = true;
        return error;
    }

private:
    // A POSIX rename replaces a file that readers sharing deletion hold open, which a plain
    // rename cannot; where the system or the file system refuses it (before Windows 10 1607,
    // FAT, many network shares, Wine), the plain replace does the work from then on.
    std::error_code Replace(const std::wstring& target) {
        if (posixRename_) {
            const std::error_code error =
                Win32Error(RenameReplacingHeldTarget(file_.get(), target));
            if (!error) file_.Close();
            if (!error || KeepsFromReplacing(error)) return error;
            posixRename_ = false;
            file_.Close();  // the plain replace opens the file by its name
        }
        if (!MoveFileExW(name_.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return LastError();
        }
        return {};
    }

    std::wstring target_;
    std::wstring name_;
    Handle file_;
    bool posixRename_ = true;
    bool placed_ = false;
};

// Nothing, or why the file could not be read.
std::error_code ReadInto(const std::wstring& systemPath, const std::function<char*(size_t)>& room,
                         const ReadOptions& options, ReadStatus& status) {
    const Handle file(CreateFileW(systemPath.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return LastError();
    // A name that is no device name may still open one (a pipe, a console).
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return MakeError(FileRefusal::DeviceName);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) return LastError();
    const std::uint64_t size = Join(information.nFileSizeHigh, information.nFileSizeLow);
    if (size > options.largestFile) return MakeError(FileRefusal::TooLarge);
    // Compared in 64 bits: a 32-bit size_t cannot hold every file size.
    const auto wanted = static_cast<size_t>(std::min<std::uint64_t>(size, options.firstBytes));
    char* const bytes = room(wanted);
    size_t done = 0;
    while (done < wanted) {
        const DWORD chunk = static_cast<DWORD>(std::min(wanted - done, kChunk));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes + done, chunk, &read, nullptr)) return LastError();
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    status.length = done;
    status.stamp = {size,
                    Join(information.ftLastWriteTime.dwHighDateTime,
                         information.ftLastWriteTime.dwLowDateTime),
                    HashOfBytes({bytes, done})};
    return {};
}

// A current folder of MAX_PATH or more makes CreateProcessW fail; SetCurrentDirectoryW adds a
// closing backslash when there is none.
bool FitsAsCurrentFolder(const std::wstring& folder) {
    const size_t withBackslash = folder.size() + (folder.ends_with(L'\\') ? 0 : 1);
    return withBackslash < MAX_PATH;
}

// What a function that writes a path into a buffer (given its length, asked for the length it
// needs when it is too small) makes of `path`; nothing when it fails.
template <class Ask>
std::optional<std::wstring> AskedPath(const wchar_t* path, Ask ask) {
    const DWORD length = ask(path, nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring result(length, L'\0');
    const DWORD written = ask(path, result.data(), length);
    if (written == 0 || written >= length) return std::nullopt;
    result.resize(written);
    return result;
}

// The folder by its short (8.3) name, without the "\\?\" form; the folder as it is where the
// volume keeps no short names.
std::wstring ShortFolderName(const std::wstring& folder) {
    const std::optional<std::wstring> asked =
        AskedPath(ExtendedPath(folder).c_str(), GetShortPathNameW);
    if (!asked) return folder;
    const std::wstring& shortName = *asked;
    if (shortName.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + shortName.substr(8);
    if (shortName.starts_with(L"\\\\?\\")) return shortName.substr(4);
    return shortName;
}

}  // namespace

ReadStatus ReadFileInto(const std::wstring& path, const std::function<char*(size_t)>& room,
                        const ReadOptions& options) {
    if (IsDeviceName(path)) return {ReadResult::Failed, MakeError(FileRefusal::DeviceName)};
    const std::wstring systemPath = SystemPath(path);
    ReadStatus status{ReadResult::Read, {}};
    const std::error_code error =
        RetryWhileBusy([&] { return ReadInto(systemPath, room, options, status); }, IsLocked,
                       options.deadline.value_or(UsualDeadline()));
    if (!error) return status;
    if (IsOneOf(error, {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND})) {
        return {ReadResult::Missing, {}};
    }
    return {ReadResult::Failed, error};
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    const auto full = [](const wchar_t* name, wchar_t* buffer, DWORD length) {
        return GetFullPathNameW(name, length, buffer, nullptr);
    };
    return AskedPath(path.c_str(), full).value_or(path);
}

std::wstring LongPath(const std::wstring& path) {
    return AskedPath(path.c_str(), GetLongPathNameW).value_or(path);
}

std::wstring CurrentFolder() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD written = GetCurrentDirectoryW(length, folder.data());
    folder.resize(written < length ? written : 0);
    return folder;
}

// SetCurrentDirectoryW takes no "\\?\" form: the plain full path, or its short name.
std::error_code ChangeCurrentFolder(const std::wstring& folder) {
    std::wstring full = FullPath(folder);
    if (!FitsAsCurrentFolder(full)) full = ShortFolderName(full);
    if (!FitsAsCurrentFolder(full)) return Win32Error(ERROR_FILENAME_EXCED_RANGE);
    if (!SetCurrentDirectoryW(full.c_str())) return LastError();
    return {};
}

bool CreateFolders(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    if (path.empty() || IsFolder(path)) return !path.empty();
    const std::wstring parent = FolderOf(path);
    if (!parent.empty() && parent != path) CreateFolders(parent);
    CreateDirectoryW(SystemPath(path).c_str(), nullptr);
    return IsFolder(path);
}

std::error_code SaveAtomically(const std::wstring& path, std::string_view bytes,
                               std::optional<Deadline> deadline, FileStamp* written) {
    if (IsDeviceName(path)) return MakeError(FileRefusal::DeviceName);
    // Through a link, the file it points to is replaced: replacing the link itself would turn
    // it into a plain file and leave the file it pointed to as it was.
    const std::wstring target = FinalPathOf(SystemPath(path));
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    const bool hadOld = oldAttributes != INVALID_FILE_ATTRIBUTES;
    if (hadOld) {
        // Windows refuses to replace a read-only file, Wine does not: refuse on both.
        if (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            return Win32Error(ERROR_ACCESS_DENIED);
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return Win32Error(error);
    }

    TemporaryFile temporary(target);
    std::error_code error = temporary.Create();
    if (!error) error = temporary.Write(bytes);
    if (!error) error = temporary.Flush();
    if (!error && hadOld) error = temporary.SetAttributes(oldAttributes & kKeptAttributes);
    if (!error) error = temporary.PlaceAt(target, deadline.value_or(UsualDeadline()));
    if (!error && written) *written = {bytes.size(), LastWriteOf(target), HashOfBytes(bytes)};
    return error;
}

}  // namespace platform::files
