#pragma once

#include <cstddef>

// The string tables of the resource script as C++ tables, made from the script at build time
// (cmake/StringTables.cmake): the native build's texts, and what the Windows tests compare the
// executable's resources with. In the script's order.
namespace platform {

struct ScriptText {
    unsigned id;
    const wchar_t* text;
};

struct ScriptTable {
    const ScriptText* texts;
    std::size_t count;
};

extern const ScriptTable kScriptTables[];
extern const std::size_t kScriptTableCount;

}  // namespace platform
