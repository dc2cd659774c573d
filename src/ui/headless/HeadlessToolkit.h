#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessEnvironment.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessForm.h"

namespace ui {

// The control layer as state, on a HeadlessEnvironment: forms made here register their windows
// on the environment's desktop, so the environment's by-handle calls reach them. Nothing can
// block: a modal form runs the script a test queued for it, and the message loop runs the
// script queued for it; a form those scripts leave open fails the test.
class HeadlessToolkit : public Toolkit {
public:
    using FormScript = std::function<void(HeadlessForm&)>;

    explicit HeadlessToolkit(platform::HeadlessEnvironment& environment);

    void InitCommonControls() override { ++initCommonControlsCalls_; }
    std::unique_ptr<Form> CreateForm(const FormSpec& spec) override;
    // Nothing is pending in a headless toolkit; the calls are counted.
    void DoEvents() override { ++doEventsCalls_; }
    // Runs the script queued with OnMessageLoop, which stands for everything the user does
    // until the last form has unloaded.
    void RunMessageLoop() override;

    // What to do inside the next modal showing of the form of that name; the script must close
    // the form. Scripts for one form are used in the order queued.
    void OnModal(const std::wstring& formName, FormScript script);
    void OnMessageLoop(std::function<void()> script);

    // The live form of that name (the loaded one when there are several); fails loudly when
    // there is none.
    HeadlessForm& FormNamed(const std::wstring& name);
    HeadlessForm* FindForm(const std::wstring& name);
    std::vector<HeadlessForm*> Forms();
    int DoEventsCalls() const { return doEventsCalls_; }
    int InitCommonControlsCalls() const { return initCommonControlsCalls_; }
    // Scripts queued and never run.
    std::vector<std::string> UnusedScripts() const;

    platform::HeadlessEnvironment& Environment() { return environment_; }

    // The clock typing reads, in milliseconds; it moves only when a test lets time pass.
    std::uint32_t Clock() const { return clock_; }
    void LetTimePass(std::uint32_t milliseconds) { clock_ += milliseconds; }
    // The files the clipboard holds, as a copy in the shell leaves them.
    std::vector<std::wstring> clipboardFiles;

    // Used by the forms.
    FormScript TakeModalScript(const std::wstring& formName);
    // Activates the topmost form still shown and enabled, if any.
    void ActivateTopmost();

private:
    platform::HeadlessEnvironment& environment_;
    std::map<std::wstring, std::deque<FormScript>> modalScripts_;
    std::deque<std::function<void()>> loopScripts_;
    int doEventsCalls_ = 0;
    int initCommonControlsCalls_ = 0;
    std::uint32_t clock_ = 0;
};

}  // namespace ui
