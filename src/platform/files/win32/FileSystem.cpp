#include "platform/files/FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>

#include "platform/files/PathParts.h"
#include "platform/files/SaveFaults.h"
#include "platform/files/TemporaryName.h"

namespace platform::files {
namespace {

std::error_code Win32Error(DWORD code) {
    return {static_cast<int>(code), std::system_category()};
}

// The attributes a saved file takes over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// ReadFile and WriteFile take 32-bit counts.
constexpr size_t kChunk = 1 << 30;

// Runs `step` (giving ERROR_SUCCESS or the error) again while it fails with one of the `busy`
// errors, waiting twice as long each time: about 1.3 seconds in all.
template <class Step>
DWORD RetryWhileBusy(Step step, std::initializer_list<DWORD> busy) {
    DWORD error = step();
    for (DWORD wait = 10; wait <= 640; wait *= 2) {
        if (error == ERROR_SUCCESS || std::find(busy.begin(), busy.end(), error) == busy.end()) {
            break;
        }
        Sleep(wait);
        error = step();
    }
    return error;
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
            HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                file_.Reset(handle);
                name_ = name;
                return {};
            }
            error = GetLastError();
            // Taken by a file, or by a folder (access denied): try another name.
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
                error != ERROR_ACCESS_DENIED) {
                break;
            }
        }
        return Win32Error(error);
    }

    std::error_code Write(std::string_view bytes) {
        if (SaveStepFails(SaveStep::Write)) return Win32Error(ERROR_DISK_FULL);
        while (!bytes.empty()) {
            const DWORD size = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data(), size, &written, nullptr)) {
                return Win32Error(GetLastError());
            }
            bytes.remove_prefix(written);
        }
        return {};
    }

    std::error_code Flush() {
        if (SaveStepFails(SaveStep::Flush)) return Win32Error(ERROR_WRITE_FAULT);
        if (!FlushFileBuffers(file_.get())) return Win32Error(GetLastError());
        if (!file_.Close()) return Win32Error(GetLastError());
        return {};
    }

    std::error_code SetAttributes(DWORD attributes) {
        if (SaveStepFails(SaveStep::CopyAttributes)) return Win32Error(ERROR_ACCESS_DENIED);
        if (!SetFileAttributesW(name_.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) {
            return Win32Error(GetLastError());
        }
        return {};
    }

    std::error_code PlaceAt(const std::wstring& target) {
        if (SaveStepFails(SaveStep::Replace)) return Win32Error(ERROR_SHARING_VIOLATION);
        // A reader of the old file makes Windows refuse with a sharing violation and Wine, even
        // when the reader shares deletion, with access denied: both pass once it has read.
        const DWORD error = RetryWhileBusy(
            [&]() -> DWORD {
                return MoveFileExW(name_.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                           ? ERROR_SUCCESS
                           : GetLastError();
            },
            {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_ACCESS_DENIED});
        if (error != ERROR_SUCCESS) return Win32Error(error);
        placed_ = true;
        return {};
    }

private:
    std::wstring target_;
    std::wstring name_;
    Handle file_;
    bool placed_ = false;
};

// ERROR_SUCCESS, or why the file could not be read.
DWORD ReadInto(const std::wstring& path, std::string& bytes, size_t limit) {
    bytes.clear();
    Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    bytes.resize(std::min(static_cast<size_t>(size.QuadPart), limit));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr)) {
            return GetLastError();
        }
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    bytes.resize(done);
    return ERROR_SUCCESS;
}

}  // namespace

ReadStatus ReadWholeFile(const std::wstring& path, std::string& bytes, size_t limit) {
    const DWORD error = RetryWhileBusy([&] { return ReadInto(path, bytes, limit); },
                                       {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION});
    if (error == ERROR_SUCCESS) return {ReadResult::Read, {}};
    bytes.clear();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return {ReadResult::Missing, {}};
    }
    return {ReadResult::Failed, Win32Error(error)};
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

std::wstring CurrentFolder() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD written = GetCurrentDirectoryW(length, folder.data());
    folder.resize(written < length ? written : 0);
    return folder;
}

bool ChangeCurrentFolder(const std::wstring& folder) {
    return SetCurrentDirectoryW(folder.c_str()) != FALSE;
}

bool CreateFolders(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    if (path.empty() || IsFolder(path)) return !path.empty();
    const std::wstring parent = FolderOf(path);
    if (!parent.empty() && parent != path) CreateFolders(parent);
    CreateDirectoryW(path.c_str(), nullptr);
    return IsFolder(path);
}

std::error_code SaveAtomically(const std::wstring& path, std::string_view bytes) {
    const DWORD oldAttributes = GetFileAttributesW(path.c_str());
    const bool hadOld = oldAttributes != INVALID_FILE_ATTRIBUTES;
    if (hadOld) {
        // Windows refuses to replace a read-only file, Wine does not: refuse on both.
        if (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            return Win32Error(ERROR_ACCESS_DENIED);
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return Win32Error(error);
    }

    TemporaryFile temporary(path);
    std::error_code error = temporary.Create();
    if (!error) error = temporary.Write(bytes);
    if (!error) error = temporary.Flush();
    if (!error && hadOld) error = temporary.SetAttributes(oldAttributes & kKeptAttributes);
    if (!error) error = temporary.PlaceAt(path);
    return error;
}

}  // namespace platform::files
