#pragma once

// The GDI objects a process holds, as Windows counts them against its limit of 10,000.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <vector>

namespace testsupport {

// GetGuiResources, or where that answers nothing (Wine 8), the live entries of the process's GDI
// handle table (the PEB's GdiSharedHandleTable, which Wine keeps for each process), read from
// its memory: a 64-bit process's only.
class GdiObjects {
public:
    explicit GdiObjects(HANDLE process) : process_(process) {}

    // 0 when the count cannot be read.
    DWORD Count() {
        if (const DWORD counted = GetGuiResources(process_, GR_GDIOBJECTS)) return counted;
        if (!table_ && !FindTable()) return 0;
        if (!ReadProcessMemory(process_, reinterpret_cast<const void*>(table_), entries_.data(),
                               entries_.size() * sizeof(Entry), nullptr)) {
            return 0;
        }
        return static_cast<DWORD>(
            std::count_if(entries_.begin(), entries_.end(),
                          [](const Entry& e) { return e.type != 0 && !(e.unique & kStock); }));
    }

private:
    // A free entry has no type; the low byte of `unique` has its high bit set for a stock object.
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        UINT64 user;
    };
    static_assert(sizeof(Entry) == 24);
    static constexpr USHORT kStock = 0x80;
    static constexpr size_t kEntries = 0x10000;
    static constexpr size_t kTableInPeb = 0xF8;

    bool FindTable() {
#ifdef _WIN64
        using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
        const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
        struct {
            void* exitStatus;
            char* peb;
            void* rest[4];
        } basic{};
        if (!query ||
            query(process_, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) != 0 ||
            !basic.peb) {
            return false;
        }
        if (!ReadProcessMemory(process_, basic.peb + kTableInPeb, &table_, sizeof table_,
                               nullptr)) {
            return false;
        }
        entries_.resize(kEntries);
        return table_ != 0;
#else
        return false;  // a 32-bit process's table is laid out otherwise
#endif
    }

    HANDLE process_;
    UINT64 table_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace testsupport
#endif
