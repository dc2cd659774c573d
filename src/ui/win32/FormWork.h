#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Form.h"

namespace ui {

struct WorkerState;

// The background work of a form: a worker thread with COM of its own, which posts
// kMsgWorkEnded to the form when done; the working cursor over the form meanwhile, and a
// progress bar once the work has taken longer than a moment.
class FormWork {
public:
    FormWork() = default;
    ~FormWork() { Cancel(); }
    FormWork(const FormWork&) = delete;
    FormWork& operator=(const FormWork&) = delete;

    // Starts the work for the form's window; std::runtime_error when no thread can start.
    void Start(HWND form, int dpi, BackgroundWork work);
    bool Running() const { return state_ != nullptr; }
    // The worker is told to stop and forgotten; the bar and the cursor go.
    void Cancel();
    // The same when the form's window is being destroyed, and its children and timer with it.
    void WindowGone();

    struct Ended {
        std::function<void()> finished;
        std::string failure;  // what the work threw, when it did
    };
    // kMsgWorkEnded with its wParam: what is left to do, or nothing when the message is from
    // work since cancelled.
    std::optional<Ended> TakeEnded(WPARAM ticket);
    // WM_TIMER with this identifier: shows and moves the progress bar.
    static constexpr UINT_PTR kTimerId = 1;
    void Tick();
    // WM_SETCURSOR over the form's client area: true when the work has set the working cursor.
    bool SetWorkingCursor() const;
    void ChangeDpi(int dpi);

private:
    void Stop(bool windowGone);
    void PlaceBar();

    std::shared_ptr<WorkerState> state_;
    std::function<void()> finished_;
    TwipsRect barBounds_;
    HWND form_ = nullptr;
    HWND bar_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    ULONGLONG started_ = 0;
    WPARAM ticket_ = 0;
};

}  // namespace ui
