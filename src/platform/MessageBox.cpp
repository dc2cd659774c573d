#include "platform/MessageBox.h"

#include "platform/Application.h"
#include "platform/Environment.h"

namespace platform {

int MsgBox(const std::wstring& text, unsigned style) {
    Environment& env = Env();
    return env.dialogs.ShowMessage(env.windows.ActiveWindow(), text, App().Title, style);
}

}  // namespace platform
