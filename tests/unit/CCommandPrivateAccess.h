#pragma once

#include <cstdint>
#include <string>

#include "model/CCommand.h"

namespace model {

// The conversions CCommand keeps to itself, opened for their tests.
struct CCommandPrivateAccess {
    static std::int32_t ShowCommandFromString(const std::wstring& text) {
        return CCommand::ShowCommandFromString(text);
    }
    static std::wstring ShowCommandToString(std::int32_t showCommand) {
        return CCommand::ShowCommandToString(showCommand);
    }
    static std::wstring QuoteIniValue(const std::wstring& value) {
        return CCommand::QuoteIniValue(value);
    }
};

}  // namespace model
