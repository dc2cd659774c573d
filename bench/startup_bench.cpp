// Start-up time: from CreateProcessW to the first visible top-level window of the new process,
// and on until that process first waits for input with nothing left to do (WaitForInputIdle:
// its window has been painted). ShowLarkspur.exe with a 1000-item and a 1-item menu is measured
// beside bench/empty_window.exe in rounds, one start of each per round, the order turning from
// round to round; each round gives a paired ratio to the empty window. Each program is then
// closed with WM_CLOSE. Also prints which modules ShowLarkspur.exe has loaded when its window
// becomes visible.
//
//   startup_bench [rounds]      31 rounds unless told
//
// With LARKSPUR_STARTUP_COMPARE naming another ShowLarkspur.exe (a Windows path: an earlier
// build), that one is started in the same rounds on the same menus, and the paired ratios of this
// build to it are reported too.
#ifndef _WIN32
#error "startup_bench launches Windows programs: it builds only for Windows"
#endif

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/Figures.h"
#include "support/SampleMenu.h"
#include "support/VisibleWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int kDefaultRounds = 31;

struct StartUp {
    double visibleMs = 0;
    double idleMs = 0;
    std::wstring windowClass;
    std::vector<std::wstring> modulesWhenVisible;
};

double MillisecondsSince(Clock::time_point start) { return MicrosecondsSince(start) / 1000; }

std::vector<std::wstring> ModuleNames(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        return {};
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::wstring> names;
    for (HMODULE module : modules) {
        wchar_t name[MAX_PATH] = L"";
        if (GetModuleBaseNameW(process, module, name, MAX_PATH)) names.emplace_back(name);
    }
    return names;
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

std::optional<StartUp> StartOnce(const fs::path& program, const std::wstring& arguments,
                                 bool listModules) {
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
    const HWND window = WaitForVisibleWindow(process, start);
    if (!window) {
        std::printf("# %ls showed no window\n", program.filename().c_str());
        EndProcess(process, nullptr);
        return std::nullopt;
    }
    StartUp result;
    result.visibleMs = MillisecondsSince(start);
    if (listModules) result.modulesWhenVisible = ModuleNames(process.hProcess);
    WaitForInputIdle(process.hProcess, 60000);
    result.idleMs = MillisecondsSince(start);
    wchar_t className[256] = L"";
    GetClassNameW(window, className, 256);
    result.windowClass = className;
    EndProcess(process, window);
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

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    const fs::path folder = fs::temp_directory_path() / "larkspur-startup-bench";
    fs::create_directories(folder);
    const std::wstring fullMenu = MenuArgument(folder, 1000);
    const std::wstring oneItemMenu = MenuArgument(folder, 1);
    if (fullMenu.empty() || oneItemMenu.empty()) {
        std::printf("could not write the menus in %ls\n", folder.c_str());
        return 1;
    }
    const fs::path buildFolder = OwnFolder().parent_path();
    std::vector<Program> programs = {
        {"empty_window.exe", buildFolder / "bench" / "empty_window.exe", L"", {}, {}},
        {"ShowLarkspur.exe 1000 items", buildFolder / "ShowLarkspur.exe", fullMenu, {}, {}},
        {"ShowLarkspur.exe 1 item", buildFolder / "ShowLarkspur.exe", oneItemMenu, {}, {}},
    };
    if (const char* other = std::getenv("LARKSPUR_STARTUP_COMPARE"); other && *other) {
        programs.push_back({"compared ShowLarkspur.exe 1000 items", other, fullMenu, {}, {}});
        programs.push_back({"compared ShowLarkspur.exe 1 item", other, oneItemMenu, {}, {}});
    }
    const size_t kPrograms = programs.size();

    // One start of each first, not counted: the files they load come from the disk only once.
    for (Program& program : programs) {
        const std::optional<StartUp> first = StartOnce(program.path, program.arguments, true);
        if (!first) return 1;
        std::printf("# %s: the window found is of class %ls; modules loaded when it showed:",
                    program.label, first->windowClass.c_str());
        for (const std::wstring& name : first->modulesWhenVisible) std::printf(" %ls", name.c_str());
        std::printf("\n");
    }
    for (int round = 0; round < rounds; ++round) {
        for (size_t turn = 0; turn < kPrograms; ++turn) {
            Program& program = programs[(turn + static_cast<size_t>(round)) % kPrograms];
            const std::optional<StartUp> startUp = StartOnce(program.path, program.arguments, false);
            if (!startUp) return 1;
            program.visible.push_back(startUp->visibleMs);
            program.idle.push_back(startUp->idleMs);
        }
    }

    Heading("start-up, " + std::to_string(rounds) + " rounds; times are medians");
    for (const Program& program : programs) {
        PrintRuns(program);
        Figure(std::string("start-up: ") + program.label + ", window visible",
               Median(program.visible), "ms");
        Figure(std::string("start-up: ") + program.label + ", window painted and idle",
               Median(program.idle), "ms");
    }
    const Program& empty = programs[0];
    for (const Program* larkspur : {&programs[1], &programs[2]}) {
        const std::string what = std::string("start-up: ") + larkspur->label + " / empty window";
        ReportRatios(what + ", visible", PairedRatios(larkspur->visible, empty.visible), 1.2);
        ReportRatios(what + ", painted and idle", PairedRatios(larkspur->idle, empty.idle), 1.2);
    }
    for (size_t i = 3; i < kPrograms; ++i) {
        const Program& own = programs[i - 2];
        const Program& other = programs[i];
        const std::string what = std::string("start-up: ") + own.label + " / compared build";
        ReportRatios(what + ", visible", PairedRatios(own.visible, other.visible), 1.05);
        ReportRatios(what + ", painted and idle", PairedRatios(own.idle, other.idle), 1.05);
    }

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
