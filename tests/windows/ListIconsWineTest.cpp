// The list's icons for real: fetched on other threads only once the list is on screen.
#include <chrono>

#include "Win32Fixture.h"
#include "ui/win32/Win32Controls.h"

namespace {

using namespace std::chrono_literals;
using testsupport::Win32Test;

class ListIconsWineTest : public Win32Test {
protected:
    // Handles messages until `done` or the time is up; returns `done()`.
    template <class Condition>
    bool PumpUntil(Condition done, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < end) {
            Pump();
            Sleep(10);
        }
        return done();
    }
};

TEST_F(ListIconsWineTest, IconsArriveAfterTheListIsShownAndNotBefore) {
    auto form = MakeForm(ui::FormStyle::Sizable);
    auto& list = dynamic_cast<ui::Win32ListBox&>(
        form->AddListBox({.name = L"lstItems", .bounds = {100, 100, 4000, 2500}}));
    list.AddItems({L"Блокнот", L"Папка Windows", L"Нет такого"});
    list.SetRowTargets({{L"notepad.exe", L"", L"C:\\"},
                        {L"%SystemRoot%", L"", L"C:\\"},
                        {L"no-such-program.exe", L"", L"C:\\"}});
    auto allShown = [&] { return list.ShowsIcon(0) && list.ShowsIcon(1) && list.ShowsIcon(2); };
    EXPECT_FALSE(PumpUntil([&] { return list.ShowsIcon(0); }, 300ms)) << "fetched while hidden";
    form->Show();
    EXPECT_TRUE(PumpUntil(allShown, 10s)) << "the missing target's neutral icon included";
    const auto rowHeight = SendMessageW(static_cast<HWND>(list.hWnd()), LB_GETITEMHEIGHT, 0, 0);
    EXPECT_GE(rowHeight, GetSystemMetrics(SM_CYSMICON)) << "a row holds its icon";
    form->Unload();
}

// The menu window gives its rows their targets once it shows: rows drawn before, with the icons'
// room and nothing in it, get their icons when the targets come.
TEST_F(ListIconsWineTest, RowsDrawnBeforeTheirTargetsCameGetTheirIcons) {
    auto form = MakeForm(ui::FormStyle::Sizable);
    auto& list = dynamic_cast<ui::Win32ListBox&>(
        form->AddListBox({.name = L"lstItems", .bounds = {100, 100, 4000, 2500}}));
    list.AddItems({L"Блокнот", L"Папка Windows"});
    list.SetRowTargets({});
    form->Show();
    EXPECT_FALSE(PumpUntil([&] { return list.ShowsIcon(0); }, 300ms)) << "no target, no icon";
    list.SetRowTargets({{L"notepad.exe", L"", L"C:\\"}, {L"%SystemRoot%", L"", L"C:\\"}});
    EXPECT_TRUE(PumpUntil([&] { return list.ShowsIcon(0) && list.ShowsIcon(1); }, 10s));
    form->Unload();
}

// Rows drawn in a window that went before they asked for their icons leave nothing behind that
// keeps the next window's rows from asking.
TEST_F(ListIconsWineTest, RowsOfAListLoadedAgainGetTheirIcons) {
    auto form = MakeForm(ui::FormStyle::Sizable);
    auto& list = dynamic_cast<ui::Win32ListBox&>(
        form->AddListBox({.name = L"lstItems", .bounds = {100, 100, 4000, 2500}}));
    auto fill = [&] {
        list.AddItems({L"Блокнот"});
        list.SetRowTargets({{L"notepad.exe", L"", L"C:\\"}});
    };
    fill();
    form->Show();
    RedrawWindow(static_cast<HWND>(form->hWnd()), nullptr, nullptr,
                 RDW_UPDATENOW | RDW_ALLCHILDREN);
    form->Unload();
    form->Show();
    fill();
    EXPECT_TRUE(PumpUntil([&] { return list.ShowsIcon(0); }, 10s));
    form->Unload();
}

TEST_F(ListIconsWineTest, RowsHoldTheirIconsAtANewDpi) {
    auto form = MakeForm(ui::FormStyle::Sizable);
    auto& list = dynamic_cast<ui::Win32ListBox&>(
        form->AddListBox({.name = L"lstItems", .bounds = {100, 100, 4000, 2500}}));
    list.AddItems({L"Блокнот"});
    list.SetRowTargets({{L"notepad.exe", L"", L"C:\\"}});
    form->Show();
    const auto window = static_cast<HWND>(list.hWnd());
    EXPECT_EQ(16 + 2, SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
    RECT suggested{30, 40, 30 + 650, 40 + 420};
    SendMessageW(static_cast<HWND>(form->hWnd()), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(24 + 2, SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)) << "the 24-pixel icon";
    form->Unload();
}

}  // namespace
