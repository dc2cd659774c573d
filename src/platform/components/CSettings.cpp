#include "platform/components/CSettings.h"

#include <array>
#include <optional>

#include "platform/Environment.h"
#include "platform/WinConstants.h"
#include "platform/components/ScreenGeometry.h"
#include "platform/text/NumberText.h"

namespace platform {

namespace {

std::wstring KeyPath(const Application& app, const std::wstring& section) {
    return L"Software\\" + app.CompanyKey + L"\\" + app.ProductKey + L"\\" + section;
}

// A placement is kept as "left,top,right,bottom,showCmd,dpi".
std::wstring PlacementText(const WindowPlacement& p) {
    using text::Decimal;
    const PixelRect& r = p.normal;
    return Decimal(r.left) + L"," + Decimal(r.top) + L"," + Decimal(r.right) + L"," +
           Decimal(r.bottom) + L"," + Decimal(p.showCmd) + L"," + Decimal(p.dpi);
}

std::optional<WindowPlacement> ParsePlacement(std::wstring_view text) {
    std::array<int, 6> fields{};
    for (size_t i = 0; i < fields.size(); ++i) {
        const bool last = i + 1 == fields.size();
        const size_t end = last ? text.size() : text.find(L',');
        if (end == std::wstring_view::npos) return std::nullopt;
        const std::optional<int> number = text::ParseDecimal(text.substr(0, end));
        if (!number) return std::nullopt;
        fields[i] = *number;
        text.remove_prefix(last ? end : end + 1);
    }
    WindowPlacement p;
    p.normal = {fields[0], fields[1], fields[2], fields[3]};
    p.showCmd = fields[4];
    p.dpi = fields[5];
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
