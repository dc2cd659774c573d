#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WindowHandle.h"

namespace model {

// One menu item: what the shell starts, with which verb, parameters and working directory, and
// in which window state. It reads and writes its own "Item N" section of the menu file.
class CCommand {
public:
    // Reads section "Item " + itemNumber. False when the section has no title or no file name;
    // the fields read up to that point stay.
    bool LoadItem(std::int32_t itemNumber, const std::wstring& menuFileName);
    // Writes section "Item " + itemNumber; false at the first write that fails.
    bool SaveItem(std::int32_t itemNumber, const std::wstring& menuFileName);
    // Starts the item through the shell from the menu file's folder. A refusal is reported to
    // the user and gives false; so is a menu folder that cannot be the current one for its
    // length, and then nothing is started.
    bool RunItem(const std::wstring& menuFileName);

    void ShowCommand(std::int32_t vData) { showCommand_ = vData; }
    std::int32_t ShowCommand() const { return showCommand_; }
    void Directory(const std::wstring& vData) { directory_ = vData; }
    const std::wstring& Directory() const { return directory_; }
    void Parameters(const std::wstring& vData) { parameters_ = vData; }
    const std::wstring& Parameters() const { return parameters_; }
    void Operation(const std::wstring& vData) { operation_ = vData; }
    const std::wstring& Operation() const { return operation_; }
    void FileName(const std::wstring& vData) { fileName_ = vData; }
    const std::wstring& FileName() const { return fileName_; }
    void Title(const std::wstring& vData) { title_ = vData; }
    const std::wstring& Title() const { return title_; }

    std::shared_ptr<CCommand> Clone() const;

private:
    friend struct CCommandPrivateAccess;  // lets the tests reach the conversions below

    // Any text gives 0 ... 11: a name or alias in any case, else a number, else 10.
    static std::int32_t ShowCommandFromString(const std::wstring& text);
    // The write name, or empty text outside 0 ... 11.
    static std::wstring ShowCommandToString(std::int32_t showCommand);
    // Protects a value whose first or last non-blank character is a double quote, or that
    // begins or ends with a blank, with one more pair of quotes, which reading removes again.
    static std::wstring QuoteIniValue(const std::wstring& value);
    // The start's refusal: the file name, "could not start", and the system's reason.
    void ReportRefusal(std::uint32_t systemError, platform::WindowHandle owner) const;

    std::wstring title_;
    std::wstring fileName_;
    std::wstring operation_;
    std::wstring parameters_;
    std::wstring directory_;
    std::int32_t showCommand_ = 0;
};

}  // namespace model
