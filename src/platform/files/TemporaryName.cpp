#include "platform/files/TemporaryName.h"

#include <random>

#include "platform/files/PathParts.h"
#include "platform/text/NumberText.h"

namespace platform::files {

std::wstring SiblingTemporaryName(const std::wstring& path) {
    static std::mt19937 generator{std::random_device{}()};
    return path.substr(0, NameStart(path)) + L"~" + text::Hexadecimal(generator(), 8) + L".tmp";
}

}  // namespace platform::files
