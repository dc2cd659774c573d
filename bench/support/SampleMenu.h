#pragma once

// The menus the benchmarks work on, the file read that is the floor for loading one, and the
// menu read key by key the way LoadItems asks for it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "model/CCommands.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bench {

// A menu whose texts look like real ones: paths with blanks, quoted parameters.
inline model::CCommands MakeMenu(int itemCount, const std::wstring& fileName) {
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

inline const wchar_t* const kItemKeys[] = {L"Title",      L"FileName",  L"Operation",
                                           L"Parameters", L"Directory", L"ShowCommand"};

// Reads what LoadItems reads, one call of `read(section, key)` per key, probing every item
// number as LoadItems does. Returns the number of items found.
template <typename Read>
int ReadMenuKeyByKey(Read read, int maxItems) {
    read(std::wstring(L"Options"), L"Title");
    int found = 0;
    for (int n = 0; n < maxItems; ++n) {
        const std::wstring section = L"Item " + std::to_wstring(n);
        if (read(section, kItemKeys[0]).empty() || read(section, kItemKeys[1]).empty()) continue;
        for (int k = 2; k < 6; ++k) read(section, kItemKeys[k]);
        ++found;
    }
    return found;
}

// The floor for loading a menu: the whole file in one read.
inline std::vector<char> ReadWholeFile(const std::filesystem::path& path) {
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
// One GetPrivateProfileStringW call.
inline std::wstring ProfileString(const std::wstring& section, const wchar_t* key,
                                  const std::wstring& fileName) {
    wchar_t buffer[4096];
    GetPrivateProfileStringW(section.c_str(), key, L"", buffer, 4096, fileName.c_str());
    return buffer;
}
#endif

}  // namespace bench
