// The entry point of ShowLarkspur.exe: installs the real environment and runs start-up.
#include <windows.h>

#include <exception>
#include <string>

#include "app/modMain.h"
#include "app/win32/DelayLoadFailure.h"
#include "app/win32/ExecutableInfo.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/text/Encoding.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ErrorMode.h"
#include "platform/win32/NewWindowPlace.h"
#include "platform/win32/Win32Environment.h"
#include "ui/Form.h"
#include "ui/menu/frmMain.h"
#include "ui/win32/Win32Toolkit.h"

// A missing delay-loaded DLL or function is told and ends the program: defined here, in the
// executable itself, so that it takes the place of the runtime's empty default.
// (The SDK's delayimp.h declares it const, MinGW's not; either way delayimp.h gives it external
// linkage.)
extern "C" {
#ifdef _MSC_VER
const
#endif
    PfnDliHook __pfnDliFailureHook2 = app::DelayLoadFailed;
}

namespace {

// The last line of defence: a fault the program did not foresee is told, not a silent crash.
void ReportUnexpected(const std::exception& error) {
    const std::wstring text = L"Непредвиденная ошибка:\r\n\r\n" +
                              platform::text::FromUtf8(error.what());
    MessageBoxW(GetActiveWindow(), text.c_str(), platform::App().Title.c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::SilenceSystemErrorBoxes();  // before any probe, dialog or save
    platform::NoteStartMonitor();  // before a window of ours takes the foreground
    platform::SetApp(app::ReadExecutableInfo());
    int exitCode = 0;
    {
        platform::Win32Environment environment;
        platform::ScopedEnvironment environmentScope(environment.Get());
        ui::Win32Toolkit toolkit;
        ui::ScopedToolkit toolkitScope(toolkit);
        try {
            app::Main();
            toolkit.RunMessageLoop();
        } catch (const std::exception& error) {
            ReportUnexpected(error);
            exitCode = 1;
        }
        ui::ReleaseMainForm();
    }
    platform::EndComApartment();
    return exitCode;
}
