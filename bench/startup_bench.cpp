// Start-up time: from CreateProcessW to the first visible top-level window of the new process,
// and on until that process first waits for input with nothing left to do (WaitForInputIdle:
// its window has been painted). ShowLarkspur.exe with a 1000-item menu is measured beside
// bench/empty_window.exe, alternately in the same run, several times each; medians reported.
// Each program is then closed with WM_CLOSE.
#ifndef _WIN32
#error "startup_bench launches Windows programs: it builds only for Windows"
#endif

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/Figures.h"
#include "support/SampleMenu.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int kRuns = 15;

struct StartUp {
    double visibleMs = 0;
    double idleMs = 0;
    std::wstring windowClass;
};

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

double MillisecondsSince(Clock::time_point start) {
    return MicrosecondsSince(start) / 1000;
}

void EndProcess(const PROCESS_INFORMATION& process, HWND window) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::printf("# the program did not close: terminated\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::optional<StartUp> StartOnce(const fs::path& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
    STARTUPINFOW startupInfo{};
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startupInfo, &process)) {
        std::printf("# could not start %ls (error %lu)\n", program.c_str(), GetLastError());
        return std::nullopt;
    }
    WindowSearch search{process.dwProcessId, nullptr};
    // Polled every millisecond: the wait also notices a program that ends without a window.
    while (EnumWindows(TakeVisibleWindow, reinterpret_cast<LPARAM>(&search)), !search.found) {
        if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT ||
            Clock::now() - start > std::chrono::seconds(60)) {
            std::printf("# %ls showed no window\n", program.filename().c_str());
            EndProcess(process, nullptr);
            return std::nullopt;
        }
    }
    StartUp result;
    result.visibleMs = MillisecondsSince(start);
    WaitForInputIdle(process.hProcess, 60000);
    result.idleMs = MillisecondsSince(start);
    wchar_t className[256] = L"";
    GetClassNameW(search.found, className, 256);
    result.windowClass = className;
    EndProcess(process, search.found);
    return result;
}

struct Program {
    const char* label;
    fs::path path;
    std::wstring arguments;
    std::vector<double> visible;
    std::vector<double> idle;
};

fs::path OwnFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

// A menu file of that many items, quoted for a command line; empty when it cannot be written.
std::wstring MenuArgument(const fs::path& folder, int items) {
    const fs::path file = folder / ("menu" + std::to_string(items) + ".Larkspur");
    if (!MakeMenu(items, file.wstring()).SaveItems()) return L"";
    return L"\"" + file.wstring() + L"\"";
}

void PrintRuns(const Program& program) {
    std::printf("# %s runs, ms (visible / idle):", program.label);
    for (size_t i = 0; i < program.visible.size(); ++i) {
        std::printf(" %.0f/%.0f", program.visible[i], program.idle[i]);
    }
    std::printf("\n");
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "larkspur-startup-bench";
    fs::create_directories(folder);
    // The empty menu tells what the program costs without the items.
    const std::wstring fullMenu = MenuArgument(folder, 1000);
    const std::wstring emptyMenu = MenuArgument(folder, 0);
    if (fullMenu.empty() || emptyMenu.empty()) {
        std::printf("could not write the menus in %ls\n", folder.c_str());
        return 1;
    }
    const fs::path buildFolder = OwnFolder().parent_path();
    Program programs[] = {
        {"empty_window.exe", buildFolder / "bench" / "empty_window.exe", L"", {}, {}},
        {"ShowLarkspur.exe 1000 items", buildFolder / "ShowLarkspur.exe", fullMenu, {}, {}},
        {"ShowLarkspur.exe empty menu", buildFolder / "ShowLarkspur.exe", emptyMenu, {}, {}},
    };

    // One start of each first, not counted: the files they load come from the disk only once.
    for (Program& program : programs) {
        const std::optional<StartUp> first = StartOnce(program.path, program.arguments);
        if (!first) return 1;
        std::printf("# %s: the window found is of class %ls\n", program.label,
                    first->windowClass.c_str());
    }
    for (int run = 0; run < kRuns; ++run) {
        for (Program& program : programs) {
            const std::optional<StartUp> startUp = StartOnce(program.path, program.arguments);
            if (!startUp) return 1;
            program.visible.push_back(startUp->visibleMs);
            program.idle.push_back(startUp->idleMs);
        }
    }

    Heading("start-up, median of " + std::to_string(kRuns) + " runs each");
    for (const Program& program : programs) {
        PrintRuns(program);
        Figure(std::string("start-up: ") + program.label + ", window visible",
               Median(program.visible), "ms");
        Figure(std::string("start-up: ") + program.label + ", window painted and idle",
               Median(program.idle), "ms");
    }
    const Program& empty = programs[0];
    const Program& larkspur = programs[1];
    Goal("start-up: ShowLarkspur 1000 items / empty window, visible",
         Median(larkspur.visible) / Median(empty.visible), false, 1.2);
    Goal("start-up: ShowLarkspur 1000 items / empty window, painted and idle",
         Median(larkspur.idle) / Median(empty.idle), false, 1.2);

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
