// The real list box: rows found by typing.
#include <windows.h>

#include <string>

#include "Win32Fixture.h"

namespace {

class ListBoxInputTest : public testsupport::Win32Test {
protected:
    ListBoxInputTest() {
        ui::ControlSpec spec;
        spec.bounds = {600, 600, 3000, 2400};
        list = &form->AddListBox(spec);
        for (const wchar_t* row : {L"Блокнот", L"Корзина", L"Командная строка"}) list->AddItem(row);
        form->Show();
        list->SetListIndex(0);
        Pump();
    }

    HWND ListWindow() const { return static_cast<HWND>(list->hWnd()); }

    std::unique_ptr<ui::Form> form = MakeForm(ui::FormStyle::FixedDialog);
    ui::ListBox* list = nullptr;
};

TEST_F(ListBoxInputTest, TypedCharactersFindARowByAWordOfItsTitle) {
    for (wchar_t typed : std::wstring(L"СТР")) PostMessageW(ListWindow(), WM_CHAR, typed, 1);
    Pump();
    EXPECT_EQ(list->ListIndex(), 2);
}

}  // namespace
