// Reading and saving menu files: LoadItems and SaveItems on 100 and 1000 items, beside one read
// of the whole file (the floor) and, on Windows, the same work done key by key with the
// profile functions. Prints one line per figure; run it natively and under Wine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "model/CCommands.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// The median time of one call, in microseconds, over enough calls to fill about half a second
// (at least `minRuns`, at most 200).
double MedianMicroseconds(const std::function<void()>& work, int minRuns = 5) {
    std::vector<double> times;
    const Clock::time_point start = Clock::now();
    while (times.size() < 200 &&
           (static_cast<int>(times.size()) < minRuns || Clock::now() - start < std::chrono::milliseconds(500))) {
        const Clock::time_point before = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double OnceMicroseconds(const std::function<void()>& work) {
    const Clock::time_point before = Clock::now();
    work();
    return std::chrono::duration<double, std::micro>(Clock::now() - before).count();
}

// A menu whose texts look like real ones: paths with blanks, quoted parameters.
model::CCommands MakeMenu(int itemCount, const std::wstring& fileName) {
    model::CCommands menu;
    menu.ConfigFileName(fileName);
    menu.Title(L"Benchmark menu");
    for (int i = 0; i < itemCount; ++i) {
        auto command = std::make_shared<model::CCommand>();
        const std::wstring n = std::to_wstring(i);
        command->Title(L"Application number " + n);
        command->FileName(L"C:\\Program Files\\Vendor " + n + L"\\application" + n + L".exe");
        command->Operation(L"open");
        command->Parameters(L"\"C:\\Users\\Someone\\Documents\\file " + n + L".txt\" /switch:" + n);
        command->Directory(L"C:\\Users\\Someone\\Documents");
        command->ShowCommand(i % 12);
        menu.Add(command, -1, -1);
    }
    return menu;
}

const wchar_t* const kItemKeys[] = {L"Title", L"FileName", L"Operation", L"Parameters", L"Directory",
                                    L"ShowCommand"};

std::vector<char> ReadWholeFile(const fs::path& path) {
#ifdef _WIN32
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
#else
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
#endif
}

#ifdef _WIN32
// The whole menu read with one profile call per key, the way the original library reads it.
int LoadKeyByKey(const std::wstring& fileName) {
    wchar_t buffer[4096];
    GetPrivateProfileStringW(L"Options", L"Title", L"", buffer, 4096, fileName.c_str());
    int found = 0;
    for (int n = 0; n < 1000; ++n) {
        const std::wstring section = L"Item " + std::to_wstring(n);
        GetPrivateProfileStringW(section.c_str(), L"Title", L"", buffer, 4096, fileName.c_str());
        if (buffer[0] == 0) continue;
        GetPrivateProfileStringW(section.c_str(), L"FileName", L"", buffer, 4096, fileName.c_str());
        if (buffer[0] == 0) continue;
        for (int k = 2; k < 6; ++k) {
            GetPrivateProfileStringW(section.c_str(), kItemKeys[k], L"", buffer, 4096,
                                     fileName.c_str());
        }
        ++found;
    }
    return found;
}

// Delete, then one profile write per key.
void SaveKeyByKey(const model::CCommands& menu, const std::wstring& fileName) {
    DeleteFileW(fileName.c_str());
    WritePrivateProfileStringW(L"Options", L"Title", menu.Title().c_str(), fileName.c_str());
    for (int p = 0; p < menu.Count(); ++p) {
        const std::wstring section = L"Item " + std::to_wstring(p);
        const std::shared_ptr<model::CCommand> item = menu.Item(p);
        const std::wstring values[] = {item->Title(), item->FileName(), item->Operation(),
                                       item->Parameters(), item->Directory(), L"SW_SHOWDEFAULT"};
        for (int k = 0; k < 6; ++k) {
            WritePrivateProfileStringW(section.c_str(), kItemKeys[k], values[k].c_str(),
                                       fileName.c_str());
        }
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName.c_str());  // flush the cache
}
#endif

void Report(const char* what, int items, double microseconds) {
    std::printf("%-34s %5d items  %12.1f us\n", what, items, microseconds);
}

void Ratio(const char* what, int items, double ratio) {
    std::printf("%-34s %5d items  %12.1f x\n", what, items, ratio);
}

}  // namespace

int main() {
#ifdef _WIN32
    std::printf("platform: Windows (or Wine)\n");
#else
    std::printf("platform: native\n");
#endif
    const fs::path folder = fs::temp_directory_path() / "larkspur-model-bench";
    fs::create_directories(folder);
    for (const int items : {100, 1000}) {
        const std::wstring fileName = (folder / ("menu" + std::to_string(items) + ".Larkspur")).wstring();
        model::CCommands menu = MakeMenu(items, fileName);

        const double save = MedianMicroseconds([&] {
            if (!menu.SaveItems()) std::printf("SaveItems failed\n");
        });
        const double load = MedianMicroseconds([&] {
            model::CCommands loaded;
            loaded.ConfigFileName(fileName);
            loaded.LoadItems();
            if (loaded.Count() != items) std::printf("LoadItems read %d items\n", loaded.Count());
        });
        size_t fileSize = 0;
        const double floor = MedianMicroseconds([&] { fileSize = ReadWholeFile(fileName).size(); });

        std::printf("-- %d items, file of %zu bytes\n", items, fileSize);
        Report("SaveItems (atomic replace)", items, save);
        Report("LoadItems", items, load);
        Report("one read of the whole file", items, floor);
        Ratio("LoadItems / whole-file read", items, load / floor);
#ifdef _WIN32
        const std::wstring keyFile = (folder / ("keys" + std::to_string(items) + ".Larkspur")).wstring();
        const double keySave = OnceMicroseconds([&] { SaveKeyByKey(menu, keyFile); });
        const double keyLoad = MedianMicroseconds([&] { LoadKeyByKey(fileName); }, 1);
        Report("key by key: WritePrivateProfileStringW", items, keySave);
        Report("key by key: GetPrivateProfileStringW", items, keyLoad);
        Ratio("load: key by key / LoadItems", items, keyLoad / load);
        Ratio("save: key by key / SaveItems", items, keySave / save);
#endif
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
