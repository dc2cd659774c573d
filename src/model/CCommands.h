#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/CCommand.h"
#include "platform/files/FileStamp.h"

namespace model {

// What saving a menu to its file would put at risk.
enum class SaveRisk {
    None,
    ChangedSinceRead,  // the file is no longer what the menu was read from or last saved to:
                       // another program (or another instance) has changed, made or removed it
    NotAMenuFile,      // the file held bytes, but the reader found neither an Options section
                       // nor any item section in them: a document opened as a menu by mistake
};

// One menu in memory: its commands in menu order (positions from 0), its title, the full name
// of its menu file, and the flag by which the menu editor tells the menu window that it saved.
class CCommands {
public:
    // Reads the menu file into the title and appends the items found; a missing file reads as
    // an untitled, empty menu. False when there is no file name, and when the file is there but
    // cannot be read: that is told to the user and nothing is read.
    bool LoadItems();
    // Replaces the menu file with the title and every item; false leaves the old file as it was,
    // and SaveError says why.
    bool SaveItems();
    std::error_code SaveError() const { return saveError_; }
    // What a save to ConfigFileName would overwrite that this menu was not read from. Saving
    // under another name than the one read risks nothing here: the save dialog has asked.
    SaveRisk RiskOfSaving() const;
    // Empties the list and forgets the file name; the title and Updated stay.
    void ClearItems();
    // Opens the menu file in the shell's editor; a failure is reported to the user and gives false.
    bool OpenConfigFile();

    void ConfigFileName(const std::wstring& vData) { configFileName_ = vData; }
    const std::wstring& ConfigFileName() const { return configFileName_; }
    void Title(const std::wstring& vData) { title_ = vData; }
    const std::wstring& Title() const { return title_; }
    void Updated(bool vData) { updated_ = vData; }
    bool Updated() const { return updated_; }

    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // The stored command itself: changing it changes the menu. std::out_of_range outside
    // 0 ... Count() - 1.
    std::shared_ptr<CCommand> Item(std::int32_t Index) const;
    // Those after it move up one place. std::out_of_range outside 0 ... Count() - 1.
    void Remove(std::int32_t Index);
    // Inserts at Before when that is a position, else after After when that is one, else at the
    // end. A null command is ignored. The command itself is stored, not a copy.
    void Add(std::shared_ptr<CCommand> Command, std::int32_t Before, std::int32_t After);
    std::int32_t MaxItems() const { return 1000; }
    // The show-command write names; position i names show command i. A new list on every call.
    std::vector<std::wstring> GetShowCommandStrings() const;
    // A deep copy: no command is shared with this menu. What the menu file held when it was
    // read goes with it, so that the copy's save can tell whether the file has changed since.
    std::shared_ptr<CCommands> Clone() const;

private:
    bool IsPosition(std::int32_t index) const { return index >= 0 && index < Count(); }
    void CheckPosition(std::int32_t index, const char* operation) const;

    // What the menu file held when the menu was read from it or last saved to it.
    struct FileRead {
        std::wstring path;
        std::optional<platform::files::FileStamp> stamp;  // nothing: there was no file
        bool looksLikeMenu = true;
    };

    std::vector<std::shared_ptr<CCommand>> items_;
    std::wstring configFileName_;
    std::wstring title_;
    bool updated_ = false;
    std::optional<FileRead> fileRead_;  // nothing: a new menu, never read nor saved
    std::error_code saveError_;
};

}  // namespace model
