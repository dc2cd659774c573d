#include "platform/components/CErrorBox.h"

#include "platform/Application.h"
#include "platform/Environment.h"

namespace platform {

namespace {

// System texts usually end with a line break of their own; the box does not need it.
std::wstring WithoutTrailingBreaks(std::wstring text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace

void CErrorBox::ShowSystemError(std::uint32_t code, unsigned style, int reserved1,
                                const std::wstring& message, int reserved2, WindowHandle owner) {
    Environment& env = Env();
    const std::wstring text =
        message + L"\r\n\r\n" + WithoutTrailingBreaks(env.shell.SystemErrorText(code));
    env.dialogs.ShowMessage(owner, text, App().Title, style);
}

CErrorBox& ErrorBox() {
    static CErrorBox instance;
    return instance;
}

}  // namespace platform
