#include "platform/support/IniAccess.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/IniEncoding.h"

namespace platform {
namespace {

struct OpenSession {
    ini::IniDocument document;
    std::error_code readError;
    std::optional<files::FileStamp> stamp;
    int holders = 0;
};

std::unordered_map<std::wstring, OpenSession>& Sessions() {
    static std::unordered_map<std::wstring, OpenSession> sessions;
    return sessions;
}

std::vector<IniWriteBatch*>& OpenBatches() {
    static std::vector<IniWriteBatch*> batches;
    return batches;
}

// The file's document; nothing, and why, when the file exists but cannot be read. A missing
// file is an empty document. The file's bytes are decoded where they were read, and the text is
// parsed where it was decoded: reading takes the memory of the text and what it holds.
std::optional<ini::IniDocument> ReadDocument(const std::wstring& fileName, std::error_code& error,
                                             std::optional<files::FileStamp>* stamp = nullptr) {
    ini::IniTextBuffer buffer;
    const files::ReadStatus status =
        files::ReadFileInto(fileName, [&](size_t size) { return buffer.Room(size); },
                            {.largestFile = kLargestIniFile});
    error = status.error;
    switch (status.result) {
        case files::ReadResult::Read:
            if (stamp) *stamp = status.stamp;
            return ini::IniDocument::FromText(buffer.Decode(status.length));
        case files::ReadResult::Missing: return ini::IniDocument();
        case files::ReadResult::Failed: break;
    }
    return std::nullopt;
}

std::optional<ini::IniDocument> ReadDocument(const std::wstring& fileName) {
    std::error_code ignored;
    return ReadDocument(fileName, ignored);
}

// Nothing, or why the file could not be saved.
std::error_code SaveDocument(const std::wstring& fileName, const ini::IniDocument& document,
                             files::FileStamp* written = nullptr) {
    if (const std::error_code error =
            files::SaveAtomically(fileName, document.ToBytes(), std::nullopt, written)) {
        return error;
    }
    const auto session = Sessions().find(fileName);
    if (session != Sessions().end()) session->second.document = document;
    return {};
}

}  // namespace

std::wstring asReadStringFromINI(std::wstring_view section, std::wstring_view key,
                                 std::wstring_view defaultValue, const std::wstring& fileName,
                                 int /*reserved*/) {
    const auto session = Sessions().find(fileName);
    if (session != Sessions().end()) {
        return std::wstring(session->second.document.Find(section, key).value_or(defaultValue));
    }
    if (const auto document = ReadDocument(fileName)) {
        return std::wstring(document->Find(section, key).value_or(defaultValue));
    }
    return std::wstring(defaultValue);
}

bool asWriteStringToINI(std::wstring_view section, std::wstring_view key, std::wstring_view value,
                        const std::wstring& fileName, int /*reserved*/) {
    const auto& batches = OpenBatches();
    const auto batch = std::find_if(batches.rbegin(), batches.rend(), [&](IniWriteBatch* open) {
        return open->fileName_ == fileName;
    });
    if (batch != batches.rend()) return (*batch)->document_->Set(section, key, value);

    auto document = ReadDocument(fileName);
    return document && document->Set(section, key, value) && !SaveDocument(fileName, *document);
}

bool IniReadingTrimsEnds(std::wstring_view value) {
    return !value.empty() && (ini::IsIniBlank(value.front()) || ini::IsIniBlank(value.back()));
}

IniReadSession::IniReadSession(const std::wstring& fileName) : fileName_(fileName) {
    auto& sessions = Sessions();
    auto open = sessions.find(fileName);
    if (open == sessions.end()) {
        OpenSession session;
        session.document = ReadDocument(fileName, session.readError, &session.stamp)
                               .value_or(ini::IniDocument());
        open = sessions.emplace(fileName, std::move(session)).first;
    }
    ++open->second.holders;
}

std::error_code IniReadSession::ReadError() const { return Sessions().at(fileName_).readError; }

const std::optional<files::FileStamp>& IniReadSession::Stamp() const {
    return Sessions().at(fileName_).stamp;
}

bool IniReadSession::HasSection(std::wstring_view section) const {
    return Sessions().at(fileName_).document.HasSection(section);
}

IniReadSession::~IniReadSession() {
    auto& sessions = Sessions();
    const auto open = sessions.find(fileName_);
    if (open != sessions.end() && --open->second.holders == 0) sessions.erase(open);
}

IniWriteBatch::IniWriteBatch(const std::wstring& fileName, Start start)
    : fileName_(fileName), document_(std::make_unique<ini::IniDocument>()) {
    if (start == Start::FromFile) {
        if (auto document = ReadDocument(fileName)) {
            *document_ = std::move(*document);
        } else {
            unreadable_ = true;
        }
    }
    OpenBatches().push_back(this);
}

IniWriteBatch::~IniWriteBatch() {
    auto& batches = OpenBatches();
    batches.erase(std::find(batches.begin(), batches.end(), this));
}

bool IniWriteBatch::Commit() {
    if (unreadable_) return false;
    commitError_ = SaveDocument(fileName_, *document_, &written_);
    return !commitError_;
}

}  // namespace platform
