#include "platform/headless/HeadlessSettings.h"

namespace platform {

namespace {

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20);  // А..Я
    if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);  // Ѐ..Џ, Ё
    return c;
}

std::wstring Folded(std::wstring text) {
    for (wchar_t& c : text) c = FoldCase(c);
    return text;
}

template <class Map, class Key>
std::optional<std::wstring> Find(const Map& values, const Key& key) {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

}  // namespace

HeadlessSettings::Key HeadlessSettings::MakeKey(const std::wstring& keyPath,
                                                const std::wstring& name) {
    return Key{Folded(keyPath), Folded(name)};
}

std::optional<std::wstring> HeadlessSettings::Read(const std::wstring& keyPath,
                                                   const std::wstring& name) {
    return Find(values_, MakeKey(keyPath, name));
}

bool HeadlessSettings::Write(const std::wstring& keyPath, const std::wstring& name,
                             const std::wstring& value) {
    if (writesFail_) return false;
    values_[MakeKey(keyPath, name)] = value;
    return true;
}

std::optional<std::wstring> HeadlessSettings::ReadMachine(const std::wstring& keyPath,
                                                          const std::wstring& name) {
    return Find(machineValues_, MakeKey(keyPath, name));
}

void HeadlessSettings::SetMachineValue(const std::wstring& keyPath, const std::wstring& name,
                                       const std::wstring& value) {
    machineValues_[MakeKey(keyPath, name)] = value;
}

}  // namespace platform
