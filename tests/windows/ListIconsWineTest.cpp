// The list's icons for real: fetched on other threads only once the list is on screen, kept once
// for the process.
#include <chrono>
#include <string>
#include <vector>

#include "Win32Fixture.h"
#include "support/GdiObjects.h"
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

    // A shown form whose list has a row for each target.
    ui::Win32ListBox& ShowList(std::unique_ptr<ui::Form>& form,
                               const std::vector<platform::ShellTarget>& targets) {
        form = MakeForm(ui::FormStyle::Sizable, 4500, 4500);
        auto& list = dynamic_cast<ui::Win32ListBox&>(
            form->AddListBox({.name = L"lstItems", .bounds = {100, 100, 4000, 4000}}));
        std::vector<std::wstring> titles;
        for (const platform::ShellTarget& target : targets) titles.push_back(target.fileName);
        list.AddItems(titles);
        list.SetRowTargets(targets);
        form->Show();
        return list;
    }

    // Scrolls through the list a page at a time, each page until its rows show their icons.
    bool ShowEveryRowsIcon(ui::Win32ListBox& list) {
        HWND window = static_cast<HWND>(list.hWnd());
        RECT client{};
        GetClientRect(window, &client);
        const int page = std::max<int>(
            1, client.bottom / static_cast<int>(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)));
        const int rows = list.ListCount();
        for (int top = 0; top < rows; top += page) {
            SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
            auto pageShown = [&] {
                for (int row = top; row < std::min(rows, top + page); ++row) {
                    if (!list.ShowsIcon(row)) return false;
                }
                return true;
            };
            if (!PumpUntil(pageShown, 10s)) return false;
        }
        return true;
    }
};

std::vector<platform::ShellTarget> MissingTargets(const std::wstring& name, int count) {
    std::vector<platform::ShellTarget> targets;
    for (int i = 0; i < count; ++i) {
        targets.push_back(
            {L"C:\\no-such-folder\\" + name + std::to_wstring(i) + L".exe", L"", L"C:\\"});
    }
    return targets;
}

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

// Each icon held as an HICON per list would be three GDI objects per row and per list: a
// thousand-row menu and its editor then take 6,000 of the 10,000 Windows allows a process.
TEST_F(ListIconsWineTest, IconsAreKeptOnceForTheProcessAndAnotherListShowsThemAtOnce) {
    // What the process makes once, at its first list with an icon, is not counted.
    std::unique_ptr<ui::Form> first;
    ASSERT_TRUE(ShowEveryRowsIcon(ShowList(first, MissingTargets(L"first ", 1))));
    testsupport::GdiObjects gdi(GetCurrentProcess());
    const DWORD before = gdi.Count();
    ASSERT_GT(before, 0u) << "the process's GDI objects cannot be counted here";
    const std::vector<platform::ShellTarget> targets = MissingTargets(L"shared ", 200);
    std::unique_ptr<ui::Form> menu;
    ASSERT_TRUE(ShowEveryRowsIcon(ShowList(menu, targets)));
    EXPECT_LT(gdi.Count(), before + 100) << "200 icons in one list";

    std::unique_ptr<ui::Form> editor;
    ui::Win32ListBox& again = ShowList(editor, targets);
    Pump();  // its first paint
    EXPECT_TRUE(again.ShowsIcon(0)) << "shown at once, not fetched again";
    ASSERT_TRUE(ShowEveryRowsIcon(again));
    EXPECT_LT(gdi.Count(), before + 100) << "the same 200 icons in two lists";
    editor->Unload();
    menu->Unload();
    first->Unload();
}

}  // namespace
