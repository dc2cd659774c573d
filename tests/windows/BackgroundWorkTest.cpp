// Work a form runs in the background: on a worker with COM of its own, its end back on the
// form's thread, the working cursor and, after a moment, a progress bar meanwhile.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <functional>

#include "Win32Fixture.h"

namespace {

class BackgroundWorkTest : public testsupport::Win32Test {
protected:
    BackgroundWorkTest() {
        form->Show();
        Pump();
    }
    ~BackgroundWorkTest() override { CloseHandle(release); }

    HWND Window() const { return static_cast<HWND>(form->hWnd()); }
    HWND ProgressBar() const { return FindWindowExW(Window(), nullptr, PROGRESS_CLASSW, nullptr); }
    // Handles messages until `done` says so; false after 10 s.
    bool PumpUntil(const std::function<bool()>& done) {
        for (int waited = 0; waited < 10000; waited += 10) {
            Pump();
            if (done()) return true;
            Sleep(10);
        }
        return false;
    }
    // Whether the form sets the working cursor over its client area.
    bool ShowsWorkingCursor() const {
        SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Window()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor() == LoadCursorW(nullptr, IDC_APPSTARTING);
    }

    std::unique_ptr<ui::Form> form = MakeForm(ui::FormStyle::FixedDialog);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

TEST_F(BackgroundWorkTest, TheWorkRunsOnAWorkerWithAnApartmentOfItsOwnAndEndsOnTheFormsThread) {
    DWORD worker = 0;
    HRESULT apartment = E_FAIL;
    DWORD finishedOn = 0;
    form->StartWork({.work = [&](ui::WorkProgress&) {
                         worker = GetCurrentThreadId();
                         apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
                         if (SUCCEEDED(apartment)) CoUninitialize();
                     },
                     .finished = [&] { finishedOn = GetCurrentThreadId(); }});
    EXPECT_TRUE(form->IsWorking());
    ASSERT_TRUE(PumpUntil([&] { return finishedOn != 0; }));
    EXPECT_NE(worker, GetCurrentThreadId());
    EXPECT_EQ(apartment, S_FALSE);  // started there already, single-threaded
    EXPECT_EQ(finishedOn, GetCurrentThreadId());
    EXPECT_FALSE(form->IsWorking());
}

TEST_F(BackgroundWorkTest, WorkLongerThanAMomentShowsAProgressBarAndTheWorkingCursor) {
    bool finished = false;
    form->StartWork({.work =
                         [this](ui::WorkProgress& progress) {
                             progress.Report(3, 4);
                             WaitForSingleObject(release, 10000);
                         },
                     .finished = [&] { finished = true; },
                     .progressBar = {120, 240, 2400, 285}});
    EXPECT_EQ(ProgressBar(), nullptr);
    EXPECT_TRUE(ShowsWorkingCursor());
    ASSERT_TRUE(PumpUntil([&] {
        return ProgressBar() && SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0) == 3;
    }));
    EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETRANGE, FALSE, 0), 4);
    const RECT bar = RectInParent(ProgressBar());
    EXPECT_EQ(bar.left, 8);  // 96 dpi: 15 twips a pixel
    EXPECT_EQ(bar.top, 16);
    EXPECT_EQ(bar.right, 168);
    EXPECT_EQ(bar.bottom, 35);
    EXPECT_FALSE(finished);
    SetEvent(release);
    ASSERT_TRUE(PumpUntil([&] { return finished; }));
    EXPECT_EQ(ProgressBar(), nullptr);
    EXPECT_FALSE(ShowsWorkingCursor());
}

TEST_F(BackgroundWorkTest, CancelledWorkIsToldToStopAndItsEndNeverRuns) {
    std::atomic<bool> wanted{true};
    HANDLE stopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool finished = false;
    form->StartWork({.work =
                         [&, this](ui::WorkProgress& progress) {
                             WaitForSingleObject(release, 10000);
                             wanted = progress.Wanted();
                             SetEvent(stopped);
                         },
                     .finished = [&] { finished = true; }});
    form->CancelWork();
    EXPECT_FALSE(form->IsWorking());
    EXPECT_FALSE(ShowsWorkingCursor());
    SetEvent(release);
    ASSERT_EQ(WaitForSingleObject(stopped, 10000), WAIT_OBJECT_0);
    CloseHandle(stopped);
    Sleep(50);
    Pump();
    EXPECT_FALSE(wanted);
    EXPECT_FALSE(finished);
}

}  // namespace
