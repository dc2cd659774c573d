#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A new, empty folder under the system's temporary folder, removed with all it holds at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The full path of `name` inside the folder, as the program's code takes paths.
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// A file's bytes as they are on disk; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Writes the bytes exactly, creating or replacing the file.
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testsupport
