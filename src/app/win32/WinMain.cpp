// The entry point of ShowLarkspur.exe: installs the real environment and runs start-up.
#include <windows.h>

#include <exception>

#include "app/modMain.h"
#include "app/win32/DelayLoadFailure.h"
#include "app/win32/ExecutableInfo.h"
#include "app/win32/UnexpectedError.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/texts/Texts.h"
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

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::SilenceSystemErrorBoxes();  // before any probe, dialog or save
    std::set_terminate(app::ReportTermination);
    platform::NoteStartMonitor();  // before a window of ours takes the foreground
    platform::SetApp(app::ReadExecutableInfo());
    int exitCode = 0;
    {
        platform::Win32Environment environment;
        platform::ScopedEnvironment environmentScope(environment.Get());
        platform::ChooseLanguage();
        // What Windows itself shows in our windows (message box buttons, the file and folder
        // dialogs) follows where Windows has that language.
        SetThreadUILanguage(static_cast<LANGID>(platform::CurrentLanguage()));
        ui::Win32Toolkit toolkit;
        ui::ScopedToolkit toolkitScope(toolkit);
        try {
            app::Main();
            toolkit.RunMessageLoop();
        } catch (const std::exception& error) {
            app::ReportUnexpected(error);
            exitCode = 1;
        }
        ui::ReleaseMainForm();
    }
    platform::EndComApartment();
    return exitCode;
}
