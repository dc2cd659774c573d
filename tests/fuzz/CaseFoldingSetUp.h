#pragma once

#include <sanitizer/lsan_interface.h>

#include "platform/text/CaseFold.h"

namespace fuzz {

// Case folding loads a C.UTF-8 locale once per process (platform/text/posix/CaseFold.cpp). Where
// LOCPATH is set, glibc's newlocale keeps a copy of that path that it never frees, so the first
// input to fold a name would be blamed for a leak that is not ours. Called from
// LLVMFuzzerInitialize, before any input runs; the leak check stays on for everything after.
inline void LoadCaseFoldingLocale() {
    __lsan::ScopedDisabler allocationsOfTheCLibrary;
    platform::text::FoldCase(L"\u0401");
}

}  // namespace fuzz
