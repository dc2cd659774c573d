#include "platform/components/CHistory.h"

#include <algorithm>
#include <chrono>
#include <optional>
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

// The file's entries; nothing when it is there but cannot be read by the deadline.
std::optional<std::vector<std::wstring>> ReadEntries(const std::wstring& path,
                                                     files::Deadline deadline) {
    std::string bytes;
    const files::ReadStatus status =
        files::ReadWholeFile(path, bytes, {.firstBytes = kMostBytesRead + 1, .deadline = deadline});
    if (status == files::ReadResult::Missing) return std::vector<std::wstring>();
    if (status != files::ReadResult::Read) return std::nullopt;
    if (bytes.size() > kMostBytesRead) {  // cut: the last line read may be incomplete
        bytes.resize(kMostBytesRead);
        while (!bytes.empty() && !IsLineBreak(bytes.back())) bytes.pop_back();
    }
    return ParseEntries(bytes);
}

// `entry` first, without its earlier place, at most MaxEntries.
void PutFirst(std::vector<std::wstring>& entries, const std::wstring& entry) {
    entries.erase(std::remove(entries.begin(), entries.end(), entry), entries.end());
    entries.insert(entries.begin(), entry);
    if (entries.size() > CHistory::MaxEntries) entries.resize(CHistory::MaxEntries);
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

files::Deadline CHistory::WaitLimit() {
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
}

void CHistory::Init(const std::wstring& fileName, const std::wstring& reserved1,
                    const Application& app, const std::wstring& reserved2, int reserved3) {
    filePath_ = PathInFolder(app.DataFolder, fileName);
    entries_.clear();
    added_.clear();
}

void CHistory::LoadEntries(files::Deadline deadline) {
    entries_ = ReadEntries(filePath_, deadline).value_or(std::vector<std::wstring>());
    added_.clear();
}

void CHistory::AddEntry(const std::wstring& text) {
    const std::wstring entry = WithoutLineBreaks(text);
    if (entry.empty()) return;
    PutFirst(entries_, entry);
    PutFirst(added_, entry);
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
void CHistory::SaveEntries(files::Deadline deadline) {
    if (filePath_.empty() || added_.empty()) return;
    const std::optional<std::vector<std::wstring>> inFile = ReadEntries(filePath_, deadline);
    if (!inFile) return;
    std::vector<std::wstring> merged = *inFile;
    for (auto entry = added_.rbegin(); entry != added_.rend(); ++entry) PutFirst(merged, *entry);
    if (merged == *inFile) return;
    std::string bytes(kUtf8Bom);
    for (const std::wstring& entry : merged) bytes += text::ToUtf8(entry) + "\r\n";
    files::CreateFolders(files::FolderOf(filePath_));
    if (!files::SaveAtomically(filePath_, bytes, deadline)) {
        entries_ = std::move(merged);
        added_.clear();
    }
}

}  // namespace platform
