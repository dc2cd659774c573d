#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/win32/Win32Environment.h"
#include "ui/Form.h"
#include "ui/win32/Win32Toolkit.h"

namespace testsupport {

// A drop as the shell makes it: the names after a DROPFILES header, wide, at `point`.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files, POINT point);

// Every test runs with the Win32 environment and toolkit installed, as start-up does (COM is
// started by the calls that need it). Forms made during a test must not outlive it; the key
// state set with HoldKeys is released when the test ends.
class Win32Test : public ::testing::Test {
protected:
    Win32Test();
    ~Win32Test() override;

    // Handles what is waiting in the queue.
    void Pump() { toolkit.DoEvents(); }
    // A form of `clientWidth` × `clientHeight` twips.
    std::unique_ptr<ui::Form> MakeForm(ui::FormStyle style, int clientWidth = 6135,
                                       int clientHeight = 3555, bool keyPreview = false);
    // Posts a key press to `window` as the keyboard would deliver it.
    static void PostKey(HWND window, int virtualKey);
    // Marks Shift, Ctrl and Alt as held (or not) in the thread's key state.
    static void HoldKeys(bool shift, bool ctrl, bool alt);
    // The control's rectangle in its parent's client coordinates.
    static RECT RectInParent(HWND control);

    platform::Win32Environment environment;
    ui::Win32Toolkit toolkit;

private:
    platform::ScopedEnvironment environmentScope_{environment.Get()};
    ui::ScopedToolkit toolkitScope_{toolkit};
};

}  // namespace testsupport
