#pragma once

#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/WindowHandle.h"
#include "platform/files/FileSystem.h"

namespace platform {

// The entries typed into one text field before, most recent first, kept in a file of the
// application's data folder (UTF-8 with BOM, one entry per line, at most MaxEntries, no empty
// entries, no duplicates: a repeated entry moves to the top). Writes are atomic; a damaged file
// reads as what can be read. Other instances of the program share the files: a save merges.
class CHistory {
public:
    static constexpr size_t MaxEntries = 25;

    // Histories are not worth a wait: a file that another program holds is given up after this
    // limit, about 200 ms from now, which the histories of one window share.
    static files::Deadline WaitLimit();

    // fileName is bare ("Title History.DAT"); the other arguments are passed as empty text and 0.
    void Init(const std::wstring& fileName, const std::wstring& reserved1, const Application& app,
              const std::wstring& reserved2, int reserved3);
    // A file that cannot be read by the deadline leaves the history empty.
    void LoadEntries(files::Deadline deadline = WaitLimit());
    void AddEntry(const std::wstring& text);
    // Offers the entries in a popup menu; the picked one replaces the text box's text.
    void ShowEntries(WindowHandle textBox);
    // Writes only what changes the file: it is read again, the entries added here since loading
    // go first, the file's other entries follow in their order, cut at MaxEntries. A file that
    // cannot be read by the deadline is not saved over.
    void SaveEntries(files::Deadline deadline = WaitLimit());

    const std::vector<std::wstring>& Entries() const { return entries_; }
    const std::wstring& FilePath() const { return filePath_; }

private:
    std::wstring filePath_;
    std::vector<std::wstring> entries_;
    std::vector<std::wstring> added_;  // since loading, most recent first
};

}  // namespace platform
