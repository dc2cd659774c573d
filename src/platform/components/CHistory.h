#pragma once

#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/WindowHandle.h"

namespace platform {

// The entries typed into one text field before, most recent first, kept in a file of the
// application's data folder (UTF-8 with BOM, one entry per line, at most MaxEntries, no empty
// entries, no duplicates: a repeated entry moves to the top). Writes are atomic; a damaged file
// reads as what can be read.
class CHistory {
public:
    static constexpr size_t MaxEntries = 25;

    // fileName is bare ("Title History.DAT"); the other arguments are passed as empty text and 0.
    void Init(const std::wstring& fileName, const std::wstring& reserved1, const Application& app,
              const std::wstring& reserved2, int reserved3);
    void LoadEntries();
    void AddEntry(const std::wstring& text);
    // Offers the entries in a popup menu; the picked one replaces the text box's text.
    void ShowEntries(WindowHandle textBox);
    void SaveEntries();

    const std::vector<std::wstring>& Entries() const { return entries_; }
    const std::wstring& FilePath() const { return filePath_; }

private:
    std::wstring filePath_;
    std::vector<std::wstring> entries_;
};

}  // namespace platform
