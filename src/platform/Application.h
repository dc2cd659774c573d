#pragma once

#include <string>

namespace platform {

// The application object: what the components and messages need to know about the program.
struct Application {
    std::wstring Title;           // "Brindle - Show larkspur": caption of every message box
    std::wstring ExePath;         // full path of the running executable
    std::wstring ExeName;         // its base name, without folder and extension
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    std::wstring LegalCopyright;  // the notice line
    std::wstring CompanyKey;      // settings live under Software\<CompanyKey>\<ProductKey>
    std::wstring ProductKey;
    std::wstring DataFolder;      // where the history files are kept
};

// The process-wide application object. Start-up installs it once; tests install their own.
const Application& App();
void SetApp(Application app);

}  // namespace platform
