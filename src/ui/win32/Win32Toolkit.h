#pragma once

#include "ui/Form.h"

namespace ui {

// Forms on real windows, to be installed with ScopedToolkit.
class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit() = default;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    void InitCommonControls() override;
    std::unique_ptr<Form> CreateForm(const FormSpec& spec) override;
    void DoEvents() override;
    void RunMessageLoop() override;

    // The forms report their loads and unloads; the loop ends when none is loaded.
    void FormLoaded() { ++loadedForms_; }
    void FormUnloaded() { --loadedForms_; }
    int LoadedForms() const { return loadedForms_; }

private:
    int loadedForms_ = 0;
};

}  // namespace ui
