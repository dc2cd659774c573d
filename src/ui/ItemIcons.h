#pragma once

#include "model/CCommands.h"
#include "ui/Controls.h"

namespace ui {

// Where the user turns the rows' icons off: the value "Icons" = "0" in this section of the
// program's settings.
constexpr wchar_t kIconsSection[] = L"Options";
constexpr wchar_t kIconsValue[] = L"Icons";

// Whether the rows show their items' icons: unless the user has turned them off.
bool ItemIconsWanted();
// Gives each row of `list`, filled with the items of `commands` in order, the target of its item
// for its icon.
void GiveItemTargets(ListBox& list, const model::CCommands& commands);
// Both: the rows' targets, unless the user has turned the icons off.
void ShowItemIcons(ListBox& list, const model::CCommands& commands);

}  // namespace ui
