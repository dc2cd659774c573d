#include "platform/components/CFormTools.h"

#include "platform/Environment.h"
#include "platform/VersionText.h"

namespace platform {

void CFormTools::PressButton(WindowHandle button) { Env().windows.PressButton(button); }

void CFormTools::ShowAbout(WindowHandle form, const Application& app, const std::wstring& text,
                           const void* picture, const std::wstring& dedication) {
    std::wstring about = app.Title + L" " + VersionText(app) + L"\r\n" + app.LegalCopyright;
    for (const std::wstring* part : {&text, &dedication}) {
        if (!part->empty()) about += L"\r\n\r\n" + *part;
    }
    Env().dialogs.About(form, app.Title, about);
}

void CFormTools::PrepareForm(WindowHandle form) { Env().windows.TrimSystemMenu(form); }

CFormTools& FormTools() {
    static CFormTools instance;
    return instance;
}

}  // namespace platform
