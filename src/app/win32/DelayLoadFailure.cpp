#include "app/win32/DelayLoadFailure.h"

#include <string>

#include "platform/Application.h"
#include "platform/text/Encoding.h"
#include "platform/text/NumberText.h"
#include "platform/texts/Texts.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WorkingWindow.h"

namespace app {

namespace {

// The names in an import table are ASCII.
std::wstring Widen(const char* text) { return text ? platform::text::FromUtf8(text) : L""; }

std::wstring MissingFunction(const DelayLoadProc& function) {
    if (function.fImportByName) return Widen(function.szProcName);
    return platform::Text(IDS_FUNCTION_ORDINAL, {platform::text::Decimal(function.dwOrdinal)});
}

}  // namespace

FARPROC WINAPI DelayLoadFailed(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliFailLoadLib && notification != dliFailGetProc) return nullptr;
    const std::wstring sentence =
        notification == dliFailLoadLib
            ? platform::Text(IDS_LIBRARY_NOT_LOADED)
            : platform::Text(IDS_LIBRARY_FUNCTION_MISSING, {MissingFunction(info->dlp)});
    const std::wstring text = Widen(info->szDll) + L"\r\n\r\n" + sentence + L"\r\n\r\n" +
                              platform::SystemErrorText(info->dwLastError);
    MessageBoxW(platform::WorkingWindow(), text.c_str(), platform::App().Title.c_str(),
                MB_OK | MB_ICONERROR);
    ExitProcess(info->dwLastError ? info->dwLastError : ERROR_PROC_NOT_FOUND);
}

}  // namespace app
