#include "platform/CommandLine.h"

namespace platform {

std::wstring ArgumentsAfterProgramName(const std::wstring& commandLine) {
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

}  // namespace platform
