#include "support/HeadlessFixture.h"

namespace testsupport {

platform::Application TestApplication(const std::filesystem::path& folder) {
    platform::Application app;
    app.Title = L"Brindle - Show larkspur";
    app.ExePath = (folder / L"bin" / L"ShowLarkspur.exe").wstring();
    app.ExeName = L"ShowLarkspur";
    app.Major = 3;
    app.Minor = 2;
    app.Revision = 46;
    app.LegalCopyright = L"(c) Brindle, test notice";
    app.CompanyKey = L"Brindle";
    app.ProductKey = L"ShowLarkspur";
    app.DataFolder = (folder / L"AppData" / L"Brindle" / L"ShowLarkspur").wstring();
    return app;
}

HeadlessTest::HeadlessTest() : app(TestApplication(temp.Path())), previousApp_(platform::App()) {
    platform::SetApp(app);
}

HeadlessTest::~HeadlessTest() { platform::SetApp(previousApp_); }

void HeadlessTest::TearDown() {
    for (const std::string& failure : env.Log().Failures()) ADD_FAILURE() << "script: " << failure;
    for (const std::string& unused : env.UnusedScripts()) ADD_FAILURE() << "never used: " << unused;
    for (const std::string& unused : toolkit.UnusedScripts())
        ADD_FAILURE() << "never used: " << unused;
}

}  // namespace testsupport
