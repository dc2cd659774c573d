#include "platform/support/Session.h"

#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/CErrorBox.h"
#include "platform/components/PathJoin.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathParts.h"
#include "platform/text/CaseFold.h"
#include "platform/texts/Texts.h"

namespace platform {

namespace {

// Whether an install recorded the running executable as the program it put there: the value its
// Program component writes, for the user or for the machine by the install's context. A program
// started by its short name is the installed one all the same.
bool Names(const std::optional<std::wstring>& recorded, const std::wstring& exePath) {
    return recorded &&
           text::EqualIgnoringCase(files::LongPath(*recorded), files::LongPath(exePath));
}

// A copy that an install put there has the App Paths entry of that install, which is removed
// with it; one the user unpacked registers itself. An earlier version registered the copy
// installed for all users too, in the user's keys, where it would outlive the program.
void KeepAppPath(const std::wstring& exePath) {
    Environment& env = Env();
    const Application& app = App();
    const std::wstring key =
        L"Software\\" + app.CompanyKey + L"\\" + app.ProductKey + L"\\Installation";
    if (Names(env.settings.ReadMachine(key, L"Program"), exePath)) {
        env.shell.UnregisterAppPath(exePath);
    } else if (!Names(env.settings.Read(key, L"Program"), exePath)) {
        env.shell.RegisterAppPath(exePath);
    }
}

}  // namespace

bool esIsKeyPressed(int virtualKey) { return Env().keyboard.IsKeyDown(virtualKey); }

WindowHandle esGetThunderMainHandle() { return Env().windows.HiddenOwner(); }

// Once the windows shown at start have painted: the registry is not read or written before.
void esRegisterAppPath() {
    const std::wstring exePath = App().ExePath;
    if (!exePath.empty()) Env().windows.RunWhenIdle([exePath] { KeepAppPath(exePath); });
}

// A read-me that cannot be opened is said so, with its path, rather than F1 doing nothing.
void esOpenReadMeFile(int reserved) {
    Environment& env = Env();
    const std::wstring folder = files::FolderOf(App().ExePath);
    const std::wstring readMe = PathInFolder(folder, Text(IDS_README_FILE));
    const WindowHandle owner = env.windows.ActiveWindow();
    const ShellResult result = env.shell.Execute(owner, L"open", readMe, L"", folder, kSwShowNormal);
    if (!result.ok) ErrorBox().ShowSystemError(result.lastError, kMbIconError, 0, readMe, 0, owner);
}

}  // namespace platform
