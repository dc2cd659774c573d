#pragma once

// The menu the start-up is measured with, as users write them: Russian titles, full paths of
// programs that exist, parameters of some forty characters, Windows-1251. The content floor
// (content_floor.cpp) shows the same titles without reading anything.
#include <windows.h>

#include <string>

namespace bench {

constexpr int kMenuItems = 1000;

inline std::wstring MenuItemTitle(int position) {
    return L"Пункт номер " + std::to_wstring(position + 1);
}

// Writes the menu of `items` items to `path` in Windows-1251; false when it cannot.
inline bool WriteRussianMenu(const std::wstring& path, int items) {
    static const wchar_t* const kPrograms[] = {
        L"C:\\Windows\\System32\\notepad.exe", L"C:\\Windows\\System32\\cmd.exe",
        L"C:\\Windows\\System32\\taskmgr.exe", L"C:\\Windows\\System32\\control.exe",
        L"C:\\Windows\\System32\\xcopy.exe"};
    std::wstring text = L"[Options]\r\nTitle=Меню для замера\r\n";
    for (int position = 0; position < items; ++position) {
        std::wstring number = std::to_wstring(position);
        number.insert(0, 4 - number.size(), L'0');
        text += L"\r\n[Item " + std::to_wstring(position) + L"]\r\nTitle=" +
                MenuItemTitle(position) + L"\r\nFileName=" + kPrograms[position % 5] +
                L"\r\nOperation=open\r\nParameters=C:\\Users\\Public\\Documents\\отчёт-" + number +
                L".txt\r\nDirectory=C:\\Windows\r\nShowCommand=SW_SHOWNORMAL\r\n";
    }
    const int size = WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                 nullptr) &&
                       written == bytes.size();
    CloseHandle(file);
    return wrote;
}

}  // namespace bench
