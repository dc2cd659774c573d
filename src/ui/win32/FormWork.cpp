#include "ui/win32/FormWork.h"

#include <commctrl.h>
#include <objbase.h>
#include <process.h>

#include <atomic>
#include <stdexcept>

#include "platform/win32/ComApartment.h"
#include "platform/win32/ErrorMode.h"
#include "platform/win32/PrivateMessages.h"
#include "ui/win32/Twips.h"

namespace ui {

// What the form and its worker share; whichever lets go last frees it.
struct WorkerState final : WorkProgress {
    bool Wanted() const override { return !cancelled; }
    void Report(int doneNow, int totalNow) override {
        done = doneNow;
        total = totalNow;
    }

    std::function<void(WorkProgress&)> work;
    HWND notify = nullptr;
    WPARAM ticket = 0;
    std::atomic<bool> cancelled{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::string failure;  // written by the worker before it posts
    // A full message queue refuses the post: the form's timer posts it again.
    std::atomic<bool> unposted{false};
};

namespace {

// How long work may take before the progress bar shows, and how often the bar moves.
constexpr ULONGLONG kMoment = 400;
constexpr UINT kTickMilliseconds = 100;

unsigned __stdcall RunWorker(void* parameter) {
    const std::unique_ptr<std::shared_ptr<WorkerState>> owned(
        static_cast<std::shared_ptr<WorkerState>*>(parameter));
    WorkerState& state = **owned;
    const platform::ThreadErrorBoxesSilenced silenced;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    try {
        state.work(state);
    } catch (const std::exception& error) {
        state.failure = error.what();
    } catch (...) {
        state.failure = "unexpected failure";
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (state.Wanted() && !PostMessageW(state.notify, platform::kMsgWorkEnded, state.ticket, 0)) {
        state.unposted = true;
    }
    return 0;
}

// The pointer takes the cursor of what lies under it now, not at its next move.
void RefreshCursor(HWND form) {
    POINT point{};
    if (!GetCursorPos(&point)) return;
    HWND under = WindowFromPoint(point);
    if (!under || (under != form && !IsChild(form, under))) return;
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

}  // namespace

// The user-interface thread's apartment is started first: COM makes the first single-threaded
// apartment of a process its main one, where objects of shell extensions marked for no
// threading are made, and a worker's ends with it. The worker uses the C runtime, so it is
// started through it (_beginthreadex), as CreateThread's documentation asks.
void FormWork::Start(HWND form, int dpi, BackgroundWork work) {
    if (state_) throw std::logic_error("the form's work has not ended yet");
    platform::EnsureComApartment();
    auto state = std::make_shared<WorkerState>();
    state->work = std::move(work.work);
    state->notify = form;
    state->ticket = ++ticket_;
    auto* parameter = new std::shared_ptr<WorkerState>(state);
    const auto thread = _beginthreadex(nullptr, 0, RunWorker, parameter, 0, nullptr);
    if (!thread) {
        delete parameter;
        throw std::runtime_error("no thread could be started for the work");
    }
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    state_ = std::move(state);
    finished_ = std::move(work.finished);
    barBounds_ = work.progressBar;
    form_ = form;
    dpi_ = dpi;
    started_ = GetTickCount64();
    SetTimer(form_, kTimerId, kTickMilliseconds, nullptr);
    RefreshCursor(form_);
}

void FormWork::Cancel() {
    if (!state_) return;
    state_->cancelled = true;
    Stop(false);
}

void FormWork::WindowGone() {
    if (!state_) return;
    state_->cancelled = true;
    Stop(true);
}

void FormWork::Stop(bool windowGone) {
    state_.reset();
    finished_ = nullptr;
    if (windowGone) {
        bar_ = nullptr;
        return;
    }
    KillTimer(form_, kTimerId);
    if (bar_) DestroyWindow(bar_);
    bar_ = nullptr;
    RefreshCursor(form_);
}

std::optional<FormWork::Ended> FormWork::TakeEnded(WPARAM ticket) {
    if (!state_ || ticket != state_->ticket) return std::nullopt;
    Ended ended{std::move(finished_), std::move(state_->failure)};
    Stop(false);
    return ended;
}

void FormWork::Tick() {
    if (!state_) return;
    if (state_->unposted.exchange(false) &&
        !PostMessageW(form_, platform::kMsgWorkEnded, state_->ticket, 0)) {
        state_->unposted = true;
    }
    if (!bar_) {
        if (GetTickCount64() - started_ < kMoment) return;
        bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               form_, nullptr, GetModuleHandleW(nullptr), nullptr);
        PlaceBar();
    }
    SendMessageW(bar_, PBM_SETRANGE32, 0, state_->total > 0 ? state_->total.load() : 1);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(state_->done.load()), 0);
}

bool FormWork::SetWorkingCursor() const {
    if (!state_) return false;
    SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
}

void FormWork::ChangeDpi(int dpi) {
    dpi_ = dpi;
    PlaceBar();
}

void FormWork::PlaceBar() {
    if (!bar_) return;
    MoveWindow(bar_, TwipsToPixels(barBounds_.left, dpi_), TwipsToPixels(barBounds_.top, dpi_),
               TwipsToPixels(barBounds_.width, dpi_), TwipsToPixels(barBounds_.height, dpi_),
               TRUE);
}

}  // namespace ui
