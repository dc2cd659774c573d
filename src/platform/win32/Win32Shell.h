#pragma once

#include "platform/Environment.h"

namespace platform {

class Win32Shell : public Shell {
public:
    ShellResult Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file,
                        const std::wstring& parameters, const std::wstring& directory,
                        int showCommand) override;
    std::wstring SystemErrorText(std::uint32_t code) override;
    bool RegisterAppPath(const std::wstring& exePath) override;
    void UnregisterAppPath(const std::wstring& exePath) override;
    std::wstring CommandLineArguments() override;
};

}  // namespace platform
