#include "platform/files/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "platform/files/DeviceNames.h"
#include "platform/files/FileRefusals.h"
#include "platform/files/PathParts.h"
#include "platform/files/SaveFaults.h"
#include "platform/files/TemporaryName.h"
#include "platform/text/Encoding.h"

namespace platform::files {
namespace {

std::string Narrow(const std::wstring& path) { return text::ToUtf8(path); }

std::error_code Errno(int code) { return {code, std::generic_category()}; }

bool StatOf(const std::wstring& path, struct stat& status) {
    return ::stat(Narrow(path).c_str(), &status) == 0;
}

// The new file while it is being built: removed again unless it took the old one's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& target) : target_(target) {}
    ~TemporaryFile() {
        Close();
        if (!name_.empty() && !placed_) ::unlink(name_.c_str());
    }

    std::error_code Create() {
        if (SaveStepFails(SaveStep::CreateTemporary)) return Errno(EACCES);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = Narrow(SiblingTemporaryName(target_));
            fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                name_ = name;
                return {};
            }
            if (errno != EEXIST && errno != EISDIR) break;
        }
        return Errno(errno);
    }

    std::error_code Write(std::string_view bytes) {
        if (SaveStepFails(SaveStep::Write)) return Errno(ENOSPC);
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                return Errno(errno);
            }
            bytes.remove_prefix(static_cast<size_t>(written));
        }
        return {};
    }

    std::error_code Flush() {
        if (SaveStepFails(SaveStep::Flush)) return Errno(EIO);
        if (::fsync(fd_) != 0) return Errno(errno);
        return {};
    }

    std::error_code SetMode(mode_t mode) {
        if (SaveStepFails(SaveStep::CopyAttributes)) return Errno(EPERM);
        if (::fchmod(fd_, mode) != 0) return Errno(errno);
        return {};
    }

    std::error_code PlaceAt(const std::string& target) {
        const int closed = Close();
        if (closed != 0) return Errno(closed);
        if (SaveStepFails(SaveStep::Replace)) return Errno(EBUSY);
        if (::rename(name_.c_str(), target.c_str()) != 0) return Errno(errno);
        placed_ = true;
        return {};
    }

private:
    int Close() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    std::wstring target_;
    std::string name_;
    int fd_ = -1;
    bool placed_ = false;
};

// The file a symbolic link points to, where the path leads through one; the path itself when
// there is no such file yet.
std::string FinalPathOf(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::uint64_t LastWriteOf(const struct stat& status) {
    return static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 1'000'000'000u +
           static_cast<std::uint64_t>(status.st_mtim.tv_nsec);
}

// The rename itself is durable once the folder is flushed.
void FlushFolderOf(const std::wstring& path) {
    std::wstring folder = FolderOf(path);
    if (folder.empty()) folder = L".";
    const int fd = ::open(Narrow(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ReadStatus ReadFileInto(const std::wstring& path, const std::function<char*(size_t)>& room,
                        const ReadOptions& options) {
    if (IsDeviceName(path)) return {ReadResult::Failed, MakeError(FileRefusal::DeviceName)};
    const int fd = ::open(Narrow(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {ReadResult::Missing, {}};
        return {ReadResult::Failed, Errno(errno)};
    }
    struct stat status {};
    ReadStatus outcome{ReadResult::Read, {}};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        outcome = {ReadResult::Failed, Errno(S_ISDIR(status.st_mode) ? EISDIR : errno)};
    } else if (static_cast<std::uint64_t>(status.st_size) > options.largestFile) {
        outcome = {ReadResult::Failed, MakeError(FileRefusal::TooLarge)};
    } else {
        const size_t wanted = std::min(static_cast<size_t>(status.st_size), options.firstBytes);
        char* const bytes = room(wanted);
        while (outcome.length < wanted) {
            const ssize_t count = ::read(fd, bytes + outcome.length, wanted - outcome.length);
            if (count == 0) break;  // the file shrank meanwhile
            if (count < 0) {
                if (errno == EINTR) continue;
                outcome = {ReadResult::Failed, Errno(errno)};
                break;
            }
            outcome.length += static_cast<size_t>(count);
        }
        outcome.stamp = {static_cast<std::uint64_t>(status.st_size), LastWriteOf(status),
                         HashOfBytes({bytes, outcome.length})};
    }
    ::close(fd);
    return outcome;
}

bool IsFile(const std::wstring& path) {
    struct stat status {};
    return StatOf(path, status) && S_ISREG(status.st_mode);
}

bool IsFolder(const std::wstring& path) {
    struct stat status {};
    return StatOf(path, status) && S_ISDIR(status.st_mode);
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(Narrow(path), error);
    if (error) return path;
    return text::FromUtf8(absolute.lexically_normal().string());
}

// No short names here.
std::wstring LongPath(const std::wstring& path) { return path; }

std::wstring CurrentFolder() {
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return error ? std::wstring() : text::FromUtf8(current.string());
}

std::error_code ChangeCurrentFolder(const std::wstring& folder) {
    if (::chdir(Narrow(folder).c_str()) != 0) return Errno(errno);
    return {};
}

bool CreateFolders(const std::wstring& folder) {
    std::error_code error;
    std::filesystem::create_directories(Narrow(folder), error);
    return IsFolder(folder);
}

std::error_code SaveAtomically(const std::wstring& path, std::string_view bytes,
                               std::optional<Deadline> /*deadline*/, FileStamp* written) {
    if (IsDeviceName(path)) return MakeError(FileRefusal::DeviceName);
    // Through a link, the file it points to is replaced, and the link stays.
    const std::string target = FinalPathOf(Narrow(path));
    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld) {
        if (S_ISDIR(old.st_mode)) return Errno(EISDIR);
        // Read-only is the owner's missing write permission, even for root, who could write.
        if ((old.st_mode & S_IWUSR) == 0) return Errno(EACCES);
    } else if (errno != ENOENT) {
        return Errno(errno);
    }

    TemporaryFile temporary(text::FromUtf8(target));
    std::error_code error = temporary.Create();
    if (!error) error = temporary.Write(bytes);
    if (!error) error = temporary.Flush();
    if (!error && hadOld) error = temporary.SetMode(old.st_mode & 07777);
    if (!error) error = temporary.PlaceAt(target);
    if (error) return error;
    FlushFolderOf(text::FromUtf8(target));
    if (written) {
        struct stat now {};
        ::stat(target.c_str(), &now);
        *written = {bytes.size(), LastWriteOf(now), HashOfBytes(bytes)};
    }
    return {};
}

}  // namespace platform::files
