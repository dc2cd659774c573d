#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/text/Encoding.h"

// A fresh folder for one test, removed with everything in it afterwards; paths as the program
// takes them (wide text) and as std::filesystem takes them.
class FilesTestFolder {
public:
    FilesTestFolder() {
        std::random_device random;
        root_ = std::filesystem::temp_directory_path() /
                ("larkspur-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(root_);
    }
    ~FilesTestFolder() {
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
        std::filesystem::remove_all(root_, error);
    }
    FilesTestFolder(const FilesTestFolder&) = delete;
    FilesTestFolder& operator=(const FilesTestFolder&) = delete;

    static std::filesystem::path FsPath(const std::wstring& path) {
        if constexpr (sizeof(wchar_t) == 2) {
            return std::filesystem::path(path);
        } else {
            return std::filesystem::path(platform::text::ToUtf8(path));
        }
    }
    static std::wstring Wide(const std::filesystem::path& path) {
        if constexpr (sizeof(wchar_t) == 2) {
            return path.wstring();
        } else {
            return platform::text::FromUtf8(path.string());
        }
    }

    const std::filesystem::path& Root() const { return root_; }
    std::wstring RootPath() const { return Wide(root_); }
    std::wstring PathOf(const std::wstring& name) const { return Wide(root_ / FsPath(name)); }

    std::wstring Write(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(FsPath(PathOf(name)), std::ios::binary) << bytes;
        return PathOf(name);
    }
    static std::string Read(const std::wstring& path) {
        std::ifstream in(FsPath(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Names of the folder's entries, sorted.
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_)) {
            names.push_back(Wide(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path root_;
};
