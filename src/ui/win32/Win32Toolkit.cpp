#include "ui/win32/Win32Toolkit.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/win32/MessageLoop.h"
#include "ui/win32/Win32Form.h"

namespace ui {

void Win32Toolkit::InitCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&classes);
}

std::unique_ptr<Form> Win32Toolkit::CreateForm(const FormSpec& spec) {
    return std::make_unique<Win32Form>(*this, spec);
}

void Win32Toolkit::DoEvents() { ProcessPendingMessages(); }

void Win32Toolkit::RunMessageLoop() {
    // A WM_QUIT ends the loop too; it is not posted again, the program is ending.
    RunMessagesUntil([this] { return loadedForms_ == 0; });
}

}  // namespace ui
