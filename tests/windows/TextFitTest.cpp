// The forms keep their size and layout in every language, so each text has to fit the room its
// control has: measured in the forms' font at 96, 120 and 144 dpi against that room, as the
// Win32 toolkit lays the forms out (twips to pixels at the window's DPI).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/modAppWindowTitle.h"
#include "platform/texts/StringTables.h"
#include "platform/texts/Texts.h"
#include "platform/win32/Dpi.h"
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

// A push button draws its text inside its edges and focus rectangle, about 4 pixels a side.
constexpr int kButtonFrame = 8;

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
            rooms.push_back({where, spec.caption, room, 0});
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
                const int available = ui::TwipsToPixels(caption.twips, dpi) - caption.frame * button;
                EXPECT_LE(TextWidth(dc, font, caption.text), available)
                    << caption.where << " \"" << caption.text << "\" at " << dpi << " dpi";
            }
            DeleteObject(font);
        }
    }
    DeleteDC(dc);
}

}  // namespace
