#include "app/win32/UnexpectedError.h"

#include <windows.h>

#include <string>

#include "platform/Application.h"
#include "platform/text/Encoding.h"
#include "platform/texts/Texts.h"

namespace app {

namespace {

// The general message, with what the error said when it says anything.
void Report(const std::wstring& detail) {
    std::wstring text = platform::Text(IDS_UNEXPECTED_ERROR);
    if (!detail.empty()) text += L"\r\n\r\n" + detail;
    MessageBoxW(GetActiveWindow(), text.c_str(), platform::App().Title.c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace

void ReportUnexpected(const std::exception& error) {
    Report(platform::text::FromUtf8(error.what()));
}

// Whatever ended the program, exception or not, is told: a silent end would look like a crash.
void ReportTermination() {
    std::wstring detail;
    try {
        if (const std::exception_ptr current = std::current_exception()) {
            std::rethrow_exception(current);
        }
    } catch (const std::exception& error) {
        detail = platform::text::FromUtf8(error.what());
    } catch (...) {
    }
    Report(detail);
    ExitProcess(3);  // abort() would show the C runtime's own box after ours
}

}  // namespace app
