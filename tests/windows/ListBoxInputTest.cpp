// The real list box: rows found by typing, files dropped on its form and pasted.
#include <windows.h>

#include <vector>

#include "Win32Fixture.h"

namespace {

using Files = std::vector<std::wstring>;

class ListBoxInputTest : public testsupport::Win32Test {
protected:
    ListBoxInputTest() {
        ui::ControlSpec spec;
        spec.bounds = {600, 600, 3000, 2400};
        list = &form->AddListBox(spec);
        for (const wchar_t* row : {L"Блокнот", L"Корзина", L"Командная строка"}) list->AddItem(row);
        list->FilesDropped = [this](const Files& files, int row) {
            dropped = files;
            droppedRow = row;
        };
        form->Show();
        list->SetListIndex(0);
        Pump();
    }

    HWND Window() const { return static_cast<HWND>(form->hWnd()); }
    HWND ListWindow() const { return static_cast<HWND>(list->hWnd()); }

    // The point `y` pixels into row `row` of the list, in the form's client coordinates.
    POINT InRow(int row, int y = 2) const {
        RECT item{};
        SendMessageW(ListWindow(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        POINT point{item.left + 5, item.top + y};
        MapWindowPoints(ListWindow(), Window(), &point, 1);
        return point;
    }

    void Drop(const Files& files, POINT point) {
        PostMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(testsupport::MakeDrop(files, point)), 0);
        Pump();
    }

    std::unique_ptr<ui::Form> form = MakeForm(ui::FormStyle::FixedDialog);
    ui::ListBox* list = nullptr;
    Files dropped;
    int droppedRow = -1;
};

TEST_F(ListBoxInputTest, TypedCharactersFindARowByAWordOfItsTitle) {
    for (wchar_t typed : std::wstring(L"СТР")) PostMessageW(ListWindow(), WM_CHAR, typed, 1);
    Pump();
    EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListBoxInputTest, AFormWhoseListTakesDropsAcceptsFilesAndGivesTheRowUnderThePointer) {
    EXPECT_TRUE(GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const Files files{L"C:\\Папка\\Отчёт.docx", L"C:\\Фото"};
    Drop(files, InRow(1, 10));
    EXPECT_EQ(dropped, files);
    EXPECT_EQ(droppedRow, 1);

    RECT client{};
    GetClientRect(ListWindow(), &client);
    POINT belowTheRows{5, client.bottom - 3};
    MapWindowPoints(ListWindow(), Window(), &belowTheRows, 1);
    Drop(files, belowTheRows);
    EXPECT_EQ(droppedRow, 3);
    droppedRow = -1;
    Drop(files, POINT{2, 2});  // on the form, off the list
    EXPECT_EQ(droppedRow, 3);
}

TEST_F(ListBoxInputTest, AFormBehindAModalOneTakesNoDrop) {
    EnableWindow(Window(), FALSE);
    Drop({L"C:\\a.txt"}, InRow(0));
    EnableWindow(Window(), TRUE);
    EXPECT_TRUE(dropped.empty());
}

TEST_F(ListBoxInputTest, TheClipboardGivesTheFilesCopiedInTheShell) {
    const Files files{L"C:\\Папка\\Отчёт.docx", L"C:\\Фото"};
    ASSERT_TRUE(OpenClipboard(Window()));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, testsupport::MakeDrop(files, POINT{}));
    CloseClipboard();
    EXPECT_EQ(list->ClipboardFiles(), files);
    ASSERT_TRUE(OpenClipboard(Window()));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(list->ClipboardFiles().empty());
}

}  // namespace
