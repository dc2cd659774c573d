// Any bytes as a menu file: reading yields at most 1000 usable items with show commands 0 to
// 11, and saving what was read and reading it again gives the same menu.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CaseFoldingSetUp.h"
#include "model/CCommands.h"

namespace {

// Where each input is written as a menu file; made once, before fuzzing.
std::filesystem::path folder;

// Item values are quoted wherever reading would change them; the menu's title is written as it
// is, so blanks at its ends and quotes around all of it are read away.
bool TitleSurvivesASave(const std::wstring& title) {
    if (title.empty()) return true;
    return title.front() > L' ' && title.back() > L' ' &&
           !(title.size() >= 2 && title.front() == L'"' && title.back() == L'"');
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

model::CCommands Load(const std::wstring& fileName) {
    model::CCommands menu;
    menu.ConfigFileName(fileName);
    Check(menu.LoadItems(), "LoadItems succeeds on any file");
    return menu;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::LoadCaseFoldingLocale();
    std::string pattern = (std::filesystem::temp_directory_path() / "menu-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = folder / "menu.Larkspur";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    model::CCommands menu = Load(path.wstring());
    Check(menu.Count() <= menu.MaxItems(), "at most MaxItems items");
    for (int i = 0; i < menu.Count(); ++i) {
        const auto item = menu.Item(i);
        Check(!item->Title().empty() && !item->FileName().empty(), "items have a title and a file");
        Check(item->ShowCommand() >= 0 && item->ShowCommand() <= 11, "show command 0 to 11");
    }

    Check(menu.SaveItems(), "SaveItems succeeds");
    const model::CCommands again = Load(path.wstring());
    if (TitleSurvivesASave(menu.Title())) {
        Check(again.Title() == menu.Title(), "the title survives a save");
    }
    Check(again.Count() == menu.Count(), "every item survives a save");
    for (int i = 0; i < menu.Count(); ++i) {
        const auto before = menu.Item(i);
        const auto after = again.Item(i);
        Check(after->Title() == before->Title() && after->FileName() == before->FileName() &&
                  after->Operation() == before->Operation() &&
                  after->Parameters() == before->Parameters() &&
                  after->Directory() == before->Directory() &&
                  after->ShowCommand() == before->ShowCommand(),
              "every field survives a save");
    }
    return 0;
}
