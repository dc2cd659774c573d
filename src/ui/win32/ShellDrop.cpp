#include "ui/win32/ShellDrop.h"

namespace ui {

namespace {

// Sent by the system to hand a drop's data across processes; windows.h does not name it.
constexpr UINT kCopyGlobalData = 0x0049;

}  // namespace

// The style is what DragAcceptFiles sets; set here, it leaves the shell unloaded at start-up.
// The shell drops by posting WM_DROPFILES and copying the data with WM_COPYDATA and
// WM_COPYGLOBALDATA, which an elevated window refuses from a lower integrity level unless let in.
void AcceptDroppedFiles(HWND window) {
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }
}

std::vector<std::wstring> FileNamesOf(HDROP drop) {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring name(DragQueryFileW(drop, index, nullptr, 0), L'\0');
        DragQueryFileW(drop, index, name.data(), static_cast<UINT>(name.size() + 1));
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::wstring> ClipboardFileNames(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_HDROP) || !OpenClipboard(owner)) return {};
    std::vector<std::wstring> names;
    if (HANDLE data = GetClipboardData(CF_HDROP)) names = FileNamesOf(static_cast<HDROP>(data));
    CloseClipboard();
    return names;
}

}  // namespace ui
