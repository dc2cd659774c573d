#include "platform/components/CSettings.h"

#include <cwchar>
#include <optional>

#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/ScreenGeometry.h"

namespace platform {

namespace {

std::wstring KeyPath(const Application& app, const std::wstring& section) {
    return L"Software\\" + app.CompanyKey + L"\\" + app.ProductKey + L"\\" + section;
}

// A placement is kept as "left,top,right,bottom,showCmd,dpi".
std::wstring PlacementText(const WindowPlacement& p) {
    const PixelRect& r = p.normal;
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L"," +
           std::to_wstring(p.showCmd) + L"," + std::to_wstring(p.dpi);
}

std::optional<WindowPlacement> ParsePlacement(const std::wstring& text) {
    WindowPlacement p;
    wchar_t rest = 0;
    const int fields = std::swscanf(text.c_str(), L"%d,%d,%d,%d,%d,%d%lc", &p.normal.left,
                                    &p.normal.top, &p.normal.right, &p.normal.bottom, &p.showCmd,
                                    &p.dpi, &rest);
    if (fields != 6) return std::nullopt;
    if (p.normal.Width() <= 0 || p.normal.Height() <= 0 || p.dpi < 48 || p.dpi > 960) {
        return std::nullopt;
    }
    if (p.showCmd != kSwShowMaximized) p.showCmd = kSwShowNormal;
    return p;
}

}  // namespace

std::wstring CSettings::ReadValue(const std::wstring& section, const std::wstring& name,
                                  int reserved, const std::wstring& defaultValue,
                                  const Application& app, bool perUser, int flag) {
    return Env().settings.Read(KeyPath(app, section), name).value_or(defaultValue);
}

bool CSettings::WriteValue(const std::wstring& section, const std::wstring& name, int reserved,
                           const std::wstring& value, const Application& app, bool perUser,
                           int flag) {
    return Env().settings.Write(KeyPath(app, section), name, value);
}

// A placement taken on a monitor that is gone, or on a larger one, is brought back onto the
// monitor it overlaps most (else the nearest), so the window never opens out of reach.
bool CSettings::RestoreWindowPlacement(const std::wstring& section, const std::wstring& name,
                                       WindowHandle form, const Application& app, int reserved1,
                                       int reserved2, int reserved3, bool perUser) {
    Environment& env = Env();
    const std::optional<std::wstring> stored = env.settings.Read(KeyPath(app, section), name);
    if (!stored) return false;
    std::optional<WindowPlacement> placement = ParsePlacement(*stored);
    const std::vector<Monitor> monitors = env.windows.Monitors();
    if (!placement || monitors.empty()) return false;
    const Monitor& monitor = MonitorForRect(monitors, placement->normal);
    placement->normal = FitInside(placement->normal, monitor.workArea);
    env.windows.SetPlacement(form, *placement);
    return true;
}

bool CSettings::SaveWindowPlacement(const std::wstring& section, const std::wstring& name,
                                    WindowHandle form, const Application& app, bool perUser) {
    const WindowPlacement placement = Env().windows.GetPlacement(form);
    return Env().settings.Write(KeyPath(app, section), name, PlacementText(placement));
}

}  // namespace platform
