#include "platform/support/Session.h"

#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/CErrorBox.h"
#include "platform/components/PathJoin.h"
#include "platform/files/PathParts.h"
#include "platform/texts/Texts.h"

namespace platform {

bool esIsKeyPressed(int virtualKey) { return Env().keyboard.IsKeyDown(virtualKey); }

WindowHandle esGetThunderMainHandle() { return Env().windows.HiddenOwner(); }

void esRegisterAppPath() {
    const std::wstring& exePath = App().ExePath;
    if (!exePath.empty()) Env().shell.RegisterAppPath(exePath);
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
