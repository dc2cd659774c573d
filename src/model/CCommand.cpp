#include "model/CCommand.h"

#include <string_view>

#include "model/ItemSection.h"
#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/CErrorBox.h"
#include "platform/shell/TargetResolution.h"
#include "platform/support/FileNames.h"
#include "platform/support/IniAccess.h"
#include "platform/support/TextTrim.h"
#include "platform/texts/Texts.h"

namespace model {

bool CCommand::LoadItem(std::int32_t itemNumber, const std::wstring& menuFileName) {
    ItemSectionBuffer buffer;
    const std::wstring_view section = ItemSectionName(itemNumber, buffer);
    auto read = [&](std::wstring_view key, std::wstring_view defaultValue) {
        return platform::asReadStringFromINI(section, key, defaultValue, menuFileName, 0);
    };
    title_ = read(L"Title", L"");
    if (title_.empty()) return false;
    fileName_ = read(L"FileName", L"");
    if (fileName_.empty()) return false;
    operation_ = read(L"Operation", L"open");
    parameters_ = read(L"Parameters", L"");
    directory_ = read(L"Directory", L"");
    showCommand_ = ShowCommandFromString(read(L"ShowCommand", L"SW_SHOWDEFAULT"));
    return true;
}

bool CCommand::SaveItem(std::int32_t itemNumber, const std::wstring& menuFileName) {
    ItemSectionBuffer buffer;
    const std::wstring_view section = ItemSectionName(itemNumber, buffer);
    auto write = [&](std::wstring_view key, const std::wstring& value) {
        return platform::asWriteStringToINI(section, key, value, menuFileName, 0);
    };
    return write(L"Title", QuoteIniValue(title_)) && write(L"FileName", QuoteIniValue(fileName_)) &&
           write(L"Operation", QuoteIniValue(operation_)) &&
           write(L"Parameters", QuoteIniValue(parameters_)) &&
           write(L"Directory", QuoteIniValue(directory_)) &&
           write(L"ShowCommand", ShowCommandToString(showCommand_));
}

bool CCommand::RunItem(const std::wstring& menuFileName) {
    // A bare file name and relative paths are meant relative to the menu file. A folder too long
    // to be the current one would start an item that needs it in another: it is not started.
    const std::wstring menuFolder = platform::esGetFilePath(menuFileName);
    const std::error_code moved = platform::esSetCurrentDirectory(menuFolder);
    platform::Environment& env = platform::Env();
    const platform::WindowHandle owner = env.windows.ActiveWindow();
    if (moved.category() == std::system_category() &&
        static_cast<unsigned>(moved.value()) == platform::kErrorFileNameTooLong &&
        platform::UsesCurrentFolder({fileName_, directory_, menuFolder})) {
        ReportRefusal(platform::kErrorFileNameTooLong, owner);
        return false;
    }
    const platform::ShellResult result =
        env.shell.Execute(owner, operation_, fileName_, parameters_, directory_, showCommand_);
    if (result.ok) return true;
    // Declining the elevation prompt is the user's choice, not a fault: the shell says nothing.
    if (result.lastError != platform::kErrorCancelled) ReportRefusal(result.lastError, owner);
    return false;
}

void CCommand::ReportRefusal(std::uint32_t systemError, platform::WindowHandle owner) const {
    platform::ErrorBox().ShowSystemError(systemError, platform::kMbIconError, 0,
                                         fileName_ + L"\r\n\r\n" + platform::Text(IDS_RUN_FAILED),
                                         0, owner);
}

std::shared_ptr<CCommand> CCommand::Clone() const { return std::make_shared<CCommand>(*this); }

std::wstring CCommand::QuoteIniValue(const std::wstring& value) {
    const std::wstring trimmed = platform::asTrimEx(value);
    const bool quoteAtAnEnd =
        !trimmed.empty() && (trimmed.front() == L'"' || trimmed.back() == L'"');
    // Without quotes, reading would take away these quotes, or these blanks.
    if (!quoteAtAnEnd && !platform::IniReadingTrimsEnds(value)) return value;
    return L"\"" + value + L"\"";
}

}  // namespace model
