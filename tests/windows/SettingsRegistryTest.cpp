// CSettings on the real registry and real windows. Each test keeps its values under a product
// key of its own, removed afterwards, so the program's own settings are never touched.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/components/CSettings.h"
#include "platform/win32/Win32Environment.h"

namespace {

using platform::CSettings;

const std::wstring kPlacements = L"Window Placements";

std::wstring UniqueProductKey() {
    std::random_device random;
    return L"ShowLarkspur Test " + std::to_wstring(random()) + std::to_wstring(random());
}

// The REG_SZ value as the registry holds it, or nothing.
std::optional<std::wstring> RegistryText(const std::wstring& keyPath, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr,
                     &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

class SettingsRegistry : public ::testing::Test {
protected:
    SettingsRegistry() {
        app.Title = L"Brindle - Show larkspur";
        app.CompanyKey = L"Brindle";
        app.ProductKey = UniqueProductKey();
    }
    ~SettingsRegistry() override {
        const std::wstring company = L"Software\\" + app.CompanyKey;
        RegDeleteTreeW(HKEY_CURRENT_USER, (company + L"\\" + app.ProductKey).c_str());
        // Fails, as it should, while the company key holds anything else.
        RegDeleteKeyW(HKEY_CURRENT_USER, company.c_str());
    }

    std::wstring KeyPath(const std::wstring& section) const {
        return L"Software\\" + app.CompanyKey + L"\\" + app.ProductKey + L"\\" + section;
    }
    std::wstring Read(const std::wstring& section, const std::wstring& name,
                      const std::wstring& defaultValue) {
        return settings.ReadValue(section, name, 0, defaultValue, app, true, 0);
    }
    bool Write(const std::wstring& section, const std::wstring& name, const std::wstring& value) {
        return settings.WriteValue(section, name, 0, value, app, true, 0);
    }

    platform::Win32Environment environment;
    platform::ScopedEnvironment scope{environment.Get()};
    platform::Application app;
    CSettings settings;
};

TEST_F(SettingsRegistry, WrittenValueReadsBackAndLivesUnderTheProductKey) {
    EXPECT_TRUE(Write(L"OFN Paths", L"Open", L"C:\\Menus"));
    EXPECT_EQ(Read(L"OFN Paths", L"Open", L"default"), L"C:\\Menus");
    EXPECT_EQ(RegistryText(KeyPath(L"OFN Paths"), L"Open"), L"C:\\Menus");
}

TEST_F(SettingsRegistry, CyrillicSectionsNamesAndValuesReadBack) {
    const std::wstring value = L"C:\\Мои документы\\Меню «Сервис».Larkspur";
    EXPECT_TRUE(Write(L"Пути", L"Последний файл", value));
    EXPECT_EQ(Read(L"Пути", L"Последний файл", L""), value);
    EXPECT_EQ(RegistryText(KeyPath(L"Пути"), L"Последний файл"), value);
}

TEST_F(SettingsRegistry, LaterWriteReplacesAndEmptyOrLongValuesReadBack) {
    EXPECT_TRUE(Write(L"OFN Paths", L"Open", L"first"));
    EXPECT_TRUE(Write(L"OFN Paths", L"Open", L""));
    EXPECT_EQ(Read(L"OFN Paths", L"Open", L"default"), L"");
    const std::wstring longValue(20'000, L'ж');
    EXPECT_TRUE(Write(L"OFN Paths", L"Open", longValue));
    EXPECT_EQ(Read(L"OFN Paths", L"Open", L"default"), longValue);
}

TEST_F(SettingsRegistry, MissingSectionNameOrTextValueGivesTheDefault) {
    EXPECT_EQ(Read(L"No Such Section", L"Open", L"по умолчанию"), L"по умолчанию");
    EXPECT_TRUE(Write(L"OFN Paths", L"Open", L"x"));
    EXPECT_EQ(Read(L"OFN Paths", L"Save", L"default"), L"default");
    const DWORD number = 7;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(L"OFN Paths").c_str(), L"Number",
                              REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(Read(L"OFN Paths", L"Number", L"default"), L"default");
}

// --- Window placements ----------------------------------------------------------------------

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreatePlainWindow() {
    static const ATOM windowClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LarkspurPlacementTest";
        return RegisterClassW(&wc);
    }();
    return CreateWindowExW(0, MAKEINTATOM(windowClass), L"Окно", WS_OVERLAPPEDWINDOW, 100, 100,
                           300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << ", " << r.top << ") - (" << r.right << ", " << r.bottom << ")";
    return text.str();
}

RECT WorkAreaNearest(const RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class SettingsPlacement : public SettingsRegistry {
protected:
    SettingsPlacement() : window(CreatePlainWindow()) {}
    ~SettingsPlacement() override { DestroyWindow(window); }

    void Move(int left, int top, int width, int height) {
        SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    bool Save(const std::wstring& name) {
        return settings.SaveWindowPlacement(kPlacements, name, window, app, true);
    }
    bool Restore(const std::wstring& name) {
        return settings.RestoreWindowPlacement(kPlacements, name, window, app, 0, 0, 0, true);
    }

    HWND window;
};

TEST_F(SettingsPlacement, SavedPlacementIsRestoredOnAMovedWindow) {
    ASSERT_NE(window, nullptr);
    Move(120, 90, 320, 240);
    const RECT saved = WindowRect(window);
    const std::wstring name = L"C:\\Меню\\Сервис.Larkspur";
    EXPECT_TRUE(Save(name));
    EXPECT_TRUE(RegistryText(KeyPath(kPlacements), name).has_value());

    Move(10, 20, 500, 400);
    EXPECT_TRUE(Restore(name));
    EXPECT_TRUE(SameRect(WindowRect(window), saved))
        << Describe(WindowRect(window)) << " instead of " << Describe(saved);
}

TEST_F(SettingsPlacement, PlacementOffEveryMonitorComesBackOntoTheWorkArea) {
    ASSERT_NE(window, nullptr);
    Move(-30'000, -30'000, 320, 240);
    ASSERT_EQ(WindowRect(window).left, -30'000) << "the window did not go off the screen";
    EXPECT_TRUE(Save(L"far"));
    Move(50, 50, 200, 100);
    EXPECT_TRUE(Restore(L"far"));
    const RECT rect = WindowRect(window);
    EXPECT_TRUE(Inside(rect, WorkAreaNearest(rect))) << Describe(rect) << " outside the work area";
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 240);
}

TEST_F(SettingsPlacement, PlacementLargerThanTheWorkAreaIsShrunkOntoIt) {
    ASSERT_NE(window, nullptr);
    Move(40'000, 200, 50'000, 30'000);
    const RECT huge = WindowRect(window);
    const RECT screen = WorkAreaNearest(RECT{0, 0, 1, 1});
    ASSERT_GT(huge.right - huge.left, screen.right - screen.left) << Describe(huge);
    ASSERT_GT(huge.bottom - huge.top, screen.bottom - screen.top) << Describe(huge);
    EXPECT_TRUE(Save(L"huge"));
    Move(50, 50, 200, 100);
    EXPECT_TRUE(Restore(L"huge"));
    const RECT rect = WindowRect(window);
    EXPECT_TRUE(Inside(rect, WorkAreaNearest(rect))) << Describe(rect) << " outside the work area";
}

// Scaled from 48 to the desktop's 96 dpi, 800 x 600 pixels become 1600 x 1200: more than the
// screen, so the window is fitted onto it after the scaling.
TEST_F(SettingsPlacement, PlacementFromAnotherDpiIsScaledAndThenFittedOntoTheWorkArea) {
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Write(kPlacements, L"small dpi", L"100,100,900,700,1,48"));
    EXPECT_TRUE(Restore(L"small dpi"));
    const RECT rect = WindowRect(window);
    const RECT area = WorkAreaNearest(rect);
    EXPECT_TRUE(Inside(rect, area)) << Describe(rect) << " outside the work area";
    EXPECT_EQ(std::min(1600L, area.right - area.left), rect.right - rect.left) << Describe(rect);
    EXPECT_EQ(std::min(1200L, area.bottom - area.top), rect.bottom - rect.top) << Describe(rect);
}

TEST_F(SettingsPlacement, NothingOrSomethingUnreadableStoredLeavesTheWindowWhereItIs) {
    ASSERT_NE(window, nullptr);
    Move(70, 80, 300, 200);
    const RECT before = WindowRect(window);
    EXPECT_FALSE(Restore(L"never saved"));
    EXPECT_TRUE(Write(kPlacements, L"damaged", L"12,abc"));
    EXPECT_FALSE(Restore(L"damaged"));
    EXPECT_TRUE(SameRect(WindowRect(window), before)) << Describe(WindowRect(window));
}

}  // namespace
