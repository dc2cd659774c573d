#include "platform/win32/ErrorMode.h"

namespace platform {

namespace {

constexpr UINT kSilent = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// Read before wWinMain changes it.
const UINT startedWith = GetErrorMode();

}  // namespace

void SilenceSystemErrorBoxes() {
    SetErrorMode(GetErrorMode() | kSilent);
    SetThreadErrorMode(GetThreadErrorMode() | kSilent, nullptr);
}

ThreadErrorBoxesSilenced::ThreadErrorBoxesSilenced() {
    SetThreadErrorMode(GetThreadErrorMode() | kSilent, &previous_);
}

ThreadErrorBoxesSilenced::~ThreadErrorBoxesSilenced() { SetThreadErrorMode(previous_, nullptr); }

StartedProgramsErrorMode::StartedProgramsErrorMode() : previous_(SetErrorMode(startedWith)) {}

StartedProgramsErrorMode::~StartedProgramsErrorMode() { SetErrorMode(previous_); }

}  // namespace platform
