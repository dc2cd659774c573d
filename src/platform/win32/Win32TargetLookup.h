#pragma once

#include "platform/shell/TargetResolution.h"

namespace platform {

// The disk, the registry and the environment as the shell searches them for a target.
class Win32TargetLookup : public TargetLookup {
public:
    std::wstring Expand(const std::wstring& text) override;
    std::optional<std::uint32_t> Attributes(const std::wstring& path) override;
    std::wstring AppPath(const std::wstring& programName) override;
    // PATH's folders on this machine only (PathFolders.h).
    std::vector<std::wstring> SearchFolders() override;
};

}  // namespace platform
