#include "model/CCommand.h"

#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/CErrorBox.h"
#include "platform/support/FileNames.h"
#include "platform/support/IniAccess.h"
#include "platform/support/TextTrim.h"

namespace model {
namespace {

std::wstring SectionName(std::int32_t itemNumber) { return L"Item " + std::to_wstring(itemNumber); }

}  // namespace

bool CCommand::LoadItem(std::int32_t itemNumber, const std::wstring& menuFileName) {
    const std::wstring section = SectionName(itemNumber);
    auto read = [&](const wchar_t* key, const wchar_t* defaultValue) {
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
    const std::wstring section = SectionName(itemNumber);
    auto write = [&](const wchar_t* key, const std::wstring& value) {
        return platform::asWriteStringToINI(section, key, value, menuFileName, 0);
    };
    return write(L"Title", QuoteIniValue(title_)) && write(L"FileName", QuoteIniValue(fileName_)) &&
           write(L"Operation", QuoteIniValue(operation_)) &&
           write(L"Parameters", QuoteIniValue(parameters_)) &&
           write(L"Directory", QuoteIniValue(directory_)) &&
           write(L"ShowCommand", ShowCommandToString(showCommand_));
}

bool CCommand::RunItem(const std::wstring& menuFileName) {
    // A bare file name and relative paths are meant relative to the menu file.
    platform::esSetCurrentDirectory(platform::esGetFilePath(menuFileName));
    platform::Environment& env = platform::Env();
    const platform::WindowHandle owner = env.windows.ActiveWindow();
    const platform::ShellResult result =
        env.shell.Execute(owner, operation_, fileName_, parameters_, directory_, showCommand_);
    if (result.ok) return true;
    platform::ErrorBox().ShowSystemError(result.lastError, platform::kMbIconError, 0,
                                         fileName_ + L"\r\n\r\n" + L"Не удалось запустить элемент меню.",
                                         0, owner);
    return false;
}

std::shared_ptr<CCommand> CCommand::Clone() const { return std::make_shared<CCommand>(*this); }

std::wstring CCommand::QuoteIniValue(const std::wstring& value) {
    const std::wstring trimmed = platform::asTrimEx(value);
    if (trimmed.empty() || (trimmed.front() != L'"' && trimmed.back() != L'"')) return value;
    return L"\"" + value + L"\"";
}

}  // namespace model
