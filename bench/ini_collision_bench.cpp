// Reading INI files whose section names were made to share one hash (the hash the reader once
// indexed sections by, see tests/support/CollidingNames.h) beside files of ordinary names of the
// same length, shape and size: a 4 MB file parsed and every section of it found, and a 4 MB menu
// (1000 items, then such sections) loaded with LoadItems.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/CCommands.h"
#include "platform/ini/IniDocument.h"
#include "support/CollidingNames.h"
#include "support/Figures.h"
#include "support/SampleMenu.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;
using platform::ini::IniDocument;

constexpr size_t kFileSize = 4 << 20;
constexpr size_t kNames = 1 << 15;  // more than 4 MB of sections need
constexpr int kMenuItems = 1000;

// Different names of `length` letters: the number in four letters, then letters of a simple
// generator.
std::vector<std::wstring> OrdinaryNames(size_t count, size_t length) {
    std::vector<std::wstring> names(count);
    std::uint64_t random = 1;
    for (size_t i = 0; i < count; ++i) {
        for (size_t rest = i, digit = 0; digit < 4; ++digit, rest /= 26) {
            names[i] += static_cast<wchar_t>(L'a' + rest % 26);
        }
        while (names[i].size() < length) {
            random = random * 6364136223846793005ull + 1442695040888963407ull;
            names[i] += static_cast<wchar_t>(L'a' + (random >> 33) % 26);
        }
    }
    return names;
}

// `text` followed by sections of one key each, named in turn, up to kFileSize bytes. The names
// are ASCII. `sections` tells how many were added.
std::string FillWithSections(std::string text, const std::vector<std::wstring>& names,
                             size_t& sections) {
    for (sections = 0; sections < names.size() && text.size() < kFileSize; ++sections) {
        text += '[' + std::string(names[sections].begin(), names[sections].end()) + "]\r\n";
        text += "Title=Section " + std::to_string(sections) + "\r\n";
    }
    return text;
}

struct DocumentTimes {
    size_t sections = 0;
    double parse = 0;
    double find = 0;
};

DocumentTimes ReadDocument(const std::vector<std::wstring>& names) {
    DocumentTimes times;
    const std::string bytes = FillWithSections("", names, times.sections);
    IniDocument document;
    times.parse = MedianMicroseconds([&] { document = IniDocument::FromBytes(bytes); }, 1);
    times.find = MedianMicroseconds(
        [&] {
            size_t found = 0;
            for (size_t i = 0; i < times.sections; ++i) {
                found += document.Find(names[i], L"Title").has_value();
            }
            if (found != times.sections) {
                std::printf("found %zu sections of %zu\n", found, times.sections);
            }
        },
        1);
    return times;
}

// The time LoadItems takes on the 1000-item menu of `menuBytes` filled up with sections.
double LoadMenu(const std::string& menuBytes, const std::vector<std::wstring>& names,
                const fs::path& file) {
    size_t sections = 0;
    std::ofstream(file, std::ios::binary) << FillWithSections(menuBytes, names, sections);
    return MedianMicroseconds(
        [&] {
            model::CCommands menu;
            menu.ConfigFileName(file.wstring());
            menu.LoadItems();
            if (menu.Count() != kMenuItems) std::printf("LoadItems read %d items\n", menu.Count());
        },
        1);
}

void Compare(const std::string& what, double colliding, double ordinary) {
    Figure(what + ", names made to collide", colliding, "us");
    Figure(what + ", ordinary names", ordinary, "us");
    Goal(what + ", colliding / ordinary", colliding / ordinary, false, 1.5);
}

}  // namespace

int main() {
    const std::vector<std::wstring> colliding = testsupport::CollidingNames(kNames);
    const std::vector<std::wstring> ordinary = OrdinaryNames(kNames, colliding.front().size());
    const DocumentTimes collidingTimes = ReadDocument(colliding);
    const DocumentTimes ordinaryTimes = ReadDocument(ordinary);
    Heading("4 MB of sections named with " + std::to_string(colliding.front().size()) +
            " letters: " + std::to_string(collidingTimes.sections) + " sections of one key");
    Compare("4 MB ini: parse", collidingTimes.parse, ordinaryTimes.parse);
    Compare("4 MB ini: find every section", collidingTimes.find, ordinaryTimes.find);

    Heading("a 4 MB menu: 1000 items, then such sections");
    const fs::path folder = fs::temp_directory_path() / "larkspur-ini-collision-bench";
    fs::create_directories(folder);
    const fs::path file = folder / "menu.Larkspur";
    if (!MakeMenu(kMenuItems, file.wstring()).SaveItems()) {
        std::printf("could not write %ls\n", file.wstring().c_str());
        return 1;
    }
    const std::vector<char> saved = ReadWholeFile(file);
    const std::string menuBytes(saved.begin(), saved.end());
    const double collidingLoad = LoadMenu(menuBytes, colliding, file);
    const double ordinaryLoad = LoadMenu(menuBytes, ordinary, file);
    Compare("4 MB menu: LoadItems", collidingLoad, ordinaryLoad);

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
