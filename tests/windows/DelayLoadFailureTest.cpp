#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/SystemErrorText.h"

// The failure hook in a real process: delay_load_probe.exe (beside this test) calls what it
// cannot have; the hook's message box is read and answered, and the process's end is watched.
namespace {

struct Ending {
    std::wstring message;
    DWORD exitCode = STILL_ACTIVE;
};

struct BoxSearch {
    DWORD process;
    HWND box = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (process != search->process || std::wstring(className) != L"#32770" ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search->box = window;
    return FALSE;
}

// The longest text of the box's static controls: the message, not the icon.
BOOL CALLBACK TakeLongestText(HWND control, LPARAM text) {
    wchar_t buffer[2048] = L"";
    GetWindowTextW(control, buffer, 2048);
    auto* longest = reinterpret_cast<std::wstring*>(text);
    if (wcslen(buffer) > longest->size()) *longest = buffer;
    return TRUE;
}

Ending RunProbe(const std::wstring& what) {
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L'\\') + 1);
    std::wstring commandLine = L"\"" + folder + L"delay_load_probe.exe\" " + what;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    Ending ending;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ending;
    }
    BoxSearch search{process.dwProcessId};
    for (int tries = 0; tries < 200 && !search.box; ++tries) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    }
    if (search.box) {
        EnumChildWindows(search.box, TakeLongestText, reinterpret_cast<LPARAM>(&ending.message));
        PostMessageW(search.box, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    GetExitCodeProcess(process.hProcess, &ending.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ending;
}

// Without the hook the process dies of exception 0xC06D007E or 0xC06D007F, without a word.
TEST(DelayLoadFailure, AMissingDllOrFunctionIsToldAndTheProgramEnds) {
    const Ending dll = RunProbe(L"dll");
    EXPECT_EQ(L"larkspur_missing.dll\r\n\r\nНе удалось загрузить системную библиотеку. "
              L"Программа будет закрыта.\r\n\r\n" + platform::SystemErrorText(ERROR_MOD_NOT_FOUND),
              dll.message);
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), dll.exitCode);

    const Ending function = RunProbe(L"function");
    EXPECT_EQ(L"user32.dll\r\n\r\nВ системной библиотеке нет функции LarkspurMissingExport. "
              L"Программа будет закрыта.\r\n\r\n" + platform::SystemErrorText(ERROR_PROC_NOT_FOUND),
              function.message);
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), function.exitCode);
}

// The GNU runtime's own terminate handler would write to a console the program has not and
// abort without a word.
TEST(UnexpectedError, AnExceptionThatEndsTheProgramIsTold) {
    const Ending ending = RunProbe(L"terminate");
    EXPECT_EQ(L"Непредвиденная ошибка:\r\n\r\nprobe fault", ending.message);
    EXPECT_EQ(3u, ending.exitCode);
    const Ending bare = RunProbe(L"terminate-bare");
    EXPECT_EQ(L"Непредвиденная ошибка:", bare.message);
    EXPECT_EQ(3u, bare.exitCode);
}

}  // namespace
