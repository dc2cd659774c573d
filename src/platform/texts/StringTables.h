#pragma once

#include <optional>
#include <string>
#include <vector>

// The string tables the program carries, one per language (resources/ShowLarkspur.rc): on
// Windows the executable's own resources, natively the tables made from the same script.
namespace platform {

// Each table by the id of its language: a LANGID on Windows, the table's place natively.
std::vector<unsigned> StringTableLanguages();

// The text `id` in the table of `language`; nothing where that table has none.
std::optional<std::wstring> StringTableText(unsigned language, unsigned id);

// The ids of every text in the table of `language`, in increasing order.
std::vector<unsigned> StringTableIds(unsigned language);

}  // namespace platform
