#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/texts/TextIds.h"

// The texts the user reads, asked for by id (TextIds.h), in the interface's language, from the
// string tables the program carries (StringTables.h). Menu files are not texts: they read and
// write the same in every language.
namespace platform {

// The text `id` in the interface's language; empty when its table lacks it.
std::wstring Text(unsigned id);
// The same, with each %1 ... %9 in it replaced by inserts[0] ... inserts[8].
std::wstring Text(unsigned id, std::initializer_list<std::wstring_view> inserts);

// Chooses the interface's language once, at start-up: the table that the string value
// "Language" in the settings section "Options" names ("ru", "en"), else the table of the user's
// display language, else the English one. Until then the display language alone decides.
void ChooseLanguage();

// The table named `setting` (its IDS_LANGUAGE_CODE, in any case), else the one of
// `userLanguage` (an ISO 639-1 code), else the English one, else the first.
unsigned PickLanguage(std::wstring_view setting, std::wstring_view userLanguage);

// The interface's language, as the id of its table (StringTables.h).
unsigned CurrentLanguage();
void UseLanguage(unsigned language);

// The language Windows shows its own texts in for this user, as an ISO 639-1 code ("ru",
// "en"); empty natively, where there is none.
std::wstring UserInterfaceLanguage();

}  // namespace platform
