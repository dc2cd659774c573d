#pragma once

#include <array>
#include <string_view>

// The window-show modes an item can start in. The number is the platform's show value and the
// list position; the write name is what a menu file holds, the aliases are older names still
// accepted when a file is read.
namespace model {

struct ShowCommandName {
    std::wstring_view writeName;
    std::array<std::wstring_view, 2> aliases;  // unused entries are empty
};

inline constexpr std::array<ShowCommandName, 12> kShowCommandNames = {{
    {L"SW_HIDE", {L"HIDE_WINDOW", L""}},
    {L"SW_SHOWNORMAL", {L"SW_NORMAL", L"SHOW_OPENWINDOW"}},
    {L"SW_SHOWMINIMIZED", {L"SHOW_ICONWINDOW", L""}},
    {L"SW_SHOWMAXIMIZED", {L"SW_MAXIMIZE", L"SHOW_FULLSCREEN"}},
    {L"SW_SHOWNOACTIVATE", {L"SHOW_OPENNOACTIVATE", L""}},
    {L"SW_SHOW", {L"", L""}},
    {L"SW_MINIMIZE", {L"", L""}},
    {L"SW_SHOWMINNOACTIVE", {L"", L""}},
    {L"SW_SHOWNA", {L"", L""}},
    {L"SW_RESTORE", {L"", L""}},
    {L"SW_SHOWDEFAULT", {L"", L""}},
    {L"SW_FORCEMINIMIZE", {L"", L""}},
}};

}  // namespace model
