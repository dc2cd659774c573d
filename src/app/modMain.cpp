#include "app/modMain.h"

#include <string>

#include "app/modFormatVersion.h"
#include "model/CCommands.h"
#include "model/SharedCommands.h"
#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/support/FileNames.h"
#include "platform/support/Session.h"
#include "platform/support/TextTrim.h"
#include "platform/support/WindowHelpers.h"
#include "platform/texts/Texts.h"
#include "ui/Form.h"
#include "ui/menu/frmMain.h"

namespace app {

void Main() {
    platform::esRegisterAppPath();
    ui::Tk().InitCommonControls();
    platform::asSetWindowResIconAll(platform::esGetThunderMainHandle(), L"A_MAIN");
    ProcessCommandLine();
}

void ProcessCommandLine() {
    const std::wstring fileName =
        platform::asTrimEx2(platform::Env().shell.CommandLineArguments(), true, true, true, true,
                            true, false, false, false, false, false);
    if (fileName.empty()) {
        if (AskCreateNewFile()) ui::MainForm().Show();
        return;
    }
    if (!platform::esIsFileExist(fileName)) {
        platform::MsgBox(fileName + L"\r\n\r\n" + platform::Text(IDS_FILE_NOT_FOUND),
                         platform::kMbIconError | platform::kMbOk);
        return;
    }
    model::CCommands& commands = model::Commands();
    commands.ConfigFileName(platform::esGetFullFileName(fileName, true));
    if (!commands.LoadItems()) return;  // told why; no window on a menu that was not read
    ui::MainForm().Show();
}

bool AskCreateNewFile() {
    const std::wstring usage =
        FormatVersionInfo() + L"\r\n\r\n" + platform::Text(IDS_USAGE, {platform::App().ExeName});
    return platform::MsgBox(usage, platform::kMbIconInformation | platform::kMbOkCancel) ==
           platform::kIdOk;
}

}  // namespace app
