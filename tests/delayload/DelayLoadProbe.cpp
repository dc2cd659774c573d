// A program, wired as ShowLarkspur.exe is, that calls a delay-loaded function it cannot have:
// "dll" one of a DLL that does not exist, "function" one that user32.dll does not export. The
// failure hook is then to show its message and end the program (DelayLoadFailureTest).
// "terminate" lets an exception leave a noexcept function, "terminate-bare" ends with no
// exception at all: the terminate handler is to say so.
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "app/win32/DelayLoadFailure.h"

extern "C" {
PfnDliHook __pfnDliFailureHook2 = app::DelayLoadFailed;
__declspec(dllimport) int WINAPI LarkspurMissingFunction();  // larkspur_missing.dll
__declspec(dllimport) int WINAPI LarkspurMissingExport();    // user32.dll
}

// Should the hook fail, the process is to end with the exception's code at once, not wait in a
// debugger that holds the test run's output open.
LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

int wmain(int argc, wchar_t** argv) {
    SetUnhandledExceptionFilter(EndAtOnce);
    const std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"dll") return LarkspurMissingFunction();
    if (what == L"function") return LarkspurMissingExport();
    if (what == L"terminate") []() noexcept { throw std::runtime_error("probe fault"); }();
    if (what == L"terminate-bare") std::terminate();
    return 2;
}
