#include "support/FormFixture.h"

#include "model/SharedCommands.h"
#include "platform/text/Encoding.h"
#include "ui/headless/HeadlessControls.h"
#include "ui/menu/frmMain.h"

namespace testsupport {

FormTest::~FormTest() {
    ui::ReleaseMainForm();
    model::SetCommands(nullptr);
    std::filesystem::current_path(previousFolder_);
}

void FormTest::TearDown() {
    ui::ReleaseMainForm();
    HeadlessTest::TearDown();
}

std::wstring FormTest::WriteMenu(const std::wstring& name, const std::wstring& title,
                                 const std::vector<MenuItemText>& items) {
    std::wstring text = L"[Options]\r\nTitle=" + title + L"\r\n";
    for (size_t i = 0; i < items.size(); ++i) {
        text += L"[Item " + std::to_wstring(i) + L"]\r\nTitle=" + items[i].title +
                L"\r\nFileName=" + items[i].fileName + L"\r\n";
    }
    const std::wstring path = temp.File(name);
    WriteFileBytes(path, platform::text::ToUtf8(text));
    return path;
}

model::CCommands& FormTest::OpenMenu(const std::wstring& path) {
    model::SetCommands(nullptr);
    model::CCommands& commands = model::Commands();
    commands.ConfigFileName(path);
    commands.LoadItems();
    return commands;
}

ui::HeadlessForm& FormTest::ShowMainWindow() {
    ui::MainForm().Show();
    return toolkit.FormNamed(L"frmMain");
}

std::vector<std::wstring> FormTest::Rows(ui::HeadlessForm& form, const std::wstring& list) {
    auto& rows = form.Get<ui::ListControl>(list);
    std::vector<std::wstring> texts;
    for (int i = 0; i < rows.ListCount(); ++i) texts.push_back(rows.List(i));
    return texts;
}

std::vector<std::wstring> FormTest::SharedTitles() {
    std::vector<std::wstring> titles;
    model::CCommands& commands = model::Commands();
    for (int i = 0; i < commands.Count(); ++i) titles.push_back(commands.Item(i)->Title());
    return titles;
}

}  // namespace testsupport
