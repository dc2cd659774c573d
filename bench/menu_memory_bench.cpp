// Peak memory of reading a huge menu: LoadItems on 50 MB files of the shapes that cost a reader
// the most (short keys, short sections of one name and of names all different, long lines,
// blank lines) and on 1000 ordinary items padded to 50 MB (each followed by one long comment
// line), as the most the program's own allocations hold at once beyond what they held before,
// over the file's size, beside the time LoadItems takes. Every allocation of the program goes
// through operator new, which this program counts. On Windows each file is also loaded by a
// process of its own, which gives the most memory it held resident beyond what it did before,
// over the file's size: what the system sees, heap overhead included.
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "model/CCommands.h"
#include "support/Figures.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

namespace {

// Each block carries its size in front of it, so that delete can count it off.
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += size;
    if (liveBytes > peakBytes) peakBytes = liveBytes;
    return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) noexcept {
    if (!pointer) return;
    char* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Release(pointer); }

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 50u << 20;

const std::string kMenuHead =
    "[Options]\r\nTitle=Huge\r\n[Item 0]\r\nTitle=First\r\nFileName=first.exe\r\n";

// A menu of one item whose section goes on with `line` until the file holds 50 MB: the keys the
// item lacks are looked for through all of it.
std::string FilledWith(const std::string& line, std::size_t size = kFileSize) {
    std::string bytes = kMenuHead;
    bytes.reserve(size + line.size());
    while (bytes.size() < size) bytes += line;
    return bytes;
}

std::string BlankLines() { return FilledWith("\r\n"); }
std::string ShortKeys() { return FilledWith("a=b\r\n"); }
std::string ShortSections() { return FilledWith("[a]\r\n"); }
std::string LongLines() { return FilledWith("k=" + std::string(1u << 20, 'v') + "\r\n"); }

// Sections of names all different without regard to case, short as counting in the 36 letters
// and digits makes them.
std::string DifferentSections() {
    std::string bytes = kMenuHead;
    bytes.reserve(kFileSize + 16);
    for (std::uint64_t n = 0; bytes.size() < kFileSize; ++n) {
        bytes += '[';
        std::uint64_t rest = n;
        do {
            bytes += "0123456789abcdefghijklmnopqrstuvwxyz"[rest % 36];
            rest /= 36;
        } while (rest != 0);
        bytes += "]\r\n";
    }
    return bytes;
}

std::string Item(int n) {
    const std::string number = std::to_string(n);
    return "[Item " + number + "]\r\nTitle=Application number " + number +
           "\r\nFileName=C:\\Program Files\\Vendor " + number + "\\application.exe" +
           "\r\nParameters=\"C:\\Users\\Someone\\Documents\\file " + number +
           ".txt\" /switch\r\nDirectory=C:\\Users\\Someone\\Documents\r\n";
}

// Each item followed by a comment line of the length that brings the file to 50 MB.
std::string PaddedItems() {
    const std::string head = "[Options]\r\nTitle=Huge\r\n";
    std::size_t itemBytes = 0;
    for (int n = 0; n < 1000; ++n) itemBytes += Item(n).size();
    const std::size_t commentBytes = (kFileSize - head.size() - itemBytes) / 1000;
    std::string bytes = head;
    bytes.reserve(kFileSize);
    for (int n = 0; n < 1000; ++n) {
        bytes += Item(n);
        bytes += ';';
        bytes.append(commentBytes - 3, 'x');
        bytes += "\r\n";
    }
    return bytes;
}

int Load(const fs::path& file) {
    model::CCommands menu;
    menu.ConfigFileName(file.wstring());
    menu.LoadItems();
    return menu.Count();
}

#ifdef _WIN32
PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// In the process that loads the file alone: the peak working set beyond what the process held
// before loading, over the file's size. (Wine leaves the peak commit at zero.)
void MeasureProcess(const std::string& what, const fs::path& file) {
    const PROCESS_MEMORY_COUNTERS before = Counters();
    Load(file);
    const PROCESS_MEMORY_COUNTERS after = Counters();
    const auto size = static_cast<double>(fs::file_size(file));
    bench::Ratio("load " + what + ": peak resident / file size",
                 static_cast<double>(after.PeakWorkingSetSize - before.WorkingSetSize) / size);
}

void MeasureInOwnProcess(const std::string& what, const fs::path& file) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" \"" + file.wstring() +
                               L"\" \"" + std::wstring(what.begin(), what.end()) + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("could not start the loading process\n");
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
#endif

void Measure(const std::string& what, const std::string& bytes, const fs::path& file) {
    std::ofstream(file, std::ios::binary) << bytes;
    const std::size_t size = bytes.size();
    const std::size_t before = liveBytes;
    peakBytes = liveBytes;
    const auto started = bench::Clock::now();
    const int items = Load(file);
    const double seconds = bench::MicrosecondsSince(started) / 1e6;
    const double ratio = static_cast<double>(peakBytes - before) / static_cast<double>(size);
    bench::Heading(what + ": " + std::to_string(size) + " bytes, " + std::to_string(items) +
                   " items read, " + std::to_string(sizeof(wchar_t)) + " bytes a character");
    bench::Figure("load " + what + ": LoadItems", seconds * 1000, "ms");
    // The goal is Windows', where the text takes two bytes a character; natively it takes four.
    const std::string figure = "load " + what + ": peak memory / file size";
    if constexpr (sizeof(wchar_t) == 2) {
        bench::Goal(figure, ratio, false, 3.0);
    } else {
        bench::Ratio(figure, ratio);
    }
#ifdef _WIN32
    std::fflush(stdout);
    MeasureInOwnProcess(what, file);
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The loading process: the file, then what it holds.
    if (argc > 1) {
        if (argc != 3) return 1;
        MeasureProcess(argv[2], argv[1]);
        return 0;
    }
#endif
    (void)argc;
    (void)argv;
    const fs::path folder = fs::temp_directory_path() / "larkspur-memory-bench";
    fs::create_directories(folder);
    Measure("50 MB of blank lines", BlankLines(), folder / "blank.Larkspur");
    Measure("50 MB of a=b lines", ShortKeys(), folder / "keys.Larkspur");
    Measure("120 MB of a=b lines", FilledWith("a=b\r\n", 120u << 20), folder / "keys120.Larkspur");
    Measure("50 MB of [a] lines", ShortSections(), folder / "sections.Larkspur");
    Measure("50 MB of sections named anew", DifferentSections(), folder / "names.Larkspur");
    Measure("50 MB of 1 MB lines", LongLines(), folder / "long.Larkspur");
    Measure("1000 items padded to 50 MB", PaddedItems(), folder / "padded.Larkspur");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
