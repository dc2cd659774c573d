// The forms in each language: the English one shows nothing in Russian but what the user wrote,
// and no window has two controls with one access key.
#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <set>

#include "platform/WinConstants.h"
#include "platform/texts/StringTables.h"
#include "platform/texts/Texts.h"
#include "support/FormFixture.h"
#include "ui/editors/frmCommandEditor.h"
#include "ui/editors/frmCommandsEditor.h"
#include "ui/headless/HeadlessControls.h"
#include "ui/menu/frmMain.h"

namespace {

using ui::HeadlessForm;

bool HasCyrillic(const std::wstring& text) {
    for (const wchar_t c : text) {
        if (c >= 0x0400 && c <= 0x052F) return true;
    }
    return false;
}

class FormTextsTest : public testsupport::FormTest {
protected:
    // Runs `check` on the menu window, then inside the menu editor and the command editor it
    // opens, all on a menu whose own texts are Russian.
    void OnEachForm(const std::function<void(HeadlessForm&)>& check) {
        OpenMenu(WriteMenu(L"Tools.Larkspur", L"Инструменты", {{L"Блокнот", L"notepad.exe"}}));
        HeadlessForm& main = ShowMainWindow();
        check(main);
        toolkit.OnModal(L"frmCommandsEditor", [&](HeadlessForm& editor) {
            check(editor);
            toolkit.OnModal(L"frmCommandEditor", [&](HeadlessForm& dialog) {
                check(dialog);
                dialog.Click(L"cmdCancel");
            });
            editor.Click(L"cmdAdd");
            editor.Click(L"cmdCancel");
        });
        main.PressKey(platform::vk::F4);
    }
};

TEST_F(FormTextsTest, TheEnglishFormsShowNoRussianOfTheirOwn) {
    platform::UseLanguage(platform::PickLanguage(L"en", L""));
    int forms = 0;
    OnEachForm([&](HeadlessForm& form) {
        ++forms;
        if (form.Name() != L"frmMain") {  // the menu window's caption is the menu's title
            EXPECT_FALSE(HasCyrillic(form.Caption())) << form.Caption();
        }
        for (const auto& control : form.Controls()) {
            const ui::ControlSpec& spec = control->Spec();
            EXPECT_FALSE(HasCyrillic(spec.caption)) << spec.caption;
            EXPECT_FALSE(HasCyrillic(spec.toolTip)) << spec.toolTip;
        }
    });
    EXPECT_EQ(3, forms);
}

// An access key is the letter after a single "&" in a button's caption (labels show "&" as it is).
TEST_F(FormTextsTest, NoWindowHasTwoControlsWithOneAccessKey) {
    for (const unsigned language : platform::StringTableLanguages()) {
        platform::UseLanguage(language);
        OnEachForm([&](HeadlessForm& form) {
            std::set<wchar_t> keys;
            for (const auto& control : form.Controls()) {
                if (!dynamic_cast<const ui::HeadlessButton*>(control.get())) continue;
                const std::wstring& caption = control->Spec().caption;
                for (size_t i = 0; i + 1 < caption.size(); ++i) {
                    if (caption[i] != L'&') continue;
                    if (caption[++i] == L'&') continue;
                    EXPECT_TRUE(keys.insert(std::towlower(caption[i])).second)
                        << form.Name() << ": " << caption;
                }
            }
        });
        ui::ReleaseMainForm();
    }
}

}  // namespace
