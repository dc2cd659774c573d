#include "ui/ItemIcons.h"

#include "platform/Application.h"
#include "platform/components/CSettings.h"
#include "platform/support/FileNames.h"

namespace ui {

bool ItemIconsWanted() {
    platform::CSettings settings;
    return settings.ReadValue(kIconsSection, kIconsValue, 0, L"", platform::App(), true, 0) != L"0";
}

void GiveItemTargets(ListBox& list, const model::CCommands& commands) {
    const std::wstring menuFolder = platform::esGetFilePath(commands.ConfigFileName());
    std::vector<platform::ShellTarget> targets;
    targets.reserve(static_cast<size_t>(commands.Count()));
    for (int position = 0; position < commands.Count(); ++position) {
        const model::CCommand& item = *commands.Item(position);
        targets.push_back({item.FileName(), item.Directory(), menuFolder});
    }
    list.SetRowTargets(targets);
}

void ShowItemIcons(ListBox& list, const model::CCommands& commands) {
    if (ItemIconsWanted()) GiveItemTargets(list, commands);
}

}  // namespace ui
