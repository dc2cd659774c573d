#include "model/DroppedFiles.h"

#include <optional>

#include "model/ShowCommandNames.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathParts.h"
#include "platform/ini/IniDocument.h"
#include "platform/support/IniAccess.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Encoding.h"
#include "platform/texts/TextIds.h"

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
std::wstring TitleOf(const std::wstring& path, const std::wstring& extension,
                     platform::ShellNames& names) {
    std::wstring title = names.DisplayName(path);
    if (!platform::files::IsFolder(path) && title.size() > extension.size() &&
        platform::text::EndsWithIgnoringCase(title, extension)) {
        title.resize(title.size() - extension.size());
    }
    return title.empty() ? path : title;
}

// Windows writes URL= in the ANSI code page, with '?' for what that cannot hold, and the exact
// address in the .W section, as UTF-7. Nothing when the file cannot be read.
std::optional<std::wstring> InternetShortcutAddress(const std::wstring& path) {
    std::string bytes;
    if (platform::files::ReadWholeFile(path, bytes, {.largestFile = platform::kLargestIniFile}) !=
        platform::files::ReadResult::Read) {
        return std::nullopt;
    }
    const auto document = platform::ini::IniDocument::FromBytes(bytes);
    const auto exact = document.Find(L"InternetShortcut.W", L"URL");
    if (exact && !exact->empty()) return platform::text::FromUtf7(*exact);
    return std::wstring(document.Find(L"InternetShortcut", L"URL").value_or(L""));
}

}  // namespace

// The title comes last: asking the shell for it costs more than the checks that may refuse.
DroppedFile CommandFromFile(const std::wstring& path, platform::ShellNames& names) {
    const std::wstring extension = ExtensionOf(path);
    auto command = std::make_shared<CCommand>();
    command->FileName(path);
    command->Operation(L"open");
    command->ShowCommand(platform::kSwShowDefault);
    if (platform::text::EqualIgnoringCase(extension, L".lnk")) {
        const std::optional<platform::ShortcutTarget> target = platform::ReadShortcut(path);
        if (!target) return {.refusal = IDS_SHORTCUT_UNREADABLE};
        TakeShortcutTarget(*command, *target);
    } else if (platform::text::EqualIgnoringCase(extension, L".url")) {
        const std::optional<std::wstring> url = InternetShortcutAddress(path);
        if (!url) return {.refusal = IDS_SHORTCUT_UNREADABLE};
        if (url->empty()) return {.refusal = IDS_SHORTCUT_WITHOUT_ADDRESS};
        command->FileName(*url);
    }
    command->Title(TitleOf(path, extension, names));
    return {.command = std::move(command)};
}

void TakeShortcutTarget(CCommand& command, const platform::ShortcutTarget& target) {
    if (target.path.empty() || target.advertised) return;
    command.FileName(target.path);
    command.Parameters(target.arguments);
    command.Directory(target.workingFolder);
    // A damaged shortcut may hold any number; the menu file names only these.
    if (target.showCommand >= 0 && target.showCommand < static_cast<int>(kShowCommandNames.size())) {
        command.ShowCommand(target.showCommand);
    }
}

}  // namespace model
