#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Installed.h"
#include "platform/WindowHandle.h"

// The operating system as the program sees it, behind small interfaces with two
// implementations: Win32 (platform/win32) and headless (platform/headless, state only and
// scriptable, for the native tests). Files are not here: they are real on both.
namespace platform {

// Screen rectangle in physical pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

struct Monitor {
    PixelRect bounds;
    PixelRect workArea;
    bool operator==(const Monitor&) const = default;
};

// Where a top-level window stands when it is not minimised or maximised, and how it is shown.
struct WindowPlacement {
    PixelRect normal;  // screen coordinates
    int showCmd = 1;   // SW_SHOWNORMAL or SW_SHOWMAXIMIZED
    int dpi = 96;      // the window's DPI when the placement was taken
    bool operator==(const WindowPlacement&) const = default;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual PixelRect WindowRect(WindowHandle window) = 0;
    virtual void MoveWindow(WindowHandle window, const PixelRect& rect) = 0;
    virtual std::vector<Monitor> Monitors() = 0;
    virtual Monitor MonitorOf(WindowHandle window) = 0;
    virtual WindowPlacement GetPlacement(WindowHandle window) = 0;
    virtual void SetPlacement(WindowHandle window, const WindowPlacement& placement) = 0;
    // Sets every size of the window's icons from the executable's icon group `resourceName`.
    virtual void SetIcons(WindowHandle window, const std::wstring& resourceName) = 0;
    virtual WindowHandle ActiveWindow() = 0;
    virtual WindowHandle FocusedWindow() = 0;
    virtual void SetFocus(WindowHandle window) = 0;
    virtual void SetForeground(WindowHandle window) = 0;
    virtual std::wstring GetText(WindowHandle window) = 0;
    virtual void SetText(WindowHandle window, const std::wstring& text) = 0;
    virtual void SelectAllText(WindowHandle textBox) = 0;
    // Presses a button as a click would: its Click handler runs.
    virtual void PressButton(WindowHandle button) = 0;
    // Unloads a form once the event handler now running has returned.
    virtual void RequestUnload(WindowHandle form) = 0;
    // The hidden top-level window that owns the application's windows.
    virtual WindowHandle HiddenOwner() = 0;
    virtual void PaintBackground(WindowHandle window) = 0;
    // Lets keyboard navigation reach controls inside child containers of this thread's windows.
    virtual void MakeControlParents() = 0;
    // Leaves a fixed dialog's system menu with what such a window can do: Move and Close.
    virtual void TrimSystemMenu(WindowHandle window) = 0;
    // Runs the task on this thread once the messages and paints waiting now have been handled,
    // so that the windows shown by then are on screen before it costs anything.
    virtual void RunWhenIdle(std::function<void()> task) = 0;
};

struct FileDialogRequest {
    WindowHandle owner = nullptr;
    std::wstring filter;      // caption|pattern pairs joined by "|"
    int filterIndex = 0;
    std::wstring initDir;
    std::wstring fileName;
    std::wstring defaultExt;  // saving only
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // style: kMb* flags; returns kIdOk, kIdCancel ...
    virtual int ShowMessage(WindowHandle owner, const std::wstring& text,
                            const std::wstring& caption, unsigned style) = 0;
    virtual std::optional<std::wstring> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> SaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> BrowseFolder(WindowHandle owner, const std::wstring& prompt,
                                                     const std::wstring& initialFolder) = 0;
    // A popup menu of `entries` under `anchor`; the chosen index, or nothing.
    virtual std::optional<size_t> PopupMenu(WindowHandle anchor,
                                            const std::vector<std::wstring>& entries) = 0;
    virtual void About(WindowHandle owner, const std::wstring& title, const std::wstring& text) = 0;
};

struct ShellResult {
    bool ok = false;
    std::uint32_t lastError = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual ShellResult Execute(WindowHandle owner, const std::wstring& verb,
                                const std::wstring& file, const std::wstring& parameters,
                                const std::wstring& directory, int showCommand) = 0;
    virtual std::wstring SystemErrorText(std::uint32_t code) = 0;
    // The process's command line after the executable's own name, as it was given.
    virtual std::wstring CommandLineArguments() = 0;
    // Registers the executable under the user's App Paths, so that the Run box starts it by
    // name.
    virtual bool RegisterAppPath(const std::wstring& exePath) = 0;
    // Removes the user's App Paths entry of the executable's name when it names this executable.
    virtual void UnregisterAppPath(const std::wstring& exePath) = 0;
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual bool IsKeyDown(int virtualKey) = 0;
};

// Named text values under a key path such as "Software\\Brindle\\ShowLarkspur\\OFN Paths",
// kept per user (the registry on Windows).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::wstring> Read(const std::wstring& keyPath,
                                             const std::wstring& name) = 0;
    virtual bool Write(const std::wstring& keyPath, const std::wstring& name,
                       const std::wstring& value) = 0;
    // The value kept for every user of the machine under the same key path (what an install for
    // all users wrote), which the program only reads.
    virtual std::optional<std::wstring> ReadMachine(const std::wstring& keyPath,
                                                    const std::wstring& name) = 0;
};

struct Environment {
    WindowSystem& windows;
    Dialogs& dialogs;
    Shell& shell;
    Keyboard& keyboard;
    SettingsStore& settings;
};

// The environment installed for this process (std::logic_error when none is).
inline Environment& Env() { return Installed<Environment>::Get(); }
using ScopedEnvironment = Installed<Environment>::Scope;

}  // namespace platform
