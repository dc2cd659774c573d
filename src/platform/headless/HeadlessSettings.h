#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/Environment.h"

namespace platform {

// Settings in memory. Key paths and value names compare without case, as the registry's do
// (for Latin and Cyrillic letters).
class HeadlessSettings : public SettingsStore {
public:
    std::optional<std::wstring> Read(const std::wstring& keyPath,
                                     const std::wstring& name) override;
    bool Write(const std::wstring& keyPath, const std::wstring& name,
               const std::wstring& value) override;
    std::optional<std::wstring> ReadMachine(const std::wstring& keyPath,
                                            const std::wstring& name) override;

    // A value of the machine's, as an install for all users writes it.
    void SetMachineValue(const std::wstring& keyPath, const std::wstring& name,
                         const std::wstring& value);

    // From now on every Write fails and stores nothing.
    void FailWrites() { writesFail_ = true; }
    size_t ValueCount() const { return values_.size(); }

private:
    using Key = std::pair<std::wstring, std::wstring>;
    static Key MakeKey(const std::wstring& keyPath, const std::wstring& name);

    std::map<Key, std::wstring> values_;
    std::map<Key, std::wstring> machineValues_;
    bool writesFail_ = false;
};

}  // namespace platform
