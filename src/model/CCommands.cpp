#include "model/CCommands.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "model/ItemSection.h"
#include "model/MenuFileMessages.h"
#include "model/ShowCommandNames.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/files/FileSystem.h"
#include "platform/support/IniAccess.h"
#include "platform/texts/Texts.h"

namespace model {
namespace {

const wchar_t kOptionsSection[] = L"Options";

// What the reader found: an Options section or an item section that it probes.
bool HoldsMenuSections(const platform::IniReadSession& session, std::int32_t maxItems) {
    if (session.HasSection(kOptionsSection)) return true;
    for (std::int32_t number = 0; number < maxItems; ++number) {
        ItemSectionBuffer buffer;
        if (session.HasSection(ItemSectionName(number, buffer))) return true;
    }
    return false;
}

}  // namespace

bool CCommands::LoadItems() {
    if (configFileName_.empty()) return false;
    const platform::IniReadSession session(configFileName_);
    // Read as empty, such a menu would be saved over the real one.
    if (const std::error_code error = session.ReadError()) {
        ShowMenuFileError(configFileName_ + L"\r\n\r\n" + platform::Text(IDS_MENU_READ_FAILED),
                          error);
        return false;
    }
    title_ = platform::asReadStringFromINI(kOptionsSection, L"Title", L"", configFileName_, 0);
    // Every number is probed: gaps and dropped sections do not end the menu.
    for (std::int32_t number = 0; number < MaxItems(); ++number) {
        auto command = std::make_shared<CCommand>();
        if (command->LoadItem(number, configFileName_)) Add(std::move(command), -1, -1);
    }
    const std::optional<platform::files::FileStamp>& stamp = session.Stamp();
    fileRead_ = FileRead{configFileName_, stamp,
                         !stamp || stamp->size == 0 || HoldsMenuSections(session, MaxItems())};
    return true;
}

bool CCommands::SaveItems() {
    saveError_.clear();
    if (configFileName_.empty()) return false;
    // The new file is built whole in memory and replaces the old one in one step, so a failure
    // at any point leaves the old menu as it was.
    platform::IniWriteBatch batch(configFileName_, platform::IniWriteBatch::Start::Empty);
    if (!platform::asWriteStringToINI(kOptionsSection, L"Title", title_, configFileName_, 0)) {
        return false;
    }
    for (std::int32_t position = 0; position < Count(); ++position) {
        if (!items_[static_cast<size_t>(position)]->SaveItem(position, configFileName_)) {
            return false;
        }
    }
    if (!batch.Commit()) {
        saveError_ = batch.CommitError();
        return false;
    }
    fileRead_ = FileRead{configFileName_, batch.Written(), true};
    return true;
}

SaveRisk CCommands::RiskOfSaving() const {
    if (!fileRead_ || fileRead_->path != configFileName_) return SaveRisk::None;
    if (platform::files::HasChanged(configFileName_, fileRead_->stamp)) {
        return SaveRisk::ChangedSinceRead;
    }
    return fileRead_->looksLikeMenu ? SaveRisk::None : SaveRisk::NotAMenuFile;
}

void CCommands::ClearItems() {
    items_.clear();
    configFileName_.clear();
}

bool CCommands::OpenConfigFile() {
    platform::Environment& env = platform::Env();
    const platform::ShellResult result =
        env.shell.Execute(env.windows.ActiveWindow(), L"edit", configFileName_, L"",
                          platform::files::CurrentFolder(), platform::kSwShowDefault);
    if (result.ok) return true;
    platform::MsgBox(platform::Text(IDS_OPEN_FOR_EDITING_FAILED),
                     platform::kMbOk | platform::kMbIconError);
    return false;
}

std::shared_ptr<CCommand> CCommands::Item(std::int32_t Index) const {
    CheckPosition(Index, "CCommands::Item");
    return items_[static_cast<size_t>(Index)];
}

void CCommands::Remove(std::int32_t Index) {
    CheckPosition(Index, "CCommands::Remove");
    items_.erase(items_.begin() + Index);
}

void CCommands::Add(std::shared_ptr<CCommand> Command, std::int32_t Before, std::int32_t After) {
    if (!Command) return;
    if (IsPosition(Before)) {
        items_.insert(items_.begin() + Before, std::move(Command));
    } else if (IsPosition(After)) {
        items_.insert(items_.begin() + After + 1, std::move(Command));
    } else {
        items_.push_back(std::move(Command));
    }
}

std::vector<std::wstring> CCommands::GetShowCommandStrings() const {
    std::vector<std::wstring> names;
    names.reserve(kShowCommandNames.size());
    for (const ShowCommandName& entry : kShowCommandNames) names.emplace_back(entry.writeName);
    return names;
}

std::shared_ptr<CCommands> CCommands::Clone() const {
    auto copy = std::make_shared<CCommands>();
    copy->ConfigFileName(configFileName_);
    copy->Title(title_);
    copy->Updated(updated_);
    copy->fileRead_ = fileRead_;
    for (const std::shared_ptr<CCommand>& command : items_) copy->Add(command->Clone(), -1, -1);
    return copy;
}

void CCommands::CheckPosition(std::int32_t index, const char* operation) const {
    if (!IsPosition(index)) {
        throw std::out_of_range(std::string(operation) + ": index " + std::to_string(index) +
                                " outside 0 ... " + std::to_string(Count() - 1));
    }
}

}  // namespace model
