#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <vector>

#include "Win32Fixture.h"
#include "platform/win32/HiddenOwner.h"
#include "platform/win32/WindowIcons.h"
#include "ui/win32/Win32Form.h"

// Forms and controls made for real, at the 96 dpi of the test desktop (15 twips to the pixel).

namespace {

using testsupport::Win32Test;
using ui::FormStyle;

ui::ControlSpec At(int left, int top, int width, int height, const std::wstring& caption = {}) {
    ui::ControlSpec spec;
    spec.bounds = {left, top, width, height};
    spec.caption = caption;
    return spec;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

// On entry *param holds the form; on a match it holds the tool tip window.
BOOL CALLBACK FindToolTipOf(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<HWND*>(param);
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == *found) {
        *found = window;
        return FALSE;
    }
    return TRUE;
}

// The width of the window's big or small icon; 0 without one.
int IconWidth(HWND window, WPARAM which) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

HWND ToolTipWindowOf(HWND form) {
    HWND found = form;
    EnumThreadWindows(GetCurrentThreadId(), FindToolTipOf, reinterpret_cast<LPARAM>(&found));
    return found == form ? nullptr : found;
}

using Win32FormTest = Win32Test;

TEST_F(Win32FormTest, ClientAreaIsTheFormsTwipsInPixels) {
    auto form = MakeForm(FormStyle::FixedDialog, 6135, 3555);
    RECT client{};
    GetClientRect(static_cast<HWND>(form->hWnd()), &client);
    EXPECT_EQ(409, client.right);
    EXPECT_EQ(237, client.bottom);
    EXPECT_EQ(6135, form->ScaleWidth());
    EXPECT_EQ(3555, form->ScaleHeight());
}

TEST_F(Win32FormTest, SizableFormHasASizableBorderNoMinMaxBoxesAndATaskBarButton) {
    auto form = MakeForm(FormStyle::Sizable);
    auto window = static_cast<HWND>(form->hWnd());
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
}

TEST_F(Win32FormTest, FixedDialogIsNotSizableAndIsOwnedByTheHiddenWindow) {
    auto form = MakeForm(FormStyle::FixedDialog);
    auto window = static_cast<HWND>(form->hWnd());
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(platform::HiddenOwnerWindow(), GetWindow(window, GW_OWNER));
    EXPECT_FALSE(IsWindowVisible(platform::HiddenOwnerWindow()));
}

// Start-up gives the hidden window its icons while it is still message-only: it shows them once
// it owns a window.
TEST_F(Win32FormTest, TheHiddenOwnerHasTheIconsStartUpGaveIt) {
    DestroyWindow(platform::HiddenOwnerWindow());  // a new one, as in a new process
    ASSERT_TRUE(platform::IsMessageOnlyWindow(platform::HiddenOwnerWindow()));
    environment.Get().windows.SetIcons(platform::HiddenOwnerWindow(), L"A_MAIN");
    auto form = MakeForm(FormStyle::FixedDialog);
    const HWND owner = GetWindow(static_cast<HWND>(form->hWnd()), GW_OWNER);
    EXPECT_NE(0, SendMessageW(owner, WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(0, SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
}

TEST_F(Win32FormTest, ControlsStandAtTheirTwipsInPixels) {
    auto form = MakeForm(FormStyle::FixedDialog);
    auto& text = form->AddTextBox(At(1320, 120, 3855, 375));
    auto& button = form->AddButton(At(3120, 3000, 1395, 435, L"Ok"));
    auto& shapeless = form->AddShape(At(-60, -120, 2235, 3975));
    RECT textRect = RectInParent(static_cast<HWND>(text.hWnd()));
    EXPECT_EQ(88, textRect.left);
    EXPECT_EQ(8, textRect.top);
    EXPECT_EQ(345, textRect.right);
    EXPECT_EQ(33, textRect.bottom);
    RECT buttonRect = RectInParent(static_cast<HWND>(button.hWnd()));
    EXPECT_EQ(208, buttonRect.left);
    EXPECT_EQ(200, buttonRect.top);
    EXPECT_EQ(93, buttonRect.right - buttonRect.left);
    EXPECT_EQ(29, buttonRect.bottom - buttonRect.top);
    EXPECT_EQ(nullptr, shapeless.hWnd());
    EXPECT_EQ((ui::TwipsRect{-60, -120, 2235, 3975}), shapeless.Bounds());
}

TEST_F(Win32FormTest, EveryControlUsesTahomaNinePointRegularCyrillic) {
    auto form = MakeForm(FormStyle::FixedDialog);
    std::vector<HWND> controls{
        static_cast<HWND>(form->AddLabel(At(120, 165, 915, 210, L"Заголовок:")).hWnd()),
        static_cast<HWND>(form->AddTextBox(At(1320, 120, 3855, 375)).hWnd()),
        static_cast<HWND>(form->AddButton(At(5220, 120, 375, 375, L"H!")).hWnd()),
        static_cast<HWND>(form->AddListBox(At(120, 600, 5055, 3630)).hWnd()),
        static_cast<HWND>(form->AddDropDownList(At(1320, 2520, 3855, 330)).hWnd())};
    for (HWND control : controls) {
        LOGFONTW font = FontOf(control);
        EXPECT_STREQ(L"Tahoma", font.lfFaceName);
        EXPECT_EQ(-12, font.lfHeight);
        EXPECT_EQ(FW_NORMAL, font.lfWeight);
        EXPECT_EQ(RUSSIAN_CHARSET, font.lfCharSet);
    }
}

TEST_F(Win32FormTest, AutoSizedLabelTakesTheSizeOfItsText) {
    auto form = MakeForm(FormStyle::FixedDialog);
    ui::ControlSpec spec = At(120, 165, 3000, 600, L"Имя файла:");
    spec.autoSize = true;
    auto& label = form->AddLabel(spec);
    auto window = static_cast<HWND>(label.hWnd());

    HDC dc = GetDC(window);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Имя файла:", 10, &text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);

    RECT rect = RectInParent(window);
    const LONG width = text.cx + metrics.tmAveCharWidth / 2;  // room for the last glyph
    EXPECT_EQ(width, rect.right - rect.left);
    EXPECT_EQ(text.cy, rect.bottom - rect.top);
    EXPECT_EQ(width * 15, label.Bounds().width);

    label.SetCaption(L"Имя");
    EXPECT_LT(RectInParent(window).right - RectInParent(window).left, text.cx);
}

TEST_F(Win32FormTest, NegativeControlSizeIsRefusedAndTheControlStays) {
    auto form = MakeForm(FormStyle::Sizable);
    auto& list = form->AddListBox(At(100, 100, 3375, 3210));
    EXPECT_THROW(list.Move({100, 100, -200, 3210}), std::invalid_argument);
    EXPECT_THROW(list.Move({100, 100, 3375, -1}), std::invalid_argument);
    EXPECT_EQ((ui::TwipsRect{100, 100, 3375, 3210}), list.Bounds());
    RECT rect = RectInParent(static_cast<HWND>(list.hWnd()));
    EXPECT_EQ(225, rect.right - rect.left);
    list.Move({150, 150, 1500, 1500});
    rect = RectInParent(static_cast<HWND>(list.hWnd()));
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(100, rect.right - rect.left);
}

TEST_F(Win32FormTest, TabOrderIsTheOrderOfCreationWithoutLabels) {
    auto form = MakeForm(FormStyle::FixedDialog);
    form->AddLabel(At(120, 165, 915, 210, L"Заголовок:"));
    auto first = static_cast<HWND>(form->AddTextBox(At(1320, 120, 3855, 375)).hWnd());
    auto second = static_cast<HWND>(form->AddButton(At(5220, 120, 375, 375, L"H!")).hWnd());
    form->AddShape(At(0, 0, 100, 100));
    auto third = static_cast<HWND>(form->AddListBox(At(120, 600, 5055, 2000)).hWnd());
    auto fourth = static_cast<HWND>(form->AddDropDownList(At(120, 2700, 3855, 330)).hWnd());
    auto window = static_cast<HWND>(form->hWnd());
    EXPECT_EQ(first, GetNextDlgTabItem(window, nullptr, FALSE));
    EXPECT_EQ(second, GetNextDlgTabItem(window, first, FALSE));
    EXPECT_EQ(third, GetNextDlgTabItem(window, second, FALSE));
    EXPECT_EQ(fourth, GetNextDlgTabItem(window, third, FALSE));
    EXPECT_EQ(first, GetNextDlgTabItem(window, fourth, FALSE));
}

TEST_F(Win32FormTest, ToolTipsBelongToTheirControls) {
    auto form = MakeForm(FormStyle::FixedDialog);
    ui::ControlSpec spec = At(5220, 120, 375, 375, L"H!");
    spec.toolTip = L" История ";
    auto button = static_cast<HWND>(form->AddButton(spec).hWnd());
    form->AddButton(At(5640, 600, 375, 375, L"..."));
    HWND tips = ToolTipWindowOf(static_cast<HWND>(form->hWnd()));
    ASSERT_NE(nullptr, tips);
    EXPECT_EQ(1, SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t text[80]{};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = static_cast<HWND>(form->hWnd());
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L" История ", text);
}

TEST_F(Win32FormTest, ListsKeepTheirRowsUnsortedAndRefuseRowsThatDoNotExist) {
    auto form = MakeForm(FormStyle::FixedDialog);
    auto& list = form->AddListBox(At(120, 600, 5055, 2000));
    auto& dropDown = form->AddDropDownList(At(120, 2700, 3855, 330));
    LONG_PTR listStyle = GetWindowLongPtrW(static_cast<HWND>(list.hWnd()), GWL_STYLE);
    EXPECT_FALSE(listStyle & LBS_SORT);
    EXPECT_TRUE(listStyle & LBS_NOTIFY);
    EXPECT_TRUE(listStyle & LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(CBS_DROPDOWNLIST,
              GetWindowLongPtrW(static_cast<HWND>(dropDown.hWnd()), GWL_STYLE) & 3);
    for (ui::ListControl* control : std::vector<ui::ListControl*>{&list, &dropDown}) {
        control->AddItem(L"Яблоко");
        control->AddItem(L"Апельсин");
        EXPECT_EQ(2, control->ListCount());
        EXPECT_EQ(L"Яблоко", control->List(0));
        EXPECT_EQ(L"Апельсин", control->List(1));
        EXPECT_EQ(-1, control->ListIndex());
        control->SetListIndex(1);
        EXPECT_EQ(1, control->ListIndex());
        EXPECT_THROW(control->SetListIndex(2), std::out_of_range);
        EXPECT_THROW(control->SetListIndex(-2), std::out_of_range);
        EXPECT_EQ(1, control->ListIndex());
        control->SetListIndex(-1);
        EXPECT_EQ(-1, control->ListIndex());
        control->Clear();
        EXPECT_EQ(0, control->ListCount());
        control->AddItem(L"первая");
        control->AddItems({L"вторая", L"", L"четвёртая"});
        EXPECT_EQ(4, control->ListCount());
        EXPECT_EQ(L"вторая", control->List(1));
        EXPECT_EQ(L"четвёртая", control->List(3));
        // Turning redrawing off hides a window to the system; it must be back on.
        EXPECT_TRUE(GetWindowLongPtrW(static_cast<HWND>(control->hWnd()), GWL_STYLE) & WS_VISIBLE);
    }
}

TEST_F(Win32FormTest, BoundsAndMoveAreOuterScreenTwips) {
    auto form = MakeForm(FormStyle::Sizable);
    form->Move({1500, 1200, 6000, 4500});
    RECT rect{};
    GetWindowRect(static_cast<HWND>(form->hWnd()), &rect);
    EXPECT_EQ(100, rect.left);
    EXPECT_EQ(80, rect.top);
    EXPECT_EQ(400, rect.right - rect.left);
    EXPECT_EQ(300, rect.bottom - rect.top);
    EXPECT_EQ((ui::TwipsRect{1500, 1200, 6000, 4500}), form->Bounds());
    RECT client{};
    GetClientRect(static_cast<HWND>(form->hWnd()), &client);
    EXPECT_EQ(client.right * 15, form->ScaleWidth());
    EXPECT_EQ(client.bottom * 15, form->ScaleHeight());
}

TEST_F(Win32FormTest, DpiChangeRescalesTheControlsTheFontAndResizes) {
    auto form = MakeForm(FormStyle::FixedDialog);
    auto& text = form->AddTextBox(At(1320, 120, 3855, 375));
    int resizes = 0;
    form->Resize = [&] { ++resizes; };
    form->Show();
    int resizesBefore = resizes;
    auto window = static_cast<HWND>(form->hWnd());
    RECT suggested{30, 40, 30 + 650, 40 + 420};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT textRect = RectInParent(static_cast<HWND>(text.hWnd()));
    EXPECT_EQ(132, textRect.left);
    EXPECT_EQ(12, textRect.top);
    EXPECT_EQ(386, textRect.right - textRect.left);  // 3855 twips at 144 dpi
    EXPECT_EQ(-18, FontOf(static_cast<HWND>(text.hWnd())).lfHeight);
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    EXPECT_EQ(30, windowRect.left);
    EXPECT_EQ(650, windowRect.right - windowRect.left);
    EXPECT_GT(resizes, resizesBefore);
    EXPECT_EQ((ui::TwipsRect{1320, 120, 3855, 375}), text.Bounds());
}

TEST_F(Win32FormTest, DpiChangeReloadsTheWindowsIconsAtTheNewSizes) {
    auto form = MakeForm(FormStyle::Sizable);
    form->Show();
    environment.Get().windows.SetIcons(form->hWnd(), L"IDI_CD_PLAYER");
    const auto window = static_cast<HWND>(form->hWnd());
    ASSERT_EQ(16, IconWidth(window, ICON_SMALL));
    RECT suggested{30, 40, 30 + 650, 40 + 420};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(24, IconWidth(window, ICON_SMALL));
    EXPECT_EQ(48, IconWidth(window, ICON_BIG));
}

TEST_F(Win32FormTest, ToolTipsTakeTheSystemsTipFontAtTheFormsDpi) {
    auto form = MakeForm(FormStyle::FixedDialog);
    ui::ControlSpec spec = At(5220, 120, 375, 375, L"H!");
    spec.toolTip = L" История ";
    form->AddButton(spec);
    form->Show();
    const HWND tips = ToolTipWindowOf(static_cast<HWND>(form->hWnd()));
    ASSERT_NE(nullptr, tips);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const LONG height = metrics.lfStatusFont.lfHeight;  // at the desktop's 96 dpi
    EXPECT_EQ(height, FontOf(tips).lfHeight);
    RECT suggested{30, 40, 30 + 650, 40 + 420};
    SendMessageW(static_cast<HWND>(form->hWnd()), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_NEAR(height * 3 / 2, FontOf(tips).lfHeight, 1);
}

TEST_F(Win32FormTest, UnloadReleasesTheWindowsTheFontAndTheToolTips) {
    auto form = MakeForm(FormStyle::FixedDialog);
    ui::ControlSpec spec = At(5220, 120, 375, 375, L"H!");
    spec.toolTip = L" История ";
    auto& button = form->AddButton(spec);
    auto& text = form->AddTextBox(At(1320, 120, 3855, 375));
    form->Show();
    auto window = static_cast<HWND>(form->hWnd());
    auto buttonWindow = static_cast<HWND>(button.hWnd());
    auto textWindow = static_cast<HWND>(text.hWnd());
    auto font = reinterpret_cast<HFONT>(SendMessageW(textWindow, WM_GETFONT, 0, 0));
    HWND tips = ToolTipWindowOf(window);
    ASSERT_NE(nullptr, tips);
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));

    form->Unload();

    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_FALSE(IsWindow(textWindow));
    EXPECT_FALSE(IsWindow(tips));
    EXPECT_EQ(0u, GetObjectType(font));
    EXPECT_EQ(nullptr, form->hWnd());
    EXPECT_EQ(nullptr, text.hWnd());
    EXPECT_FALSE(form->IsLoaded());
}

TEST_F(Win32FormTest, ShowingAgainAfterAnUnloadLoadsAFreshWindow) {
    auto form = MakeForm(FormStyle::FixedDialog);
    auto& list = form->AddListBox(At(120, 600, 5055, 2000));
    int loads = 0;
    form->Load = [&] {
        ++loads;
        list.AddItem(L"строка");
    };
    form->Show();
    form->Unload();
    EXPECT_EQ(0, list.ListCount());
    form->Show();
    EXPECT_EQ(2, loads);
    EXPECT_EQ(1, list.ListCount());
    EXPECT_TRUE(IsWindow(static_cast<HWND>(list.hWnd())));
    EXPECT_TRUE(form->IsVisible());
    form->Unload();
}

TEST_F(Win32FormTest, RepeatedFormsLeaveNoGuiObjectsBehind) {
    HANDLE process = GetCurrentProcess();
    if (GetGuiResources(process, GR_GDIOBJECTS) == 0) {
        GTEST_SKIP() << "this system does not count GUI objects (Wine)";
    }
    auto makeAndUnload = [&] {
        auto form = MakeForm(FormStyle::FixedDialog);
        ui::ControlSpec spec = At(5220, 120, 375, 375, L"H!");
        spec.toolTip = L" История ";
        form->AddButton(spec);
        form->AddTextBox(At(1320, 120, 3855, 375));
        form->AddShape(At(0, 0, 2000, 2000));
        form->Show();
        environment.Get().windows.SetIcons(form->hWnd(), L"IDI_CD_PLAYER");
        Pump();
        form->Unload();
    };
    makeAndUnload();  // the first form registers classes and loads libraries
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    for (int i = 0; i < 20; ++i) makeAndUnload();
    EXPECT_EQ(gdi, GetGuiResources(process, GR_GDIOBJECTS));
    EXPECT_EQ(user, GetGuiResources(process, GR_USEROBJECTS));
}

}  // namespace
