#pragma once

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Environment.h"
#include "platform/headless/HeadlessEnvironment.h"
#include "support/TempFolder.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessToolkit.h"

namespace testsupport {

// The program's own application values, with the executable and the data folder inside
// `folder`: ExePath <folder>/bin/ShowLarkspur.exe, DataFolder <folder>/AppData/Brindle/
// ShowLarkspur (neither is created).
platform::Application TestApplication(const std::filesystem::path& folder);

// Every test of this fixture runs on a fresh headless environment and toolkit, installed for
// the test, with a test application object in a temporary folder. When the test ends it fails
// if a script failed (even one the code under test swallowed) or if a scripted answer, result
// or modal script was never used. A test that overrides TearDown must call this one.
//
// Forms made during a test must not outlive it.
class HeadlessTest : public ::testing::Test {
protected:
    HeadlessTest();
    ~HeadlessTest() override;
    void TearDown() override;

    // The application object installed for the test; change it with SetApp(app) after edits.
    void InstallApp() { platform::SetApp(app); }

    platform::HeadlessEnvironment env;
    ui::HeadlessToolkit toolkit{env};
    TempFolder temp;
    platform::Application app;

private:
    platform::ScopedEnvironment environmentScope_{env.Get()};
    ui::ScopedToolkit toolkitScope_{toolkit};
    platform::Application previousApp_;
};

}  // namespace testsupport
