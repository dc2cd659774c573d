#include "app/modFormatVersion.h"

#include "platform/Application.h"
#include "platform/VersionText.h"

namespace app {

std::wstring FormatVersion() { return platform::VersionText(platform::App()); }

std::wstring FormatVersionInfo() {
    const platform::Application& application = platform::App();
    return application.Title + L" " + FormatVersion() + L"\r\n" + application.LegalCopyright;
}

}  // namespace app
