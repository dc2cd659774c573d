#include "app/win32/UnexpectedError.h"

#include <windows.h>

#include <string>

#include "platform/Application.h"
#include "platform/text/Encoding.h"
#include "platform/texts/Texts.h"

namespace app {

void ReportUnexpected(const std::exception& error) {
    const std::wstring text =
        platform::Text(IDS_UNEXPECTED_ERROR) + L"\r\n\r\n" + platform::text::FromUtf8(error.what());
    MessageBoxW(GetActiveWindow(), text.c_str(), platform::App().Title.c_str(),
                MB_OK | MB_ICONERROR);
}

void ReportTermination() {
    try {
        if (const std::exception_ptr current = std::current_exception()) {
            std::rethrow_exception(current);
        }
    } catch (const std::exception& error) {
        ReportUnexpected(error);
    } catch (...) {
    }
    ExitProcess(3);  // abort() would show the C runtime's own box after ours
}

}  // namespace app
