#include "ui/headless/HeadlessToolkit.h"

namespace ui {

using platform::Printable;

HeadlessToolkit::HeadlessToolkit(platform::HeadlessEnvironment& environment)
    : environment_(environment) {}

std::unique_ptr<Form> HeadlessToolkit::CreateForm(const FormSpec& spec) {
    return std::make_unique<HeadlessForm>(*this, spec);
}

void HeadlessToolkit::RunMessageLoop() {
    if (!loopScripts_.empty()) {
        std::function<void()> script = std::move(loopScripts_.front());
        loopScripts_.pop_front();
        script();
    }
    for (HeadlessForm* form : Forms()) {
        if (form->IsLoaded()) {
            environment_.Log().Fail("the message loop would wait forever: " +
                                    Printable(form->Name()) +
                                    " is still loaded (queue what the user does with "
                                    "HeadlessToolkit::OnMessageLoop)");
        }
    }
}

void HeadlessToolkit::OnModal(const std::wstring& formName, FormScript script) {
    modalScripts_[formName].push_back(std::move(script));
}

void HeadlessToolkit::OnMessageLoop(std::function<void()> script) {
    loopScripts_.push_back(std::move(script));
}

HeadlessToolkit::FormScript HeadlessToolkit::TakeModalScript(const std::wstring& formName) {
    const auto found = modalScripts_.find(formName);
    if (found == modalScripts_.end() || found->second.empty()) return {};
    FormScript script = std::move(found->second.front());
    found->second.pop_front();
    return script;
}

std::vector<HeadlessForm*> HeadlessToolkit::Forms() {
    std::vector<HeadlessForm*> forms;
    for (platform::HeadlessWindow* window : environment_.Desktop()->Windows()) {
        if (auto* form = dynamic_cast<HeadlessForm*>(window)) forms.push_back(form);
    }
    return forms;
}

HeadlessForm* HeadlessToolkit::FindForm(const std::wstring& name) {
    HeadlessForm* found = nullptr;
    for (HeadlessForm* form : Forms()) {
        if (form->Name() != name) continue;
        if (form->IsLoaded()) return form;
        if (!found) found = form;
    }
    return found;
}

HeadlessForm& HeadlessToolkit::FormNamed(const std::wstring& name) {
    HeadlessForm* form = FindForm(name);
    if (!form) environment_.Log().Fail("no form is named " + Printable(name));
    return *form;
}

std::vector<std::string> HeadlessToolkit::UnusedScripts() const {
    std::vector<std::string> unused;
    for (const auto& [name, scripts] : modalScripts_) {
        if (!scripts.empty())
            unused.push_back(std::to_string(scripts.size()) + " modal script(s) for " +
                             Printable(name));
    }
    if (!loopScripts_.empty())
        unused.push_back(std::to_string(loopScripts_.size()) + " message loop script(s)");
    return unused;
}

void HeadlessToolkit::ActivateTopmost() {
    const std::vector<platform::WindowHandle> zOrder = environment_.Desktop()->ZOrder();
    for (auto it = zOrder.rbegin(); it != zOrder.rend(); ++it) {
        auto* form = dynamic_cast<HeadlessForm*>(environment_.Desktop()->Find(*it));
        if (form && form->IsLoaded() && form->IsVisible() && form->IsEnabled()) {
            form->Activate();
            return;
        }
    }
}

}  // namespace ui
