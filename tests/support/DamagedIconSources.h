#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A file whose icon the shell reads, damaged as downloads cut short and crafted files are.
struct DamagedIconSource {
    std::wstring name;
    std::string bytes;
};

// Icon files, programs and shortcuts with icon directories of 65,535 entries, offsets and sizes
// past the end, and cut short. `program` holds the bytes of a program with icons, which the
// damaged programs are made of; the shortcuts that name an icon file name one in `folder`.
std::vector<DamagedIconSource> DamagedIconSources(const std::string& program,
                                                  const std::filesystem::path& folder);

}  // namespace testsupport
