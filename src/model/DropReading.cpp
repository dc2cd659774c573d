#include "model/DropReading.h"

#include "model/DroppedFiles.h"
#include "platform/text/NumberText.h"
#include "platform/texts/Texts.h"

namespace model {

namespace {

// How many files a message names before it says how many more there are.
constexpr size_t kNamedFiles = 5;

// The files, one a line, and "why" after an empty line, as a message that names a file is made.
std::wstring Paragraph(const std::vector<std::wstring>& files, const std::wstring& why) {
    std::wstring text;
    for (size_t i = 0; i < files.size() && i < kNamedFiles; ++i) text += files[i] + L"\r\n";
    if (files.size() > kNamedFiles) {
        const auto more = static_cast<long long>(files.size() - kNamedFiles);
        text += platform::Text(IDS_LEFT_OUT_MORE, {platform::text::Decimal(more)}) + L"\r\n";
    }
    return text + L"\r\n" + why;
}

}  // namespace

DropReading ReadDroppedFiles(const std::vector<std::wstring>& files, int room,
                             const std::function<bool(int read)>& goOn) {
    DropReading reading;
    platform::ShellNames names;
    size_t next = 0;
    for (; next < files.size() && static_cast<int>(reading.commands.size()) < room; ++next) {
        if (!goOn(static_cast<int>(next))) return reading;
        DroppedFile dropped = CommandFromFile(files[next], names);
        if (dropped.command) {
            reading.commands.push_back(std::move(dropped.command));
        } else {
            reading.refused.emplace_back(files[next], dropped.refusal);
        }
    }
    reading.notRead.assign(files.begin() + static_cast<std::ptrdiff_t>(next), files.end());
    return reading;
}

std::wstring LeftOutMessage(const DropReading& reading, const std::wstring& limitMessage) {
    std::vector<std::pair<unsigned, std::vector<std::wstring>>> byReason;
    for (const auto& [file, why] : reading.refused) {
        auto group = byReason.begin();
        while (group != byReason.end() && group->first != why) ++group;
        if (group == byReason.end()) group = byReason.insert(group, {why, {}});
        group->second.push_back(file);
    }
    std::wstring message;
    for (const auto& [why, files] : byReason) {
        message += (message.empty() ? L"" : L"\r\n\r\n") + Paragraph(files, platform::Text(why));
    }
    if (!reading.notRead.empty()) {
        message += (message.empty() ? L"" : L"\r\n\r\n") + Paragraph(reading.notRead, limitMessage);
    }
    return message;
}

}  // namespace model
