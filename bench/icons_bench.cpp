// Icons at no cost: ShowLarkspur.exe on a 1000-item menu of local targets (programs and
// libraries of the system folder, folders), started with icons on and off in turning order,
// one start of each per round. Reports the time to the visible window for both and the median
// and least of the paired ratios; with icons on, the time from the visible window until every
// visible row shows its icon (read from the screen); and the times from WM_CLOSE until the
// window is no longer seen and until the process has ended. With LARKSPUR_UNREACHABLE set to a
// folder whose server never answers (scripts/bench.sh mounts one), a third program is the same
// menu with every target in that folder: its window must appear as fast and close at once.
// Last, the most GDI objects the process holds while every row of a menu of 1000 distinct targets
// is drawn, in the menu window and then in the menu editor, one page after the other, each page
// until its icons show; with --compare naming another build of ShowLarkspur.exe (scripts/bench.sh
// gives the one of LARKSPUR_COMPARE), the same for that one, to compare.
//
//   icons_bench [rounds] [--compare=<ShowLarkspur.exe>]      15 rounds unless told
#ifndef _WIN32
#error "icons_bench launches Windows programs: it builds only for Windows"
#endif

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>

#include "support/Figures.h"
#include "support/GdiObjects.h"
#include "support/RoundsArguments.h"
#include "support/VisibleWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int kDefaultRounds = 15;
constexpr int kItems = 1000;
constexpr wchar_t kSettingsKey[] = L"Software\\Brindle\\ShowLarkspur\\Options";

struct Start {
    double visibleMs = 0;
    std::optional<double> iconsMs;  // from visible until every visible row shows its icon
    double goneMs = 0;              // from WM_CLOSE until the window is no longer seen
    double closeMs = 0;             // from WM_CLOSE until the process has ended
};

double MillisecondsSince(Clock::time_point start) { return MicrosecondsSince(start) / 1000; }

// Whether each visible row's icon square (2 pixels in, 16 pixels square at 96 dpi, centred in
// the row) holds a picture: more than two colours.
bool VisibleRowsShowIcons(HWND list) {
    const auto rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    RECT client{};
    if (rowHeight <= 0 || !GetClientRect(list, &client)) return false;
    const int visible = std::min(rows, static_cast<int>(client.bottom / rowHeight));
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    const int width = 18;
    const int height = visible * rowHeight;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    bool all = visible > 0;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int row = 0; all && row < visible; ++row) {
        const int top = row * rowHeight + (rowHeight - 16) / 2;
        std::vector<DWORD> colours;
        for (int y = top; y < top + 16; ++y) {
            for (int x = 2; x < 18; ++x) {
                const DWORD colour = pixels[y * width + x] & 0xFFFFFF;
                if (std::find(colours.begin(), colours.end(), colour) == colours.end()) {
                    colours.push_back(colour);
                }
            }
        }
        all = colours.size() > 2;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return all;
}

void SetIcons(bool on) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (on) {
        RegDeleteValueW(key, L"Icons");
    } else {
        RegSetValueExW(key, L"Icons", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"0"), 4);
    }
    RegCloseKey(key);
}

std::optional<Start> StartOnce(const fs::path& program, const std::wstring& menu, bool icons,
                               bool waitForIcons) {
    SetIcons(icons);
    std::wstring commandLine = L"\"" + program.wstring() + L"\" \"" + menu + L"\"";
    STARTUPINFOW startupInfo{};
    startupInfo.cb = sizeof startupInfo;
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startupInfo, &process)) {
        std::printf("# could not start %ls (error %lu)\n", program.c_str(), GetLastError());
        return std::nullopt;
    }
    const HWND window = WaitForVisibleWindow(process, start);
    if (!window) {
        std::printf("# no window\n");
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return std::nullopt;
    }
    Start result;
    result.visibleMs = MillisecondsSince(start);
    const Clock::time_point visible = Clock::now();
    WaitForInputIdle(process.hProcess, 60000);
    if (waitForIcons) {
        HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
        while (list && Clock::now() - visible < std::chrono::seconds(20)) {
            if (VisibleRowsShowIcons(list)) {
                result.iconsMs = MillisecondsSince(visible);
                break;
            }
            Sleep(2);
        }
    } else {
        Sleep(300);  // long enough for the fetch of the visible rows to have begun
    }
    const Clock::time_point closing = Clock::now();
    PostMessageW(window, WM_CLOSE, 0, 0);
    while (IsWindowVisible(window) && Clock::now() - closing < std::chrono::seconds(20)) Sleep(1);
    result.goneMs = MillisecondsSince(closing);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        std::printf("# the program did not close in 20 s: terminated\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    result.closeMs = MillisecondsSince(closing);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// Programs, libraries and folders of the system, as many as the menu holds.
std::vector<std::wstring> LocalTargets() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::vector<std::wstring> targets{system, fs::path(system).parent_path().wstring()};
    for (const wchar_t* pattern : {L"*.exe", L"*.dll", L"*.cpl"}) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((std::wstring(system) + L"\\" + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            targets.push_back(std::wstring(system) + L"\\" + found.cFileName);
        } while (targets.size() < kItems && FindNextFileW(search, &found));
        FindClose(search);
    }
    return targets;
}

// As many targets as the menu holds, each once: the local ones and then names that do not exist.
std::vector<std::wstring> DistinctTargets(std::vector<std::wstring> targets) {
    for (int i = 0; targets.size() < kItems; ++i) {
        targets.push_back(L"C:\\no-such-folder\\program " + std::to_wstring(i) + L".exe");
    }
    targets.resize(kItems);
    return targets;
}

bool WriteMenu(const fs::path& file, const std::vector<std::wstring>& targets) {
    std::wstring text = L"\xFEFF[Options]\r\nTitle=Icons benchmark\r\n";
    for (int i = 0; i < kItems; ++i) {
        text += L"[Item " + std::to_wstring(i) + L"]\r\nTitle=Item " + std::to_wstring(i) +
                L"\r\nFileName=" + targets[static_cast<size_t>(i) % targets.size()] + L"\r\n";
    }
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(handle, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(handle);
    return ok;
}

struct WindowOf {
    DWORD processId;
    HWND other;  // a window to pass over
    HWND found = nullptr;
};

BOOL CALLBACK TakeListWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowOf*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || window == search->other || !IsWindowVisible(window) ||
        !FindWindowExW(window, nullptr, L"ListBox", nullptr)) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// A visible top-level window of the process with a list, other than `other`.
HWND ListWindow(DWORD processId, HWND other) {
    WindowOf search{processId, other};
    EnumWindows(TakeListWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Shows the list's rows one page after the other, each until its icons show; false when a page
// showed them not within 10 s.
bool DrawEveryRow(HWND list) {
    const auto rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    const auto rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client{};
    GetClientRect(list, &client);
    const int page = std::max(1, static_cast<int>(client.bottom) / std::max(1, rowHeight));
    bool all = true;
    for (int top = 0; top < rows; top += page) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        const Clock::time_point shown = Clock::now();
        while (!VisibleRowsShowIcons(list)) {
            if (Clock::now() - shown > std::chrono::seconds(10)) {
                std::printf("# the rows from %d on showed no icon within 10 s\n", top);
                all = false;
                break;
            }
            Sleep(5);
        }
    }
    return all;
}

// The most GDI objects the program holds, sampled every few milliseconds, from its start on a
// menu until every row of its window and of its menu editor has been drawn with its icon.
std::optional<DWORD> MostGdiObjects(const fs::path& program, const std::wstring& menu) {
    SetIcons(true);
    std::wstring commandLine = L"\"" + program.wstring() + L"\" \"" + menu + L"\"";
    STARTUPINFOW startupInfo{};
    startupInfo.cb = sizeof startupInfo;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startupInfo, &process)) {
        std::printf("# could not start %ls (error %lu)\n", program.c_str(), GetLastError());
        return std::nullopt;
    }
    testsupport::GdiObjects objects(process.hProcess);
    std::atomic<bool> done = false;
    DWORD most = 0;
    std::thread sampler([&] {
        while (!done) {
            most = std::max(most, objects.Count());
            Sleep(2);
        }
    });
    const HWND window = WaitForVisibleWindow(process, Clock::now());
    WaitForInputIdle(process.hProcess, 60000);
    bool shown = false;
    if (HWND list = window ? FindWindowExW(window, nullptr, L"ListBox", nullptr) : nullptr) {
        shown = DrawEveryRow(list);
        PostMessageW(list, WM_KEYDOWN, VK_F4, 0);  // the menu editor
        HWND editor = nullptr;
        for (int tries = 0; !editor && tries < 2000; ++tries, Sleep(5)) {
            editor = ListWindow(process.dwProcessId, window);
        }
        if (editor) {
            shown = DrawEveryRow(FindWindowExW(editor, nullptr, L"ListBox", nullptr)) && shown;
            PostMessageW(editor, WM_CLOSE, 0, 0);
            while (IsWindowVisible(editor)) Sleep(5);
        } else {
            std::printf("# the menu editor did not open\n");
            shown = false;
        }
    }
    if (!shown) std::printf("# not every row showed its icon within 10 s of being shown\n");
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    done = true;
    sampler.join();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!window || !shown) return std::nullopt;
    return most;
}

// The most GDI objects this build holds on a menu of distinct targets, and the build
// one compared, if any; 1 when one did not show every row's icon.
int ReportGdiObjects(const fs::path& exe, const fs::path& compared, const fs::path& menu,
                     const std::vector<std::wstring>& local) {
    if (!WriteMenu(menu, DistinctTargets(local))) return 1;
    std::vector<std::pair<std::string, fs::path>> builds{{"this build", exe}};
    if (!compared.empty()) builds.emplace_back("compared build", compared);
    int status = 0;
    for (const auto& [label, program] : builds) {
        const std::optional<DWORD> most = MostGdiObjects(program, menu.wstring());
        if (!most) {
            status = 1;
            continue;
        }
        std::printf(
            "icons: GDI objects at most, 1000 distinct targets, every row of the window and "
            "the editor drawn, %s\t%lu\tobjects\t%s (goal <= 1000)\n",
            label.c_str(), *most, *most <= 1000 ? "met" : "NOT MET");
    }
    return status;
}

struct Program {
    const char* label;
    std::wstring menu;
    bool icons;
    bool waitForIcons;
    std::vector<double> visible, icons_, gone, close;
};

}  // namespace

int main(int argc, char** argv) {
    const auto [rounds, compared] = ReadRoundsArguments(argc, argv, kDefaultRounds);
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    const fs::path exe = fs::path(own).parent_path().parent_path() / "ShowLarkspur.exe";
    const fs::path folder = fs::temp_directory_path() / "larkspur-icons-bench";
    fs::create_directories(folder);
    const std::vector<std::wstring> local = LocalTargets();
    if (!WriteMenu(folder / "local.Larkspur", local)) return 1;
    std::vector<Program> programs{
        {"icons on, local targets", (folder / "local.Larkspur").wstring(), true, true, {}, {}, {}},
        {"icons off, local targets", (folder / "local.Larkspur").wstring(), false, false, {}, {}, {}},
    };
    wchar_t unreachable[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"LARKSPUR_UNREACHABLE", unreachable, MAX_PATH)) {
        std::vector<std::wstring> blocked;
        for (int i = 0; i < kItems; ++i) {
            blocked.push_back(std::wstring(unreachable) + L"\\Tools\\app" + std::to_wstring(i) + L".exe");
        }
        if (!WriteMenu(folder / "unreachable.Larkspur", blocked)) return 1;
        programs.push_back({"icons on, every target unreachable",
                            (folder / "unreachable.Larkspur").wstring(), true, false, {}, {}, {}});
    } else {
        std::printf("# LARKSPUR_UNREACHABLE not set: no menu on an unreachable server\n");
    }
    std::printf("# %zu local targets for %d items\n", local.size(), kItems);

    for (Program& program : programs) StartOnce(exe, program.menu, program.icons, false);  // warm-up
    for (int round = 0; round < rounds; ++round) {
        for (size_t turn = 0; turn < programs.size(); ++turn) {
            Program& program = programs[(turn + static_cast<size_t>(round)) % programs.size()];
            const std::optional<Start> start =
                StartOnce(exe, program.menu, program.icons, program.waitForIcons);
            if (!start) return 1;
            program.visible.push_back(start->visibleMs);
            program.gone.push_back(start->goneMs);
            program.close.push_back(start->closeMs);
            if (start->iconsMs) program.icons_.push_back(*start->iconsMs);
        }
    }
    SetIcons(true);

    Heading("icons, " + std::to_string(rounds) + " rounds of " + std::to_string(kItems) +
            " items; times are medians");
    for (const Program& program : programs) {
        std::printf("# %s runs, ms (visible / icons / window hidden / ended):", program.label);
        for (size_t i = 0; i < program.visible.size(); ++i) {
            std::printf(" %.0f/%.0f/%.0f/%.0f", program.visible[i],
                        i < program.icons_.size() ? program.icons_[i] : 0.0, program.gone[i],
                        program.close[i]);
        }
        std::printf("\n");
    }
    for (const Program& program : programs) {
        const std::string label = std::string("icons: ") + program.label;
        Figure(label + ", window visible", Median(program.visible), "ms");
        Figure(label + ", WM_CLOSE to window hidden", Median(program.gone), "ms");
        Figure(label + ", WM_CLOSE to process ended", Median(program.close), "ms");
    }
    const Program& on = programs[0];
    const Program& off = programs[1];
    if (on.icons_.size() != on.visible.size()) {
        std::printf("# in %zu of %zu rounds the icons were not all shown within 20 s\n",
                    on.visible.size() - on.icons_.size(), on.visible.size());
    }
    if (!on.icons_.empty()) {
        const double iconsMs = Median(on.icons_);
        std::printf("icons: visible window to every visible row's icon\t%.1f\tms\t%s (goal < 250 ms)\n",
                    iconsMs, iconsMs < 250 ? "met" : "NOT MET");
        Figure("icons: visible window to every visible row's icon, least",
               *std::min_element(on.icons_.begin(), on.icons_.end()), "ms");
    }
    ReportRatios("icons: window visible, icons on / off", PairedRatios(on.visible, off.visible), 1.1);
    ReportRatios("icons: WM_CLOSE to window hidden, icons on / off", PairedRatios(on.gone, off.gone),
                 1.1);
    if (programs.size() > 2) {
        ReportRatios("icons: window visible, unreachable targets / icons off",
                     PairedRatios(programs[2].visible, off.visible), 1.1);
        ReportRatios("icons: WM_CLOSE to window hidden, unreachable targets / icons off",
                     PairedRatios(programs[2].gone, off.gone), 1.1);
        ReportRatios("icons: WM_CLOSE to process ended, unreachable targets / icons off",
                     PairedRatios(programs[2].close, off.close), 1.1);
    }

    const int status = ReportGdiObjects(exe, compared, folder / "distinct.Larkspur", local);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}
