// Loading and saving menu files: LoadItems and SaveItems on 100 and 1000 items, beside one read
// of the whole file (the floor) and, on Windows, the same work done key by key with the
// profile functions.
#include <cstdio>
#include <filesystem>
#include <string>

#include "model/CCommands.h"
#include "support/Figures.h"
#include "support/SampleMenu.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// What SaveItems writes, one profile call per key: the file is deleted first, as SaveItems
// replaces it whole.
void SaveKeyByKey(const model::CCommands& menu, const std::wstring& fileName) {
    const std::vector<std::wstring> showNames = menu.GetShowCommandStrings();
    const auto quoted = [](const std::wstring& value) {
        return !value.empty() && value.front() == L'"' ? L"\"" + value + L"\"" : value;
    };
    DeleteFileW(fileName.c_str());
    WritePrivateProfileStringW(L"Options", L"Title", menu.Title().c_str(), fileName.c_str());
    for (int p = 0; p < menu.Count(); ++p) {
        const std::wstring section = L"Item " + std::to_wstring(p);
        const std::shared_ptr<model::CCommand> item = menu.Item(p);
        const std::wstring values[] = {quoted(item->Title()),     quoted(item->FileName()),
                                       quoted(item->Operation()), quoted(item->Parameters()),
                                       quoted(item->Directory()), showNames[item->ShowCommand()]};
        for (int k = 0; k < 6; ++k) {
            WritePrivateProfileStringW(section.c_str(), bench::kItemKeys[k], values[k].c_str(),
                                       fileName.c_str());
        }
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName.c_str());  // flush the cache
}
#endif

void Measure(int items, const fs::path& folder) {
    using namespace bench;
    const std::wstring fileName =
        (folder / ("menu" + std::to_string(items) + ".Larkspur")).wstring();
    model::CCommands menu = MakeMenu(items, fileName);
    const std::string load = "load " + std::to_string(items) + ": ";
    const std::string save = "save " + std::to_string(items) + ": ";
    // The goals are set for 1000 items; the smaller menu shows the trend.
    const auto ratio = [items](const std::string& what, double value, bool atLeast, double target) {
        if (items == 1000) {
            Goal(what, value, atLeast, target);
        } else {
            Figure(what, value, "x");
        }
    };

    const double saveTime = MedianMicroseconds([&] {
        if (!menu.SaveItems()) std::printf("SaveItems failed\n");
    });
    const double loadTime = MedianMicroseconds([&] {
        model::CCommands loaded;
        loaded.ConfigFileName(fileName);
        loaded.LoadItems();
        if (loaded.Count() != items) std::printf("LoadItems read %d items\n", loaded.Count());
    });
    size_t fileSize = 0;
    const double floorTime = MedianMicroseconds([&] { fileSize = ReadWholeFile(fileName).size(); });

    Heading(std::to_string(items) + " items: a file of " + std::to_string(fileSize) + " bytes");
    Figure(load + "LoadItems", loadTime, "us");
    Figure(load + "one ReadFile of the whole file (floor)", floorTime, "us");
    ratio(load + "LoadItems / floor", loadTime / floorTime, false, 10);
#ifdef _WIN32
    const double keyLoad = MedianMicroseconds(
        [&] {
            ReadMenuKeyByKey(
                [&](const std::wstring& section, const wchar_t* key) {
                    return ProfileString(section, key, fileName);
                },
                menu.MaxItems());
        },
        1);
    Figure(load + "key by key, GetPrivateProfileStringW", keyLoad, "us");
    ratio(load + "key by key / LoadItems", keyLoad / loadTime, true, 500);
#endif
    Figure(save + "SaveItems (atomic replace)", saveTime, "us");
#ifdef _WIN32
    const std::wstring keyFile =
        (folder / ("keys" + std::to_string(items) + ".Larkspur")).wstring();
    const double keySave = OnceMicroseconds([&] { SaveKeyByKey(menu, keyFile); });
    Figure(save + "key by key, WritePrivateProfileStringW (one run)", keySave, "us");
    ratio(save + "key by key / SaveItems", keySave / saveTime, true, 500);
#endif
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "larkspur-model-bench";
    fs::create_directories(folder);
    for (const int items : {100, 1000}) Measure(items, folder);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
