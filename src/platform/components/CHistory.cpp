#include "platform/components/CHistory.h"

#include <algorithm>
#include <string>

#include "platform/Environment.h"
#include "platform/components/PathJoin.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathParts.h"
#include "platform/text/Encoding.h"

namespace platform {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Twenty-five entries as long as the longest command line (32767 characters, at most three
// bytes each in UTF-8) fit in this; what a damaged file holds beyond it is not read.
constexpr size_t kMostBytesRead = 4 << 20;

// A menu item of a megabyte keeps the popup from appearing: the popup shows an entry's start.
constexpr size_t kMostCharsShown = 260;

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// One entry per line; a line is cut at CR or LF, and an entry cannot hold either. Reading stops
// once MaxEntries entries are found.
std::vector<std::wstring> ParseEntries(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    std::vector<std::wstring> entries;
    size_t start = 0;
    while (start <= bytes.size() && entries.size() < CHistory::MaxEntries) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        // A damaged line (invalid UTF-8) is decoded with replacement characters, not dropped
        // with the rest of the file.
        std::wstring entry = text::FromUtf8(bytes.substr(start, end - start));
        if (!entry.empty() && std::find(entries.begin(), entries.end(), entry) == entries.end()) {
            entries.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return entries;
}

std::wstring Shortened(const std::wstring& entry) {
    if (entry.size() <= kMostCharsShown) return entry;
    size_t cut = kMostCharsShown - 1;
    if (entry[cut - 1] >= 0xD800 && entry[cut - 1] <= 0xDBFF) --cut;  // not half a pair
    return entry.substr(0, cut) + L"\u2026";
}

std::wstring WithoutLineBreaks(std::wstring text) {
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; },
                    L' ');
    return text;
}

}  // namespace

void CHistory::Init(const std::wstring& fileName, const std::wstring& reserved1,
                    const Application& app, const std::wstring& reserved2, int reserved3) {
    filePath_ = PathInFolder(app.DataFolder, fileName);
    entries_.clear();
}

void CHistory::LoadEntries() {
    std::string bytes;
    entries_.clear();
    if (files::ReadWholeFile(filePath_, bytes, {.firstBytes = kMostBytesRead + 1}) !=
        files::ReadResult::Read) {
        return;
    }
    if (bytes.size() > kMostBytesRead) {  // cut: the last line read may be incomplete
        bytes.resize(kMostBytesRead);
        while (!bytes.empty() && !IsLineBreak(bytes.back())) bytes.pop_back();
    }
    entries_ = ParseEntries(bytes);
}

void CHistory::AddEntry(const std::wstring& text) {
    const std::wstring entry = WithoutLineBreaks(text);
    if (entry.empty()) return;
    entries_.erase(std::remove(entries_.begin(), entries_.end(), entry), entries_.end());
    entries_.insert(entries_.begin(), entry);
    if (entries_.size() > MaxEntries) entries_.resize(MaxEntries);
}

void CHistory::ShowEntries(WindowHandle textBox) {
    if (entries_.empty()) return;
    std::vector<std::wstring> shown;
    shown.reserve(entries_.size());
    for (const std::wstring& entry : entries_) shown.push_back(Shortened(entry));
    const std::optional<size_t> picked = Env().dialogs.PopupMenu(textBox, shown);
    if (picked && *picked < entries_.size()) Env().windows.SetText(textBox, entries_[*picked]);
}

// History is a convenience: a folder or file that cannot be written loses the new entries and
// nothing else, so the failure is not reported.
void CHistory::SaveEntries() {
    if (filePath_.empty()) return;
    std::string bytes(kUtf8Bom);
    for (const std::wstring& entry : entries_) bytes += text::ToUtf8(entry) + "\r\n";
    files::CreateFolders(files::FolderOf(filePath_));
    files::SaveAtomically(filePath_, bytes);
}

}  // namespace platform
