#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/CCommands.h"
#include "support/HeadlessFixture.h"
#include "ui/headless/HeadlessForm.h"

namespace testsupport {

struct MenuItemText {
    std::wstring title;
    std::wstring fileName;
};

// The forms' tests: the headless environment plus the shared menu and the menu window, both
// dropped when the test ends.
class FormTest : public HeadlessTest {
protected:
    ~FormTest() override;
    void TearDown() override;

    // Writes a menu file (UTF-8) into the temporary folder and returns its full path.
    std::wstring WriteMenu(const std::wstring& name, const std::wstring& title,
                           const std::vector<MenuItemText>& items);
    // Makes the menu the shared collection, as start-up does.
    model::CCommands& OpenMenu(const std::wstring& path);
    // Loads and shows the menu window on the shared collection.
    ui::HeadlessForm& ShowMainWindow();
    // The rows of a list box of a form.
    static std::vector<std::wstring> Rows(ui::HeadlessForm& form, const std::wstring& list);
    // The titles of the shared collection's items, in order.
    static std::vector<std::wstring> SharedTitles();

private:
    // Running an item changes the current folder; the temporary folder must be left to go.
    std::filesystem::path previousFolder_ = std::filesystem::current_path();
};

}  // namespace testsupport
