#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "Win32Fixture.h"
#include "platform/WinConstants.h"
#include "platform/win32/HiddenOwner.h"

// Keys, events, unloading and modal forms through the real message loop: messages are posted as
// the system would post them and the loop routes them.

namespace {

using testsupport::Win32Test;
using ui::FormStyle;

ui::ControlSpec At(int left, int top, int width, int height, const std::wstring& caption = {}) {
    ui::ControlSpec spec;
    spec.bounds = {left, top, width, height};
    spec.caption = caption;
    return spec;
}

ui::ControlSpec ButtonAt(int left, const std::wstring& caption, bool isDefault, bool isCancel) {
    ui::ControlSpec spec = At(left, 3000, 1395, 435, caption);
    spec.isDefault = isDefault;
    spec.isCancel = isCancel;
    return spec;
}

HWND Hwnd(const ui::Control& control) { return static_cast<HWND>(control.hWnd()); }
HWND Hwnd(const ui::Form& form) { return static_cast<HWND>(form.hWnd()); }

class Win32MessageLoopTest : public Win32Test {
protected:
    // A dialog with a text box, a list, an OK (default) and a Cancel (cancel) button, shown.
    void ShowDialog(bool keyPreview) {
        form = MakeForm(FormStyle::FixedDialog, 6135, 3555, keyPreview);
        text = &form->AddTextBox(At(1320, 120, 3855, 375));
        list = &form->AddListBox(At(120, 600, 5055, 2000));
        ok = &form->AddButton(ButtonAt(3120, L"Ok", true, false));
        cancel = &form->AddButton(ButtonAt(4620, L"Отмена", false, true));
        ok->Click = [this] { events.push_back(L"ok"); };
        cancel->Click = [this] { events.push_back(L"cancel"); };
        form->Show();
        Pump();
    }

    std::unique_ptr<ui::Form> form;
    ui::TextBox* text = nullptr;
    ui::ListBox* list = nullptr;
    ui::Button* ok = nullptr;
    ui::Button* cancel = nullptr;
    std::vector<std::wstring> events;
};

TEST_F(Win32MessageLoopTest, ShownFormIsActiveWithTheFocusOnItsFirstTabStop) {
    ShowDialog(false);
    EXPECT_EQ(Hwnd(*form), GetActiveWindow());
    EXPECT_EQ(Hwnd(*text), GetFocus());
}

TEST_F(Win32MessageLoopTest, KeyPreviewSeesTheKeyBeforeTheFocusedControl) {
    ShowDialog(true);
    form->KeyDown = [this](int& keyCode, int) { events.push_back(L"form " + std::to_wstring(keyCode)); };
    text->KeyDown = [this](int& keyCode, int) { events.push_back(L"text " + std::to_wstring(keyCode)); };
    PostKey(Hwnd(*text), 'A');
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"form 65", L"text 65"}), events);
}

TEST_F(Win32MessageLoopTest, WithoutKeyPreviewTheFormDoesNotSeeKeys) {
    ShowDialog(false);
    form->KeyDown = [this](int&, int) { events.push_back(L"form"); };
    text->KeyDown = [this](int&, int) { events.push_back(L"text"); };
    PostKey(Hwnd(*text), 'A');
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"text"}), events);
}

TEST_F(Win32MessageLoopTest, KeyConsumedByThePreviewReachesNeitherControlNorWindow) {
    ShowDialog(true);
    list->AddItem(L"первая");
    list->AddItem(L"вторая");
    list->SetListIndex(0);
    list->SetFocus();
    Pump();
    form->KeyDown = [](int& keyCode, int) {
        if (keyCode == VK_DOWN) keyCode = 0;
    };
    list->KeyDown = [this](int&, int) { events.push_back(L"list"); };
    PostKey(Hwnd(*list), VK_DOWN);
    Pump();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(0, list->ListIndex());
}

TEST_F(Win32MessageLoopTest, KeyNotConsumedReachesTheControlsWindow) {
    ShowDialog(true);
    list->AddItem(L"первая");
    list->AddItem(L"вторая");
    list->SetListIndex(0);
    list->SetFocus();
    Pump();
    form->KeyDown = [](int&, int) {};
    PostKey(Hwnd(*list), VK_DOWN);
    Pump();
    EXPECT_EQ(1, list->ListIndex());
}

TEST_F(Win32MessageLoopTest, KeyConsumedByTheControlsHandlerDoesNotReachItsWindow) {
    ShowDialog(false);
    list->AddItem(L"первая");
    list->AddItem(L"вторая");
    list->SetListIndex(0);
    list->SetFocus();
    Pump();
    list->KeyDown = [](int& keyCode, int) { keyCode = 0; };
    PostKey(Hwnd(*list), VK_DOWN);
    Pump();
    EXPECT_EQ(0, list->ListIndex());
}

TEST_F(Win32MessageLoopTest, ShiftMaskTellsWhichModifiersAreHeld) {
    ShowDialog(true);
    std::vector<int> masks;
    form->KeyDown = [&](int&, int shift) { masks.push_back(shift); };
    HoldKeys(false, true, false);
    PostKey(Hwnd(*text), 'C');
    Pump();
    HoldKeys(true, true, false);
    PostKey(Hwnd(*text), 'C');
    Pump();
    HoldKeys(true, false, true);
    PostKey(Hwnd(*text), VK_F5);
    Pump();
    HoldKeys(false, false, false);
    PostKey(Hwnd(*text), VK_F5);
    Pump();
    EXPECT_EQ((std::vector<int>{platform::kCtrlMask, platform::kShiftMask | platform::kCtrlMask,
                                platform::kShiftMask | platform::kAltMask, 0}),
              masks);
}

// A handler that opens a modal form lets the user release the modifiers meanwhile: the focused
// text box still gets the character the key gave when it was pressed.
TEST_F(Win32MessageLoopTest, KeyTypesWhatItGaveWhenPressedThoughItsHandlerRanAModalForm) {
    ShowDialog(true);
    auto modal = MakeForm(FormStyle::FixedDialog);
    int modalLoads = 0;
    modal->Load = [&] {
        ++modalLoads;
        HoldKeys(false, false, false);  // let go while the modal form is open
        environment.Get().windows.RequestUnload(modal->hWnd());
    };
    form->KeyDown = [&](int& keyCode, int shift) {
        if (keyCode == 'A' && shift != 0) modal->ShowModal();
    };
    HoldKeys(false, true, false);
    PostKey(Hwnd(*text), 'A');  // Ctrl+A: no letter
    Pump();
    HoldKeys(true, false, false);
    PostKey(Hwnd(*text), 'A');  // Shift+A: a capital
    Pump();
    EXPECT_EQ(2, modalLoads);
    EXPECT_EQ(L"A", text->Text());
}

TEST_F(Win32MessageLoopTest, EnterInATextBoxPressesTheDefaultButton) {
    ShowDialog(false);
    PostKey(Hwnd(*text), VK_RETURN);
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"ok"}), events);
}

TEST_F(Win32MessageLoopTest, EnterOnAnotherFocusedButtonPressesThatButton) {
    ShowDialog(false);
    cancel->SetFocus();
    Pump();
    ASSERT_EQ(Hwnd(*cancel), GetFocus());
    PostKey(Hwnd(*cancel), VK_RETURN);
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"cancel"}), events);
}

TEST_F(Win32MessageLoopTest, EscPressesTheCancelButtonWhereverTheFocusIs) {
    ShowDialog(false);
    PostKey(Hwnd(*text), VK_ESCAPE);
    Pump();
    list->SetFocus();
    Pump();
    PostKey(Hwnd(*list), VK_ESCAPE);
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"cancel", L"cancel"}), events);
}

TEST_F(Win32MessageLoopTest, TabMovesTheFocusInCreationOrderAndShiftTabBack) {
    ShowDialog(false);
    PostKey(Hwnd(*text), VK_TAB);
    Pump();
    EXPECT_EQ(Hwnd(*list), GetFocus());
    PostKey(Hwnd(*list), VK_TAB);
    Pump();
    EXPECT_EQ(Hwnd(*ok), GetFocus());
    HoldKeys(true, false, false);
    PostKey(Hwnd(*ok), VK_TAB);
    Pump();
    EXPECT_EQ(Hwnd(*list), GetFocus());
}

TEST_F(Win32MessageLoopTest, DefaultButtonLookFollowsTheFocus) {
    ShowDialog(false);
    auto looksDefault = [](const ui::Button& button) {
        return (GetWindowLongPtrW(Hwnd(button), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    EXPECT_TRUE(looksDefault(*ok));
    cancel->SetFocus();
    Pump();
    EXPECT_TRUE(looksDefault(*cancel));
    EXPECT_FALSE(looksDefault(*ok));
    text->SetFocus();
    Pump();
    EXPECT_TRUE(looksDefault(*ok));
    EXPECT_FALSE(looksDefault(*cancel));
}

TEST_F(Win32MessageLoopTest, GotFocusRunsWhenAControlTakesTheFocus) {
    ShowDialog(false);
    text->SetText(L"весь текст");
    text->GotFocus = [this] {
        events.push_back(L"text");
        environment.Get().windows.SelectAllText(environment.Get().windows.FocusedWindow());
    };
    list->GotFocus = [this] { events.push_back(L"list"); };
    list->SetFocus();
    Pump();
    text->SetFocus();
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"list", L"text"}), events);
    DWORD start = 0, end = 0;
    SendMessageW(Hwnd(*text), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(10u, end);
}

TEST_F(Win32MessageLoopTest, FocusSetWhileLoadingIsTakenWhenTheFormShows) {
    form = MakeForm(FormStyle::FixedDialog);
    auto& first = form->AddTextBox(At(1320, 120, 3855, 375));
    auto& second = form->AddListBox(At(120, 600, 5055, 2000));
    bool visibleDuringLoad = true;
    form->Load = [&] {
        visibleDuringLoad = form->IsVisible();
        second.SetFocus();
    };
    form->Show();
    Pump();
    EXPECT_FALSE(visibleDuringLoad);
    EXPECT_EQ(Hwnd(second), GetFocus());
    EXPECT_NE(Hwnd(first), GetFocus());
}

TEST_F(Win32MessageLoopTest, DoubleClickOnTheListRunsDblClick) {
    ShowDialog(false);
    list->AddItem(L"первая");
    list->DblClick = [this] { events.push_back(L"dblclick"); };
    SendMessageW(Hwnd(*list), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(Hwnd(*list), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{L"dblclick"}), events);
}

TEST_F(Win32MessageLoopTest, PressButtonRunsTheClickHandlerWithoutMovingTheFocus) {
    ShowDialog(false);
    environment.Get().windows.PressButton(cancel->hWnd());
    EXPECT_EQ((std::vector<std::wstring>{L"cancel"}), events);
    EXPECT_EQ(Hwnd(*text), GetFocus());
}

TEST_F(Win32MessageLoopTest, UnloadInsideAHandlerWaitsForTheHandlerToReturn) {
    ShowDialog(false);
    int unloadEvents = 0;
    bool loadedAfterUnloadCall = false;
    bool windowAfterUnloadCall = false;
    form->UnloadEvent = [&] { ++unloadEvents; };
    ok->Click = [&] {
        form->Unload();
        loadedAfterUnloadCall = form->IsLoaded();
        windowAfterUnloadCall = IsWindow(Hwnd(*form));
    };
    HWND window = Hwnd(*form);
    PostKey(Hwnd(*text), VK_RETURN);
    Pump();
    EXPECT_TRUE(loadedAfterUnloadCall);
    EXPECT_TRUE(windowAfterUnloadCall);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, unloadEvents);
}

TEST_F(Win32MessageLoopTest, UnloadFromTheKeyPreviewStopsTheKey) {
    ShowDialog(true);
    form->KeyDown = [this](int& keyCode, int) {
        if (keyCode == VK_ESCAPE) form->Unload();
    };
    PostKey(Hwnd(*text), VK_ESCAPE);
    Pump();
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_TRUE(events.empty());  // the cancel button never saw the Esc
}

TEST_F(Win32MessageLoopTest, RequestedUnloadHappensWhenTheLoopRuns) {
    ShowDialog(false);
    int unloadEvents = 0;
    form->UnloadEvent = [&] { ++unloadEvents; };
    environment.Get().windows.RequestUnload(form->hWnd());
    EXPECT_TRUE(form->IsLoaded());
    Pump();
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(1, unloadEvents);
}

TEST_F(Win32MessageLoopTest, UnloadAskedForDuringLoadKeepsTheFormFromShowing) {
    form = MakeForm(FormStyle::Sizable);
    int unloadEvents = 0;
    form->Load = [&] { form->Unload(); };
    form->UnloadEvent = [&] { ++unloadEvents; };
    form->Show();
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(nullptr, form->hWnd());
    EXPECT_EQ(1, unloadEvents);
}

TEST_F(Win32MessageLoopTest, CloseBoxUnloadsTheForm) {
    ShowDialog(false);
    int unloadEvents = 0;
    form->UnloadEvent = [&] { ++unloadEvents; };
    PostMessageW(Hwnd(*form), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(1, unloadEvents);
    EXPECT_TRUE(events.empty());
}

// Records, at the moment a window is destroyed, whether another window is enabled.
struct DestroyWatch {
    static inline HWND watched = nullptr;
    static inline HWND other = nullptr;
    static inline int otherEnabledAtDestroy = -1;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == watched) {
            otherEnabledAtDestroy = IsWindowEnabled(other) ? 1 : 0;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

TEST_F(Win32MessageLoopTest, ModalFormDisablesTheOthersUntilItHasUnloaded) {
    auto main = MakeForm(FormStyle::Sizable);
    main->Show();
    auto modal = MakeForm(FormStyle::FixedDialog);
    auto& close = modal->AddButton(ButtonAt(4620, L"Отмена", false, true));
    bool mainEnabledWhileModal = true;
    bool modalActive = false;
    close.Click = [&] {
        mainEnabledWhileModal = IsWindowEnabled(Hwnd(*main));
        modalActive = GetActiveWindow() == Hwnd(*modal);
        modal->Unload();
    };
    modal->Load = [&] { PostKey(Hwnd(close), VK_ESCAPE); };

    DestroyWatch::watched = Hwnd(*modal);
    DestroyWatch::other = Hwnd(*main);
    HHOOK hook = SetWindowsHookExW(WH_CBT, DestroyWatch::Hook, nullptr, GetCurrentThreadId());
    modal->ShowModal();
    UnhookWindowsHookEx(hook);

    EXPECT_FALSE(mainEnabledWhileModal);
    EXPECT_TRUE(modalActive);
    EXPECT_EQ(1, DestroyWatch::otherEnabledAtDestroy);
    EXPECT_TRUE(IsWindowEnabled(Hwnd(*main)));
    EXPECT_FALSE(modal->IsLoaded());
    main->Unload();
}

// Owned so that the system brings the modal form forward with the form that showed it.
TEST_F(Win32MessageLoopTest, AModalFormIsOwnedByTheFormThatShowedIt) {
    auto main = MakeForm(FormStyle::Sizable);
    main->Show();
    auto editor = MakeForm(FormStyle::FixedDialog);
    auto command = MakeForm(FormStyle::FixedDialog);
    auto& open = editor->AddButton(ButtonAt(4620, L"Отмена", false, true));
    HWND editorWindow = nullptr, editorOwner = nullptr, commandOwner = nullptr;
    open.Click = [&] {
        editorWindow = Hwnd(*editor);
        command->ShowModal();
        editor->Unload();
    };
    editor->Load = [&] { PostKey(Hwnd(open), VK_ESCAPE); };
    editor->UnloadEvent = [&] { editorOwner = GetWindow(Hwnd(*editor), GW_OWNER); };
    command->Load = [&] { environment.Get().windows.RequestUnload(command->hWnd()); };
    command->UnloadEvent = [&] { commandOwner = GetWindow(Hwnd(*command), GW_OWNER); };
    editor->ShowModal();
    EXPECT_EQ(Hwnd(*main), editorOwner);
    EXPECT_EQ(editorWindow, commandOwner);

    main->Unload();  // with no form shown, the hidden window owns it, off the task bar
    editor->Load = [&] { environment.Get().windows.RequestUnload(editor->hWnd()); };
    editor->ShowModal();
    EXPECT_EQ(platform::HiddenOwnerWindow(), editorOwner);
}

// Messages and dialogs are owned by the form the user left, not by nothing.
TEST_F(Win32MessageLoopTest, WhileAnotherProgramIsInFrontTheFormStillOwnsWhatComesNext) {
    ShowDialog(false);
    HANDLE shown = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        HWND window = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        SetEvent(shown);
        WaitForSingleObject(done, 10000);
        DestroyWindow(window);
    });
    WaitForSingleObject(shown, 10000);
    Pump();
    EXPECT_EQ(nullptr, GetActiveWindow());
    EXPECT_EQ(form->hWnd(), environment.Get().windows.ActiveWindow());
    SetEvent(done);
    other.join();
    CloseHandle(shown);
    CloseHandle(done);
}

TEST_F(Win32MessageLoopTest, WindowShownDuringItsLoadCanOpenAModalForm) {
    auto main = MakeForm(FormStyle::Sizable);
    auto editor = MakeForm(FormStyle::FixedDialog);
    bool mainVisibleUnderEditor = false;
    editor->Load = [&] {
        mainVisibleUnderEditor = main->IsVisible();
        environment.Get().windows.RequestUnload(editor->hWnd());
    };
    main->Load = [&] {
        main->Show();
        toolkit.DoEvents();
        editor->ShowModal();
        environment.Get().windows.RequestUnload(main->hWnd());
    };
    main->Show();
    EXPECT_TRUE(mainVisibleUnderEditor);
    EXPECT_TRUE(main->IsLoaded());
    toolkit.RunMessageLoop();
    EXPECT_FALSE(main->IsLoaded());
    EXPECT_FALSE(editor->IsLoaded());
}

TEST_F(Win32MessageLoopTest, MessageLoopEndsWhenTheLastFormHasUnloaded) {
    auto first = MakeForm(FormStyle::Sizable);
    auto second = MakeForm(FormStyle::FixedDialog);
    first->Show();
    second->Show();
    environment.Get().windows.RequestUnload(first->hWnd());
    environment.Get().windows.RequestUnload(second->hWnd());
    // Should the loop not end by itself, a quit message ends it after a while.
    DWORD thread = GetCurrentThreadId();
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread watchdog([&] {
        if (WaitForSingleObject(stop, 10000) == WAIT_TIMEOUT) PostThreadMessageW(thread, WM_QUIT, 0, 0);
    });
    toolkit.RunMessageLoop();
    SetEvent(stop);
    watchdog.join();
    CloseHandle(stop);
    EXPECT_FALSE(first->IsLoaded());
    EXPECT_FALSE(second->IsLoaded());
}

}  // namespace
