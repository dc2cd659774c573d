// The forms keep their size and layout in every language, so each text has to fit the room its
// control has: measured in the forms' font at 96, 120 and 144 dpi against that room, as the
// Win32 toolkit lays the forms out (twips to pixels at the window's DPI); and each label, made
// for real and drawn by the system, shows its whole text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/modAppWindowTitle.h"
#include "platform/texts/StringTables.h"
#include "platform/texts/Texts.h"
#include "platform/win32/Dpi.h"
#include "Win32Fixture.h"
#include "support/FormFixture.h"
#include "ui/editors/frmCommandEditor.h"
#include "ui/editors/frmCommandsEditor.h"
#include "ui/headless/HeadlessControls.h"
#include "ui/win32/FormFont.h"
#include "ui/win32/Twips.h"

namespace {

// A text and the room it has, in twips; `frame` is taken off that room in pixels, at the DPI.
struct Room {
    std::wstring where;
    std::wstring text;
    int twips = 0;
    int frame = 0;
};

// A push button draws its text inside its edges and focus rectangle, about 4 pixels a side; an
// auto-sized label adds half a character (some 3 pixels) to its text.
constexpr int kButtonFrame = 8;
constexpr int kLabelFrame = 3;

// An auto-sized label has the room up to the next control to its right in its row, else up to
// the form's edge.
int LabelRoom(const ui::HeadlessForm& form, const ui::TwipsRect& label) {
    int right = form.Spec().clientWidth;
    for (const auto& control : form.Controls()) {
        const ui::TwipsRect other = control->Spec().bounds;
        const bool sameRow =
            other.top < label.top + label.height && label.top < other.top + other.height;
        if (sameRow && other.left > label.left && other.left < right) right = other.left;
    }
    return right - label.left;
}

std::vector<Room> RoomsOf(const ui::HeadlessForm& form) {
    std::vector<Room> rooms;
    for (const auto& control : form.Controls()) {
        const ui::ControlSpec& spec = control->Spec();
        const std::wstring where = form.Name() + L"." + spec.name;
        if (spec.caption.empty()) continue;
        if (dynamic_cast<const ui::HeadlessButton*>(control.get())) {
            rooms.push_back({where, spec.caption, spec.bounds.width, kButtonFrame});
        } else if (dynamic_cast<const ui::HeadlessLabel*>(control.get())) {
            const int room = spec.autoSize ? LabelRoom(form, spec.bounds) : spec.bounds.width;
            rooms.push_back({where, spec.caption, room, kLabelFrame});
        }
    }
    return rooms;
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    return size.cx;
}

class TextFitTest : public testsupport::FormTest {
protected:
    // Every text of the three forms with its room, in the language now chosen.
    std::vector<Room> Rooms() {
        ui::frmCommandsEditor menuEditor;
        ui::frmCommandEditor commandEditor(menuEditor);
        ui::HeadlessForm& menuForm = toolkit.FormNamed(L"frmCommandsEditor");
        ui::HeadlessForm& commandForm = toolkit.FormNamed(L"frmCommandEditor");
        std::vector<Room> rooms = RoomsOf(menuForm);
        for (Room& room : RoomsOf(commandForm)) rooms.push_back(room);
        return rooms;
    }

    // The captions, in the caption font, beside the caption's buttons: the close box of a
    // dialog, three of them for the menu window.
    std::vector<Room> Captions() {
        using platform::Text;
        ui::frmCommandsEditor menuEditor;
        ui::frmCommandEditor commandEditor(menuEditor);
        const int menuEditorWidth = toolkit.FormNamed(L"frmCommandsEditor").Spec().clientWidth;
        const int commandEditorWidth = toolkit.FormNamed(L"frmCommandEditor").Spec().clientWidth;
        constexpr int kMenuWindowWidth = 3575;
        return {{L"menu editor", app::ComposeDocumentTitle(Text(IDS_MENU_EDITOR_CAPTION), L"",
                                                          Text(IDS_UNTITLED_DOCUMENT)),
                 menuEditorWidth, 2},
                {L"command editor", Text(IDS_COMMAND_EDITOR_CAPTION), commandEditorWidth, 2},
                {L"menu window", Text(IDS_MENU_UNTITLED), kMenuWindowWidth, 4}};
    }
};

TEST_F(TextFitTest, EveryLabelAndButtonShowsItsTextWholeAtEachDpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const unsigned language : platform::StringTableLanguages()) {
        platform::UseLanguage(language);
        const std::vector<Room> rooms = Rooms();
        ASSERT_GT(rooms.size(), 20u);
        for (const int dpi : {96, 120, 144}) {
            ui::FormFont font;
            font.Create(dpi);
            for (const Room& room : rooms) {
                const int available = ui::TwipsToPixels(room.twips, dpi) -
                                      MulDiv(room.frame, dpi, 96);
                EXPECT_LE(TextWidth(dc, font.Get(), room.text), available)
                    << room.where << " \"" << room.text << "\" at " << dpi << " dpi";
            }
        }
    }
    DeleteDC(dc);
}

TEST_F(TextFitTest, EveryCaptionShowsWholeAtEachDpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const unsigned language : platform::StringTableLanguages()) {
        platform::UseLanguage(language);
        for (const int dpi : {96, 120, 144}) {
            const NONCLIENTMETRICSW metrics = platform::NonClientMetricsForDpi(dpi);
            HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
            const int button = platform::SystemMetricForDpi(SM_CXSIZE, dpi);
            for (const Room& caption : Captions()) {
                const int available =
                    ui::TwipsToPixels(caption.twips, dpi) - caption.frame * button;
                EXPECT_LE(TextWidth(dc, font, caption.text), available)
                    << caption.where << " \"" << caption.text << "\" at " << dpi << " dpi";
            }
            DeleteObject(font);
        }
    }
    DeleteDC(dc);
}

// What the control draws of itself into a bitmap of width x height.
std::vector<DWORD> Drawn(HWND control, int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> copy(pixels, pixels + static_cast<size_t>(width) * height);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return copy;
}

BOOL CALLBACK AddLabel(HWND window, LPARAM labels) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpiW(className, L"Static") == 0 && GetWindowTextLengthW(window) > 0) {
        reinterpret_cast<std::vector<HWND>*>(labels)->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK AddLabelsOf(HWND form, LPARAM labels) {
    EnumChildWindows(form, AddLabel, labels);
    return TRUE;
}

using DrawnLabelsTest = testsupport::Win32Test;

// Drawn with 20 pixels to spare, a label draws nothing more than at its own width, and nothing
// in those 20 pixels: its width holds all its text.
TEST_F(DrawnLabelsTest, EveryLabelOfTheFormsShowsItsWholeText) {
    for (const unsigned language : platform::StringTableLanguages()) {
        platform::UseLanguage(language);
        ui::frmCommandsEditor menuEditor;
        ui::frmCommandEditor commandEditor(menuEditor);
        std::vector<HWND> labels;
        EnumThreadWindows(GetCurrentThreadId(), AddLabelsOf, reinterpret_cast<LPARAM>(&labels));
        ASSERT_EQ(7u, labels.size());
        for (HWND label : labels) {
            const RECT rect = RectInParent(label);
            const int width = rect.right - rect.left, height = rect.bottom - rect.top;
            const std::vector<DWORD> own = Drawn(label, width, height);
            SetWindowPos(label, nullptr, 0, 0, width + 20, height, SWP_NOMOVE | SWP_NOZORDER);
            const std::vector<DWORD> spare = Drawn(label, width + 20, height);
            SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
            int differing = 0, beyond = 0;
            for (int y = 0; y < height; ++y) {
                const DWORD* spareRow = &spare[static_cast<size_t>(y) * (width + 20)];
                for (int x = 0; x < width; ++x) differing += own[y * width + x] != spareRow[x];
                for (int x = width; x < width + 20; ++x) {
                    beyond += spareRow[x] != spareRow[width + 19];
                }
            }
            wchar_t text[64] = L"";
            GetWindowTextW(label, text, 64);
            EXPECT_EQ(0, differing) << text;
            EXPECT_EQ(0, beyond) << text << " is drawn past its width";
        }
    }
}

}  // namespace
