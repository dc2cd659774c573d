#include "support/DamagedIconSources.h"

#include <cstdint>
#include <stdexcept>

namespace testsupport {

namespace {

std::uint32_t Get(const std::string& bytes, size_t at, int size) {
    if (at + static_cast<size_t>(size) > bytes.size()) throw std::runtime_error("cut short");
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void Put(std::string& bytes, size_t at, int size, std::uint32_t value) {
    for (int i = 0; i < size; ++i, value >>= 8) bytes[at + i] = static_cast<char>(value & 0xFF);
}

std::string Little(int size, std::uint32_t value) {
    std::string bytes(size, '\0');
    Put(bytes, 0, size, value);
    return bytes;
}

// A 32-bit icon image of `side` pixels: its header, colours and mask.
std::string IconImage(int side) {
    std::string image = Little(4, 40) + Little(4, side) + Little(4, 2 * side) + Little(2, 1) +
                        Little(2, 32) + std::string(24, '\0');
    for (int pixel = 0; pixel < side * side; ++pixel) image += "\x40\x80\xC0\xFF";
    return image + std::string(side * ((side + 31) / 32 * 4), '\0');
}

// An icon file of a 16 and a 32 pixel image; its directory entries are 16 bytes from byte 6.
std::string IconFile() {
    const std::string small = IconImage(16), large = IconImage(32);
    std::string file = Little(2, 0) + Little(2, 1) + Little(2, 2);
    size_t offset = 6 + 2 * 16;
    for (const std::string* image : {&small, &large}) {
        const int side = image == &small ? 16 : 32;
        file += Little(1, side) + Little(1, side) + Little(2, 0) + Little(2, 1) + Little(2, 32) +
                Little(4, static_cast<std::uint32_t>(image->size())) +
                Little(4, static_cast<std::uint32_t>(offset));
        offset += image->size();
    }
    return file + small + large;
}

// Where in a program file the first resource of a type lies: the file offsets of its data
// entry (address and size) and of its data.
struct Resource {
    size_t entry = 0;
    size_t data = 0;
};

class ProgramResources {
public:
    explicit ProgramResources(const std::string& program) : program_(program) {
        const size_t header = Get(program, 0x3C, 4);
        const size_t optional = header + 24;
        const bool wide = Get(program, optional, 2) == 0x20B;
        const std::uint32_t rva = Get(program, optional + (wide ? 112 : 96) + 2 * 8, 4);
        const size_t sections = optional + Get(program, header + 20, 2);
        for (size_t i = 0; i < Get(program, header + 6, 2); ++i) {
            const size_t section = sections + 40 * i;
            const std::uint32_t start = Get(program, section + 12, 4);
            if (rva >= start && rva < start + Get(program, section + 8, 4)) {
                delta_ = start - Get(program, section + 20, 4);
                root_ = rva - delta_;
            }
        }
        if (root_ == 0) throw std::runtime_error("a program without resources");
    }

    size_t Root() const { return root_; }

    // The first resource of the type (3: an icon, 14: an icon group): name and language first.
    Resource First(std::uint32_t type) const {
        size_t directory = root_;
        for (int level = 0; level < 3; ++level) {
            const size_t entries =
                Get(program_, directory + 12, 2) + Get(program_, directory + 14, 2);
            size_t next = 0;
            for (size_t i = 0; i < entries && next == 0; ++i) {
                const size_t entry = directory + 16 + 8 * i;
                if (level == 0 && Get(program_, entry, 4) != type) continue;
                next = root_ + (Get(program_, entry + 4, 4) & 0x7FFFFFFF);
            }
            if (next == 0) throw std::runtime_error("a program without that resource");
            directory = next;
        }
        return {directory, Get(program_, directory, 4) - delta_};
    }

private:
    const std::string& program_;
    size_t delta_ = 0;
    size_t root_ = 0;
};

// A shortcut of the header alone (flags: has an icon location, Unicode texts), then `rest`.
std::string Shortcut(std::uint32_t flags, const std::string& rest) {
    static const char kClass[] = "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46";
    return Little(4, 0x4C) + std::string(kClass, 16) + Little(4, flags) + Little(4, 0x20) +
           std::string(24, '\0') + Little(4, 0) + Little(4, 0) + Little(4, 1) + Little(2, 0) +
           std::string(10, '\0') + rest;
}

std::string CountedText(const std::wstring& text) {
    std::string bytes = Little(2, static_cast<std::uint32_t>(text.size()));
    for (wchar_t c : text) bytes += Little(2, c);
    return bytes;
}

constexpr std::uint32_t kHasItemList = 0x1, kHasIconLocation = 0x40, kUnicode = 0x80;

}  // namespace

std::vector<DamagedIconSource> DamagedIconSources(const std::string& program,
                                                  const std::filesystem::path& folder) {
    std::vector<DamagedIconSource> sources;
    auto add = [&](const wchar_t* name, std::string bytes) {
        sources.push_back({name, std::move(bytes)});
    };
    auto patched = [](std::string bytes, size_t at, int size, std::uint32_t value) {
        Put(bytes, at, size, value);
        return bytes;
    };

    const std::string icon = IconFile();
    add(L"count-65535.ico", patched(icon, 4, 2, 65535));
    add(L"offset-past-end.ico", patched(icon, 6 + 12, 4, 0x7FFFFFF0));
    add(L"size-past-end.ico", patched(icon, 6 + 8, 4, 0x7FFFFFF0));
    add(L"cut-short.ico", icon.substr(0, icon.size() / 2));
    add(L"header-only.ico", icon.substr(0, 6));
    add(L"bitmap-too-wide.ico", patched(icon, Get(icon, 6 + 12, 4) + 4, 4, 0x7FFFFFFF));

    const ProgramResources resources(program);
    const Resource group = resources.First(14), image = resources.First(3);
    add(L"cut-short.exe", program.substr(0, program.size() * 3 / 10));
    add(L"group-count-65535.exe", patched(program, group.data + 4, 2, 65535));
    add(L"group-size-past-end.exe", patched(program, group.entry + 4, 4, 0x7FFFFFF0));
    add(L"icon-data-past-end.exe", patched(program, image.entry, 4, 0x7FFFFFF0));
    add(L"resources-past-end.exe", patched(program, resources.Root() + 16 + 4, 4, 0xFFFFFFF0));

    add(L"cut-short.lnk", Shortcut(kHasIconLocation | kUnicode, "").substr(0, 0x4E));
    add(L"icon-location-past-end.lnk",
        Shortcut(kHasIconLocation | kUnicode, Little(2, 0xFFFF) + "C\0:\0"));
    add(L"item-list-past-end.lnk",
        Shortcut(kHasItemList | kUnicode, Little(2, 0xFFFF) + Little(2, 0x10)));
    add(L"icon-in-damaged-file.lnk",
        Shortcut(kHasIconLocation | kUnicode,
                 CountedText((folder / L"count-65535.ico").wstring()) + Little(4, 0)));
    return sources;
}

}  // namespace testsupport
