#include "platform/win32/Win32Dialogs.h"

#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/win32/ComApartment.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MenuTextFit.h"
#include "platform/win32/Monitors.h"

namespace platform {

namespace {

HWND Hwnd(WindowHandle window) { return static_cast<HWND>(window); }

// Long enough for any path Windows can hand back.
constexpr DWORD kPathChars = 32768;

std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request, bool save) {
    std::wstring filter = FileDialogFilter(request.filter);
    std::vector<wchar_t> fileName(kPathChars, L'\0');
    std::copy_n(request.fileName.begin(), std::min<size_t>(request.fileName.size(), kPathChars - 1),
                fileName.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Hwnd(request.owner);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    // The dialog counts filters from 1; 0 (no choice made) also opens on the first.
    dialog.nFilterIndex = static_cast<DWORD>(std::max(request.filterIndex, 1));
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = kPathChars;
    dialog.lpstrInitialDir = request.initDir.empty() ? nullptr : request.initDir.c_str();
    dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

    EnsureComApartment();
    BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME && fileName[0] != L'\0') {
        // A proposed name the dialog refuses must not keep the user from choosing one.
        fileName.assign(kPathChars, L'\0');
        chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    }
    if (!chosen) return std::nullopt;
    return std::wstring(fileName.data());
}

int CALLBACK StartBrowsingAt(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    }
    return 0;
}

std::wstring MenuText(const std::wstring& entry) {
    std::wstring text;
    for (wchar_t c : entry) {
        if (c == L'&') text += L'&';  // a literal ampersand, not a mnemonic
        text += c == L'\t' ? L' ' : c;
    }
    return text;
}

// The application icon: the executable's first icon group, as the shell shows it.
struct FirstIconGroup {
    LPCWSTR id = nullptr;  // an integer resource, or name.c_str()
    std::wstring name;
};

BOOL CALLBACK TakeFirstIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    auto* group = reinterpret_cast<FirstIconGroup*>(found);
    if (IS_INTRESOURCE(name)) {
        group->id = name;
    } else {
        group->name = name;
        group->id = group->name.c_str();
    }
    return FALSE;
}

}  // namespace

std::wstring FileDialogFilter(const std::wstring& filter) {
    if (filter.empty()) return {};
    std::wstring result = filter;
    std::replace(result.begin(), result.end(), L'|', L'\0');
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

int Win32Dialogs::ShowMessage(WindowHandle owner, const std::wstring& text,
                              const std::wstring& caption, unsigned style) {
    return MessageBoxW(Hwnd(owner), text.c_str(), caption.c_str(), style);
}

std::optional<std::wstring> Win32Dialogs::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::wstring> Win32Dialogs::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::wstring> Win32Dialogs::BrowseFolder(WindowHandle owner,
                                                       const std::wstring& prompt,
                                                       const std::wstring& initialFolder) {
    EnsureComApartment();
    BROWSEINFOW browse{};
    browse.hwndOwner = Hwnd(owner);
    browse.lpszTitle = prompt.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = StartBrowsingAt;
    browse.lParam = initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return std::nullopt;
    std::vector<wchar_t> path(kPathChars, L'\0');
    BOOL isFolder = SHGetPathFromIDListEx(chosen, path.data(), kPathChars, GPFIDL_DEFAULT);
    CoTaskMemFree(chosen);
    if (!isFolder) return std::nullopt;
    return std::wstring(path.data());
}

std::optional<size_t> Win32Dialogs::PopupMenu(WindowHandle anchor,
                                              const std::vector<std::wstring>& entries) {
    if (entries.empty()) return std::nullopt;
    HWND anchorWindow = Hwnd(anchor);
    HMENU menu = CreatePopupMenu();
    if (!menu) return std::nullopt;
    RECT anchorRect{};
    GetWindowRect(anchorWindow, &anchorRect);
    // Never wider than the work area of the monitor it opens on: a long entry is cut short.
    const int dpi = WindowDpi(anchorWindow);
    const int textWidth = MenuTextWidthWithin(
        MonitorOfHandle(MonitorFromRect(&anchorRect, MONITOR_DEFAULTTONEAREST))
            .value_or(Monitor{})
            .workArea.Width(),
        dpi);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring shown = MenuText(MenuTextFitted(entries[i], textWidth, dpi));
        AppendMenuW(menu, MF_STRING, i + 1, shown.c_str());
    }
    // Below the anchor; above it when there is no room below, never over it.
    TPMPARAMS keepClear{};
    keepClear.cbSize = sizeof keepClear;
    keepClear.rcExclude = anchorRect;
    HWND owner = anchorWindow ? GetAncestor(anchorWindow, GA_ROOT) : GetActiveWindow();
    UINT chosen = TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL,
        anchorRect.left, anchorRect.bottom, owner, &keepClear);
    DestroyMenu(menu);
    if (chosen == 0) return std::nullopt;
    return static_cast<size_t>(chosen - 1);
}

void Win32Dialogs::About(WindowHandle owner, const std::wstring& title, const std::wstring& text) {
    HMODULE executable = GetModuleHandleW(nullptr);
    FirstIconGroup icon;
    EnumResourceNamesW(executable, RT_GROUP_ICON, TakeFirstIconGroup,
                       reinterpret_cast<LONG_PTR>(&icon));
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = Hwnd(owner);
    box.hInstance = executable;
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = MB_OK | (icon.id ? MB_USERICON : MB_ICONINFORMATION);
    box.lpszIcon = icon.id;
    MessageBoxIndirectW(&box);
}

}  // namespace platform
