#include "platform/headless/HeadlessShell.h"

namespace platform {

ShellResult HeadlessShell::Execute(WindowHandle owner, const std::wstring& verb,
                                   const std::wstring& file, const std::wstring& parameters,
                                   const std::wstring& directory, int showCommand) {
    ShellResult result{true, 0};
    if (!results_.empty()) {
        result = results_.front();
        results_.pop_front();
    }
    calls_.push_back(ShellCall{owner, verb, file, parameters, directory, showCommand, result});
    return result;
}

std::wstring HeadlessShell::SystemErrorText(std::uint32_t code) {
    const auto found = errorTexts_.find(code);
    if (found != errorTexts_.end()) return found->second;
    return L"System error " + std::to_wstring(code) + L".";
}

bool HeadlessShell::RegisterAppPath(const std::wstring& exePath) {
    registeredPaths_.push_back(exePath);
    return registrationWorks_;
}

}  // namespace platform
