#include "ui/FileChoice.h"

#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/components/CFileDialog.h"
#include "platform/components/CSettings.h"
#include "platform/support/FileNames.h"

namespace ui {

namespace {

constexpr wchar_t kSection[] = L"OFN Paths";

std::wstring Choose(const FileChoice& choice, bool (platform::CFileDialog::*show)()) {
    platform::CFileDialog dialog;
    dialog.FileName = choice.fileName;
    dialog.Filter = choice.filter;
    dialog.FilterIndex = 0;
    dialog.DefaultExt = choice.defaultExt;
    dialog.hWndOwner = platform::Env().windows.ActiveWindow();
    platform::CSettings settings;
    dialog.InitDir = settings.ReadValue(kSection, choice.rememberedFolderValue, 0, L"",
                                        platform::App(), true, 0);
    if (!(dialog.*show)()) return L"";
    settings.WriteValue(kSection, choice.rememberedFolderValue, 0,
                        platform::esGetFilePath(dialog.FileName), platform::App(), true, 0);
    return dialog.FileName;
}

}  // namespace

std::wstring ChooseFileToOpen(const FileChoice& choice) {
    return Choose(choice, &platform::CFileDialog::ShowOpen);
}

std::wstring ChooseFileToSave(const FileChoice& choice) {
    return Choose(choice, &platform::CFileDialog::ShowSave);
}

}  // namespace ui
