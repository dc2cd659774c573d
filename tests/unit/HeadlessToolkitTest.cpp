// The dispatch rules of the headless toolkit: the form tests stand on them, so each rule the
// Win32 toolkit keeps is pinned here.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/WinConstants.h"
#include "platform/support/WindowHelpers.h"
#include "support/HeadlessFixture.h"

namespace {

using platform::kCtrlMask;
using platform::kShiftMask;
namespace vk = platform::vk;
using ui::HeadlessForm;
using ui::TwipsRect;

// A small dialog: a label, a text box, a list, OK (default) and Cancel (cancel), and a shape.
// Every event it sees is written to `events`.
struct TestDialog {
    std::unique_ptr<ui::Form> form;
    ui::Label* label = nullptr;
    ui::TextBox* text = nullptr;
    ui::ListBox* list = nullptr;
    ui::Button* ok = nullptr;
    ui::Button* cancel = nullptr;
    std::vector<std::string> events;

    explicit TestDialog(bool keyPreview, const std::wstring& name = L"frmTest") {
        form = ui::Tk().CreateForm(
            ui::FormSpec{name, L"Test", 3000, 2000, ui::FormStyle::FixedDialog, keyPreview});
        label = &form->AddLabel({L"lblTag", {60, 60, 600, 210}, L"Label:"});
        text = &form->AddTextBox({L"txtText", {700, 60, 1500, 315}});
        list = &form->AddListBox({L"lstRows", {60, 510, 2010, 990}});
        ok = &form->AddButton({L"cmdOk", {2100, 500, 800, 400}, L"Ok", L"", true, false});
        cancel = &form->AddButton({L"cmdCancel", {2100, 1000, 800, 400}, L"Cancel", L"", false, true});
        form->AddShape({L"shpBack", {-60, -60, 500, 500}});
        for (const wchar_t* row : {L"zero", L"one", L"two"}) list->AddItem(row);

        form->Load = [this] { events.push_back("Load"); };
        form->Resize = [this] { events.push_back("Resize"); };
        form->Paint = [this] { events.push_back("Paint"); };
        form->UnloadEvent = [this] { events.push_back("Unload"); };
        form->KeyDown = [this](int& key, int shift) {
            events.push_back("Form.KeyDown " + std::to_string(key) + "/" + std::to_string(shift));
        };
        text->GotFocus = [this] {
            events.push_back("txtText.GotFocus");
            platform::asTextBoxSelectAll(text->hWnd());
        };
        text->KeyDown = [this](int& key, int) { events.push_back("txtText.KeyDown " + std::to_string(key)); };
        list->GotFocus = [this] { events.push_back("lstRows.GotFocus"); };
        list->KeyDown = [this](int& key, int) { events.push_back("lstRows.KeyDown " + std::to_string(key)); };
        list->DblClick = [this] { events.push_back("lstRows.DblClick " + std::to_string(list->ListIndex())); };
        ok->Click = [this] { events.push_back("cmdOk.Click"); };
        cancel->Click = [this] { events.push_back("cmdCancel.Click"); };
    }

    HeadlessForm& Headless() { return static_cast<HeadlessForm&>(*form); }
    void ClearEvents() { events.clear(); }
};

using Events = std::vector<std::string>;

class HeadlessToolkitTest : public testsupport::HeadlessTest {};

TEST_F(HeadlessToolkitTest, ShowLoadsOnceThenResizesPaintsAndFocusesTheFirstTabStop) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.form->Show();
    EXPECT_EQ(dialog.events, (Events{"Load", "Resize", "Paint", "txtText.GotFocus"}));
    EXPECT_TRUE(dialog.Headless().IsActive());
    EXPECT_EQ(env.windows.FocusedWindow(), dialog.text->hWnd());
    EXPECT_EQ(env.windows.ActiveWindow(), dialog.form->hWnd());
}

TEST_F(HeadlessToolkitTest, FocusGivenDuringLoadTakesEffectWhenTheFormShows) {
    TestDialog dialog(false);
    dialog.form->Load = [&] {
        dialog.list->SetFocus();
        dialog.events.push_back("Load");
    };
    dialog.form->Show();
    EXPECT_EQ(dialog.events, (Events{"Load", "Resize", "Paint", "lstRows.GotFocus"}));
    EXPECT_EQ(env.windows.FocusedWindow(), dialog.list->hWnd());
}

TEST_F(HeadlessToolkitTest, KeyPreviewSeesTheKeyBeforeTheFocusedControl) {
    TestDialog dialog(true);
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().PressKey('C', kCtrlMask);
    EXPECT_EQ(dialog.events, (Events{"Form.KeyDown 67/2", "txtText.KeyDown 67"}));
    EXPECT_EQ(dialog.Headless().Get<ui::HeadlessTextBox>(L"txtText").ReceivedKeys(),
              (std::vector<ui::KeyPress>{{'C', kCtrlMask}}));
}

TEST_F(HeadlessToolkitTest, KeyConsumedByThePreviewGoesNoFurther) {
    TestDialog dialog(true);
    dialog.form->KeyDown = [&](int& key, int) { key = 0; };
    dialog.form->Show();
    dialog.Headless().SelectRow(L"lstRows", 1);
    dialog.ClearEvents();
    dialog.Headless().PressKey(vk::Down);
    dialog.Headless().PressKey(vk::Return);
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.list->ListIndex(), 1);
}

TEST_F(HeadlessToolkitTest, WithoutKeyPreviewTheFormSeesNoKey) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().PressKey('A');
    EXPECT_EQ(dialog.events, (Events{"txtText.KeyDown 65"}));
}

TEST_F(HeadlessToolkitTest, KeyConsumedByTheControlIsNoDialogKey) {
    TestDialog dialog(false);
    dialog.text->KeyDown = [](int& key, int) { key = 0; };
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().PressKey(vk::Return);
    dialog.Headless().PressKey(vk::Tab);
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.Headless().FocusedName(), L"txtText");
}

TEST_F(HeadlessToolkitTest, TabMovesTheFocusInTabOrderSkippingLabelsAndShapesAndWraps) {
    TestDialog dialog(false);
    dialog.form->Show();
    HeadlessForm& form = dialog.Headless();
    std::vector<std::wstring> visited;
    for (int i = 0; i < 4; ++i) {
        form.PressKey(vk::Tab);
        visited.push_back(form.FocusedName());
    }
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"lstRows", L"cmdOk", L"cmdCancel", L"txtText"}));
    form.PressKey(vk::Tab, kShiftMask);
    EXPECT_EQ(form.FocusedName(), L"cmdCancel");
    EXPECT_EQ(env.windows.FocusedWindow(), dialog.cancel->hWnd());
}

TEST_F(HeadlessToolkitTest, EnterPressesTheDefaultButtonUnlessAButtonHasTheFocus) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().PressKey(vk::Return);
    dialog.Headless().Focus(L"cmdCancel");
    dialog.Headless().PressKey(vk::Return);
    EXPECT_EQ(dialog.events,
              (Events{"txtText.KeyDown 13", "cmdOk.Click", "cmdCancel.Click"}));
}

TEST_F(HeadlessToolkitTest, EscPressesTheCancelButtonWhereverTheFocusIs) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.Headless().Focus(L"lstRows");
    dialog.ClearEvents();
    dialog.Headless().PressKey(vk::Escape);
    EXPECT_EQ(dialog.events, (Events{"lstRows.KeyDown 27", "cmdCancel.Click"}));
}

TEST_F(HeadlessToolkitTest, ListMovesItsSelectionWithArrowsHomeAndEndWithinItsRows) {
    TestDialog dialog(false);
    dialog.form->Show();
    HeadlessForm& form = dialog.Headless();
    form.Focus(L"lstRows");
    std::vector<int> rows;
    for (int key : {vk::Down, vk::Down, vk::Down, vk::Up, vk::Home, vk::Up, vk::End}) {
        form.PressKey(key);
        rows.push_back(dialog.list->ListIndex());
    }
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 1, 0, 0, 2}));
}

TEST_F(HeadlessToolkitTest, ModifiersAreHeldWhileTheKeyIsHandledAndReleasedAfter) {
    TestDialog dialog(true);
    bool shiftSeen = false;
    dialog.form->KeyDown = [&](int&, int) { shiftSeen = platform::Env().keyboard.IsKeyDown(vk::Shift); };
    dialog.form->Show();
    dialog.Headless().PressKey(vk::F3, kShiftMask);
    EXPECT_TRUE(shiftSeen);
    EXPECT_FALSE(platform::Env().keyboard.IsKeyDown(vk::Shift));
}

TEST_F(HeadlessToolkitTest, UnloadAskedInsideAHandlerWaitsUntilTheHandlerHasReturned) {
    TestDialog dialog(false);
    bool loadedAfterTheRequest = false;
    dialog.ok->Click = [&] {
        platform::asUnloadForm(dialog.form->hWnd());
        loadedAfterTheRequest = dialog.form->IsLoaded();
        dialog.events.push_back("cmdOk.Click done");
    };
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().Click(L"cmdOk");
    EXPECT_TRUE(loadedAfterTheRequest);
    EXPECT_FALSE(dialog.form->IsLoaded());
    EXPECT_FALSE(dialog.form->IsVisible());
    EXPECT_EQ(dialog.events, (Events{"cmdOk.Click done", "Unload"}));
}

TEST_F(HeadlessToolkitTest, UnloadAskedDuringLoadTakesEffectAfterLoadAndNothingIsShown) {
    TestDialog dialog(false);
    dialog.form->Load = [&] {
        dialog.events.push_back("Load");
        platform::asUnloadForm(dialog.form->hWnd());
    };
    dialog.form->Show();
    EXPECT_EQ(dialog.events, (Events{"Load", "Unload"}));
    EXPECT_FALSE(dialog.form->IsLoaded());
}

TEST_F(HeadlessToolkitTest, UnloadOutsideAnyHandlerIsImmediate) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.form->Unload();
    EXPECT_FALSE(dialog.form->IsLoaded());
    EXPECT_EQ(env.windows.ActiveWindow(), nullptr);
    EXPECT_EQ(env.windows.FocusedWindow(), nullptr);
}

TEST_F(HeadlessToolkitTest, CloseBoxUnloadsTheForm) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().CloseBox();
    EXPECT_EQ(dialog.events, (Events{"Unload"}));
    EXPECT_FALSE(dialog.form->IsLoaded());
}

TEST_F(HeadlessToolkitTest, ModalFormRunsItsScriptWithItsOwnerDisabledAndHandsTheFocusBack) {
    TestDialog owner(false, L"frmOwner");
    TestDialog modal(false, L"frmModal");
    owner.ok->Click = [&] { modal.form->ShowModal(); };
    bool ownerEnabledDuring = true;
    toolkit.OnModal(L"frmModal", [&](HeadlessForm& form) {
        ownerEnabledDuring = owner.Headless().IsEnabled();
        EXPECT_EQ(env.windows.ActiveWindow(), form.hWnd());
        form.Type(L"txtText", L"typed");
        form.PressKey(vk::Return);
    });
    modal.ok->Click = [&] { modal.form->Unload(); };
    owner.form->Show();

    owner.Headless().Click(L"cmdOk");

    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.Headless().IsEnabled());
    EXPECT_FALSE(modal.form->IsLoaded());
    EXPECT_EQ(modal.text->Text(), L"typed");
    EXPECT_EQ(env.windows.ActiveWindow(), owner.form->hWnd());
    EXPECT_EQ(env.windows.FocusedWindow(), owner.ok->hWnd());
}

TEST_F(HeadlessToolkitTest, ModalScriptsAreUsedInTheOrderQueued) {
    TestDialog modal(false, L"frmModal");
    std::vector<int> order;
    toolkit.OnModal(L"frmModal", [&](HeadlessForm& form) { order.push_back(1); form.CloseBox(); });
    toolkit.OnModal(L"frmModal", [&](HeadlessForm& form) { order.push_back(2); form.CloseBox(); });
    modal.form->ShowModal();
    modal.form->ShowModal();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(modal.Headless().LoadCount(), 2);
}

TEST_F(HeadlessToolkitTest, LoadingAgainStartsFromTheDesignState) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.Headless().Type(L"txtText", L"changed");
    dialog.Headless().SelectRow(L"lstRows", 2);
    dialog.label->SetCaption(L"other");
    dialog.form->Move(TwipsRect{300, 300, 5000, 4000});
    dialog.form->Unload();
    EXPECT_EQ(dialog.text->Text(), L"changed") << "state stays readable after the unload";

    dialog.form->Show();
    EXPECT_EQ(dialog.text->Text(), L"");
    EXPECT_EQ(dialog.list->ListCount(), 0);
    EXPECT_EQ(dialog.label->Caption(), L"Label:");
    EXPECT_EQ(dialog.form->ScaleWidth(), 3000);
}

TEST_F(HeadlessToolkitTest, OuterMinusInnerPlusWantedGivesTheWantedClientSize) {
    for (ui::FormStyle style : {ui::FormStyle::Sizable, ui::FormStyle::FixedDialog}) {
        auto form = toolkit.CreateForm(ui::FormSpec{L"frmSized", L"", 1000, 1000, style});
        const TwipsRect outer = form->Bounds();
        form->Move(TwipsRect{outer.left, outer.top, outer.width - form->ScaleWidth() + 3575,
                             outer.height - form->ScaleHeight() + 3410});
        EXPECT_EQ(form->ScaleWidth(), 3575);
        EXPECT_EQ(form->ScaleHeight(), 3410);
        EXPECT_GT(form->Bounds().height, 3410) << "a frame has a caption";
    }
}

TEST_F(HeadlessToolkitTest, ResizeRunsWhenTheClientSizeChangesButNotWhenTheFormOnlyMoves) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.ClearEvents();
    TwipsRect bounds = dialog.form->Bounds();
    bounds.left += 600;
    dialog.form->Move(bounds);
    EXPECT_TRUE(dialog.events.empty());
    bounds.width += 150;
    dialog.form->Move(bounds);
    EXPECT_EQ(dialog.events, (Events{"Resize"}));
}

TEST_F(HeadlessToolkitTest, ControlRefusesANegativeSizeAndKeepsItsBounds) {
    TestDialog dialog(false);
    const TwipsRect before = dialog.list->Bounds();
    EXPECT_THROW(dialog.list->Move(TwipsRect{100, 100, -10, 50}), std::invalid_argument);
    EXPECT_EQ(dialog.list->Bounds(), before);
}

TEST_F(HeadlessToolkitTest, WindowSystemCallsByHandleReachTheControls) {
    TestDialog dialog(false);
    dialog.form->Show();
    platform::WindowSystem& windows = platform::Env().windows;
    windows.SetText(dialog.text->hWnd(), L"abc");
    EXPECT_EQ(dialog.text->Text(), L"abc");
    windows.SelectAllText(dialog.text->hWnd());
    EXPECT_EQ(dialog.Headless().Get<ui::HeadlessTextBox>(L"txtText").SelLength(), 3u);
    EXPECT_EQ(windows.GetText(dialog.form->hWnd()), L"Test");
    dialog.ClearEvents();
    windows.PressButton(dialog.cancel->hWnd());
    EXPECT_EQ(dialog.events, (Events{"cmdCancel.Click"}));
    windows.SetFocus(dialog.list->hWnd());
    EXPECT_EQ(dialog.Headless().FocusedName(), L"lstRows");
    windows.RequestUnload(dialog.form->hWnd());
    EXPECT_FALSE(dialog.form->IsLoaded());
}

TEST_F(HeadlessToolkitTest, ControlRectangleIsItsTwipsOffsetFromTheClientAreaInPixels) {
    TestDialog dialog(false);
    dialog.form->Move(TwipsRect{1500, 3000, 4000, 3000});
    const platform::PixelRect list = env.windows.WindowRect(dialog.list->hWnd());
    const ui::FrameTwips frame = ui::FrameOf(ui::FormStyle::FixedDialog);
    EXPECT_EQ(list.left, (1500 + frame.left + 60) / 15);
    EXPECT_EQ(list.top, (3000 + frame.top + 510) / 15);
    EXPECT_EQ(list.Width(), 2010 / 15);
    EXPECT_EQ(list.Height(), 990 / 15);
}

TEST_F(HeadlessToolkitTest, PixelSizeFollowsTheFormsDpi) {
    TestDialog dialog(false);
    dialog.Headless().SetDpi(144);
    const platform::PixelRect rect = env.windows.WindowRect(dialog.form->hWnd());
    EXPECT_EQ(rect.Width(), dialog.form->Bounds().width * 144 / 1440);
}

TEST_F(HeadlessToolkitTest, TypingReplacesTheSelectionThatGotFocusMade) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.Headless().SetText(L"txtText", L"old text");
    dialog.Headless().Focus(L"lstRows");
    dialog.Headless().Type(L"txtText", L"new");
    EXPECT_EQ(dialog.text->Text(), L"new");
    dialog.Headless().Type(L"txtText", L" more");
    EXPECT_EQ(dialog.text->Text(), L"new more");
}

TEST_F(HeadlessToolkitTest, DoubleClickSelectsTheRowThenRunsDblClick) {
    TestDialog dialog(false);
    dialog.form->Show();
    dialog.ClearEvents();
    dialog.Headless().DoubleClick(L"lstRows", 2);
    dialog.Headless().DoubleClick(L"lstRows", -1);
    EXPECT_EQ(dialog.events,
              (Events{"lstRows.GotFocus", "lstRows.DblClick 2", "lstRows.DblClick 2"}));
}

TEST_F(HeadlessToolkitTest, MessageLoopRunsItsScriptUntilTheLastFormHasUnloaded) {
    TestDialog dialog(false);
    dialog.form->Show();
    toolkit.OnMessageLoop([&] { dialog.Headless().PressKey(vk::Escape); });
    dialog.cancel->Click = [&] { dialog.form->Unload(); };
    toolkit.RunMessageLoop();
    EXPECT_FALSE(dialog.form->IsLoaded());
}

// The failures below are what a test script did wrong; they must fail loudly, not hang or pass.
// They run on their own environment, outside the fixture that would report them.
class HeadlessScriptFailures : public ::testing::Test {
protected:
    platform::HeadlessEnvironment env;
    ui::HeadlessToolkit toolkit{env};
    platform::ScopedEnvironment environmentScope{env.Get()};
    ui::ScopedToolkit toolkitScope{toolkit};
};

TEST_F(HeadlessScriptFailures, ModalFormWithoutAScriptFails) {
    TestDialog modal(false, L"frmModal");
    EXPECT_THROW(modal.form->ShowModal(), platform::HeadlessScriptError);
    EXPECT_EQ(env.Log().Failures().size(), 1u);
}

TEST_F(HeadlessScriptFailures, ModalScriptThatLeavesTheFormOpenFails) {
    TestDialog owner(false, L"frmOwner");
    TestDialog modal(false, L"frmModal");
    owner.form->Show();
    toolkit.OnModal(L"frmModal", [](HeadlessForm& form) { form.Type(L"txtText", L"x"); });
    EXPECT_THROW(modal.form->ShowModal(), platform::HeadlessScriptError);
    EXPECT_TRUE(owner.Headless().IsEnabled()) << "the owner is enabled again";
}

TEST_F(HeadlessScriptFailures, FailureSwallowedByTheCodeUnderTestStaysInTheLog) {
    TestDialog modal(false, L"frmModal");
    try {
        modal.form->ShowModal();
    } catch (...) {
    }
    EXPECT_FALSE(env.Log().Failures().empty());
}

TEST_F(HeadlessScriptFailures, ActingOnAFormBehindAModalFormIsRefused) {
    TestDialog owner(false, L"frmOwner");
    TestDialog modal(false, L"frmModal");
    owner.form->Show();
    bool refused = false;
    toolkit.OnModal(L"frmModal", [&](HeadlessForm& form) {
        try {
            owner.Headless().Click(L"cmdOk");
        } catch (const platform::HeadlessScriptError&) {
            refused = true;
        }
        form.CloseBox();
    });
    modal.form->ShowModal();
    EXPECT_TRUE(refused);
    EXPECT_EQ(owner.events, (Events{"Load", "Resize", "Paint", "txtText.GotFocus", "txtText.GotFocus"}));
}

TEST_F(HeadlessScriptFailures, ActingOnAHiddenFormIsRefused) {
    TestDialog dialog(false);
    EXPECT_THROW(dialog.Headless().Click(L"cmdOk"), platform::HeadlessScriptError);
    EXPECT_THROW(dialog.Headless().PressKey(vk::Return), platform::HeadlessScriptError);
}

TEST_F(HeadlessScriptFailures, MessageLoopWithAFormStillOpenFails) {
    TestDialog dialog(false);
    dialog.form->Show();
    EXPECT_THROW(toolkit.RunMessageLoop(), platform::HeadlessScriptError);
}

TEST_F(HeadlessScriptFailures, UnknownControlNameFails) {
    TestDialog dialog(false);
    dialog.form->Show();
    EXPECT_THROW(dialog.Headless().Click(L"cmdMissing"), platform::HeadlessScriptError);
    EXPECT_THROW(dialog.Headless().Click(L"txtText"), platform::HeadlessScriptError);
}

}  // namespace
