#include "model/DroppedFiles.h"

#include "model/ShowCommandNames.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathParts.h"
#include "platform/support/IniAccess.h"
#include "platform/text/CaseFold.h"
#include "platform/texts/Texts.h"

namespace model {

namespace {

// The extension with its dot (".lnk"), or empty text.
std::wstring ExtensionOf(const std::wstring& path) {
    const std::wstring name = platform::files::NameOf(path);
    const std::wstring stem = platform::files::NameOf(path, true);
    return name.substr(stem.size());
}

// The shell shows the extension or not as the user chose; the title never has it. A folder's
// name is shown whole.
std::wstring TitleOf(const std::wstring& path, const std::wstring& extension) {
    std::wstring title = platform::ShellDisplayName(path);
    if (!platform::files::IsFolder(path) && title.size() > extension.size() &&
        platform::text::EndsWithIgnoringCase(title, extension)) {
        title.resize(title.size() - extension.size());
    }
    return title.empty() ? path : title;
}

std::shared_ptr<CCommand> Refuse(const std::wstring& path, unsigned why) {
    platform::MsgBox(path + L"\r\n\r\n" + platform::Text(why),
                     platform::kMbIconError | platform::kMbOk);
    return nullptr;
}

}  // namespace

std::shared_ptr<CCommand> CommandFromFile(const std::wstring& path) {
    const std::wstring extension = ExtensionOf(path);
    auto command = std::make_shared<CCommand>();
    command->Title(TitleOf(path, extension));
    command->FileName(path);
    command->Operation(L"open");
    command->ShowCommand(platform::kSwShowDefault);
    if (platform::text::EqualIgnoringCase(extension, L".lnk")) {
        const std::optional<platform::ShortcutTarget> target = platform::ReadShortcut(path);
        if (!target) return Refuse(path, IDS_SHORTCUT_UNREADABLE);
        TakeShortcutTarget(*command, *target);
    } else if (platform::text::EqualIgnoringCase(extension, L".url")) {
        const std::wstring url =
            platform::asReadStringFromINI(L"InternetShortcut", L"URL", L"", path, 0);
        if (url.empty()) return Refuse(path, IDS_SHORTCUT_WITHOUT_ADDRESS);
        command->FileName(url);
    }
    return command;
}

void TakeShortcutTarget(CCommand& command, const platform::ShortcutTarget& target) {
    if (target.path.empty()) return;
    command.FileName(target.path);
    command.Parameters(target.arguments);
    command.Directory(target.workingFolder);
    // A damaged shortcut may hold any number; the menu file names only these.
    if (target.showCommand >= 0 && target.showCommand < static_cast<int>(kShowCommandNames.size())) {
        command.ShowCommand(target.showCommand);
    }
}

}  // namespace model
