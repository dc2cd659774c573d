// Start-up time: from CreateProcessW to the first visible top-level window of the new process,
// and on until that process first waits for input with nothing left to do (WaitForInputIdle:
// its window has been painted). ShowLarkspur.exe with a 1000-item and a 1-item menu (Russian
// titles, programs that exist, Windows-1251: support/RussianMenu.h), icons on, is measured
// beside bench/empty_window.exe and beside bench/content_floor.exe, which shows the same window
// and list with nothing read, in rounds, one start of each per round, the order turning from
// round to round; each round gives paired ratios to the empty window and to that floor. Each
// program is then closed with WM_CLOSE. Also prints which modules each program has loaded when
// its window becomes visible.
//
//   startup_bench [rounds] [--compare=<ShowLarkspur.exe>]      31 rounds unless told
//
// With --compare naming another build of ShowLarkspur.exe (scripts/bench.sh gives the one of
// LARKSPUR_COMPARE), that one is started in the same rounds on the same menus, and its ratios to
// the empty window and to the floor are reported beside this build's, with this build's paired
// ratios to it.
#ifndef _WIN32
#error "startup_bench launches Windows programs: it builds only for Windows"
#endif

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/Figures.h"
#include "support/RoundsArguments.h"
#include "support/RussianMenu.h"
#include "support/VisibleWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int kDefaultRounds = 31;
constexpr double kEmptyWindowGoal = 1.2;
constexpr double kFloorGoal = 1.05;
constexpr double kComparedGoal = 1.05;
constexpr wchar_t kSettingsKey[] = L"Software\\Brindle\\ShowLarkspur\\Options";

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
    if (!WriteRussianMenu(file.wstring(), items)) return L"";
    return L"\"" + file.wstring() + L"\"";
}

// Icons on, as for a user who never turned them off.
void TurnIconsOn() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueW(key, L"Icons");
    RegCloseKey(key);
}

// The paired ratios of one program's times to another's, against a goal when there is one.
void ReportAgainst(const Program& program, const Program& base, const char* baseName,
                   std::optional<double> goal) {
    const std::string what = std::string("start-up: ") + program.label + " / " + baseName;
    for (const bool visible : {true, false}) {
        const std::string figure = what + (visible ? ", visible" : ", painted and idle");
        const std::vector<double> ratios = visible ? PairedRatios(program.visible, base.visible)
                                                   : PairedRatios(program.idle, base.idle);
        if (goal) {
            ReportRatios(figure, ratios, *goal);
        } else {
            Ratio(figure + ", median of paired ratios", Median(ratios));
            Ratio(figure + ", least paired ratio", *std::min_element(ratios.begin(), ratios.end()));
        }
    }
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
    const auto [rounds, compared] = ReadRoundsArguments(argc, argv, kDefaultRounds);
    const fs::path folder = fs::temp_directory_path() / "larkspur-startup-bench";
    fs::create_directories(folder);
    const std::wstring fullMenu = MenuArgument(folder, kMenuItems);
    const std::wstring oneItemMenu = MenuArgument(folder, 1);
    if (fullMenu.empty() || oneItemMenu.empty()) {
        std::printf("could not write the menus in %ls\n", folder.c_str());
        return 1;
    }
    TurnIconsOn();
    const fs::path buildFolder = OwnFolder().parent_path();
    std::vector<Program> programs = {
        {"empty_window.exe", buildFolder / "bench" / "empty_window.exe", L"", {}, {}},
        {"content_floor.exe", buildFolder / "bench" / "content_floor.exe", L"", {}, {}},
        {"ShowLarkspur.exe 1000 items", buildFolder / "ShowLarkspur.exe", fullMenu, {}, {}},
        {"ShowLarkspur.exe 1 item", buildFolder / "ShowLarkspur.exe", oneItemMenu, {}, {}},
    };
    if (!compared.empty()) {
        programs.push_back({"compared ShowLarkspur.exe 1000 items", compared, fullMenu, {}, {}});
        programs.push_back({"compared ShowLarkspur.exe 1 item", compared, oneItemMenu, {}, {}});
    }
    const size_t count = programs.size();

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
        for (size_t turn = 0; turn < count; ++turn) {
            Program& program = programs[(turn + static_cast<size_t>(round)) % count];
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
    const Program& contentFloor = programs[1];
    ReportAgainst(contentFloor, empty, "empty window", std::nullopt);
    for (size_t i = 2; i < count; ++i) {
        ReportAgainst(programs[i], empty, "empty window", kEmptyWindowGoal);
        if (programs[i].arguments == fullMenu) {
            ReportAgainst(programs[i], contentFloor, "content floor", kFloorGoal);
        }
    }
    // This build's two starts against the compared build's, which follow them.
    for (size_t i = 4; i < count; ++i) {
        ReportAgainst(programs[i - 2], programs[i], "compared build", kComparedGoal);
    }

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
