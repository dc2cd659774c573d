// What registering App Paths costs start-up: the work it did before the menu window's first
// paint until now (two registry writes) beside what it does there now (one thread timer set),
// and the work the timer then runs once the window has painted: for a copy an install put there
// two registry reads, for a copy from the zip the reads and the two writes. Medians of many
// rounds, in microseconds. Writes an App Paths entry of its own name, and removes it.
//
//   app_path_bench
#ifndef _WIN32
#error "app_path_bench measures the Windows registry: it builds only for Windows"
#endif

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/IdleTasks.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32Shell.h"
#include "support/Figures.h"

namespace {

using namespace bench;

constexpr int kRounds = 101;
const std::wstring kExePath = L"C:\\Program Files\\ShowLarkspur\\AppPathBench.exe";
const std::wstring kInstallation = L"Software\\Brindle\\ShowLarkspur\\Installation";

// Sets the timer as start-up does, then lets the loop run the task, outside the time taken.
double TimerMicroseconds() {
    bool ran = false;
    const Clock::time_point before = Clock::now();
    platform::RunWhenThreadIdle([&ran] { ran = true; });
    const double taken = MicrosecondsSince(before);
    MSG message;
    while (!ran && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return taken;
}

}  // namespace

int main() {
    platform::Win32Shell shell;
    platform::Win32SettingsStore settings;
    auto reads = [&] {
        settings.ReadMachine(kInstallation, L"Program");
        settings.Read(kInstallation, L"Program");
    };
    std::vector<double> before, timer, installed, unpacked;
    for (int round = 0; round < kRounds; ++round) {
        before.push_back(OnceMicroseconds([&] { shell.RegisterAppPath(kExePath); }));
        timer.push_back(TimerMicroseconds());
        installed.push_back(OnceMicroseconds(reads));
        unpacked.push_back(OnceMicroseconds([&] {
            reads();
            shell.RegisterAppPath(kExePath);
        }));
    }
    shell.UnregisterAppPath(kExePath);
    Heading("App Paths at start-up (median of " + std::to_string(kRounds) + " rounds)");
    Figure("before the first paint, until now: two registry writes", Median(before), "us");
    Figure("before the first paint, now: a thread timer set", Median(timer), "us");
    const std::vector<double> ratios = PairedRatios(timer, before);
    Ratio("now to until now, median of paired ratios", Median(ratios));
    Ratio("now to until now, least paired ratio", *std::min_element(ratios.begin(), ratios.end()));
    Figure("after the first paint, an installed copy: two reads", Median(installed), "us");
    Figure("after the first paint, a copy from the zip: two reads, two writes", Median(unpacked),
           "us");
    return 0;
}
