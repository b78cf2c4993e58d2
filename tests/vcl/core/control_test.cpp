#include "vcl/controls/panel.h"
#include "vcl/core/custom_control.h"
#include "vcl/core/forms.h"
#include "vcl/core/graphic_control.h"
#include "vcl/core/hint_window.h"
#include "vcl/core/timer.h"

#include "../vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

TOwnedPtr<TForm> MakeForm(int width = 400, int height = 300) {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, width, height);
    return form;
}

class TCountingControl : public TCustomControl {
public:
    explicit TCountingControl(TComponent* AOwner) : TCustomControl(AOwner) {
        OnClick = [this](TObject*) { ++Clicks; };
        OnDblClick = [this](TObject*) { ++DoubleClicks; };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState shift, int, int) {
            ++Downs;
            LastDownWasDouble = shift.Contains(ssDouble);
        };
    }
    int Clicks = 0;
    int DoubleClicks = 0;
    int Downs = 0;
    bool LastDownWasDouble = false;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
        Canvas()->Pen()->SetColor(clBlue);
        Canvas()->MoveTo(Width() / 2, 0);
        Canvas()->LineTo(Width() / 2, Height());
    }
};

class TMarker : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Clicks = 0;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(ClientRect());
    }
    void Click() override { ++Clicks; }
};

} // namespace

TEST(Controls, AlignLaysOutChildrenAndFollowsResize) {
    auto form = MakeForm(400, 300);
    auto* top = new TCountingControl(form.get());
    top->SetHeight(30);
    top->SetAlign(alTop);
    top->SetParent(form.get());
    auto* top2 = new TCountingControl(form.get());
    top2->SetBounds(0, 100, 10, 20);
    top2->SetAlign(alTop);
    top2->SetParent(form.get());
    auto* bottom = new TCountingControl(form.get());
    bottom->SetHeight(40);
    bottom->SetAlign(alBottom);
    bottom->SetParent(form.get());
    auto* left = new TCountingControl(form.get());
    left->SetWidth(50);
    left->SetAlign(alLeft);
    left->SetParent(form.get());
    auto* client = new TCountingControl(form.get());
    client->SetAlign(alClient);
    client->SetParent(form.get());
    auto* anchored = new TCountingControl(form.get());
    anchored->SetParent(form.get());
    anchored->SetBounds(300, 200, 50, 20);
    anchored->SetAnchors({akRight, akBottom});
    form->HandleNeeded();

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 30, 400, 50));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 260, 400, 300));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 50, 50, 260));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 50, 400, 260));

    form->SetBounds(0, 0, 500, 350);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 310, 500, 350));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 50, 500, 310));
    EXPECT_EQ(anchored->BoundsRect(), Rect(400, 250, 450, 270));
    RECT r;
    GetWindowRect(client->Handle(), &r);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(FromRECT(r), client->BoundsRect());

    // A hidden strip gives its room back.
    top2->Hide();
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 310));
}

TEST(Controls, ClickNeedsPressAndReleaseInside) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    c->SetBounds(10, 10, 100, 50);
    form->HandleNeeded();

    SendMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(c, WM_LBUTTONUP, 6, 6);
    EXPECT_EQ(c->Clicks, 1);

    SendMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(c, WM_LBUTTONUP, 150, 6); // released outside (the capture brings it here)
    EXPECT_EQ(c->Clicks, 1);

    // A release inside after a press elsewhere is no click.
    SendMouse(c, WM_LBUTTONUP, 6, 6);
    EXPECT_EQ(c->Clicks, 1);
    EXPECT_FALSE(c->MouseCapture());
}

TEST(Controls, DoubleClicksOnlyWhereAskedFor) {
    auto form = MakeForm();
    auto* asks = new TCountingControl(form.get());
    asks->SetParent(form.get());
    asks->SetBounds(0, 0, 50, 50);
    auto* plain = new TCountingControl(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(60, 0, 50, 50);
    plain->SetControlStyle(plain->ControlStyle() - TControlStyle{csDoubleClicks});
    form->HandleNeeded();

    for (TCountingControl* c : {asks, plain}) {
        SendMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        SendMouse(c, WM_LBUTTONUP, 5, 5);
        SendMouse(c, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
        SendMouse(c, WM_LBUTTONUP, 5, 5);
    }
    EXPECT_EQ(asks->DoubleClicks, 1);
    EXPECT_TRUE(asks->LastDownWasDouble);
    EXPECT_EQ(plain->DoubleClicks, 0);
    EXPECT_EQ(plain->Downs, 2); // the second press of the pair
    EXPECT_FALSE(plain->LastDownWasDouble);
    EXPECT_EQ(plain->Clicks, 2);
}

TEST(Controls, GraphicChildrenGetTheirParentsMouseAndPaint) {
    auto form = MakeForm(100, 60);
    form->SetColor(clWhite);
    auto* marker = new TMarker(form.get());
    marker->SetParent(form.get());
    marker->SetBounds(20, 10, 30, 20);
    SendMouse(marker, WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    SendMouse(marker, WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(marker->Clicks, 1);

    TPaintedPixels pixels(form.get(), 100, 60);
    EXPECT_EQ(pixels.At(5, 5), 0xFFFFFFu);
    EXPECT_EQ(pixels.At(25, 15), 0x00FF00u);
    EXPECT_EQ(pixels.At(49, 29), 0x00FF00u);
    EXPECT_EQ(pixels.At(50, 30), 0xFFFFFFu);
}

TEST(Controls, PaintIntoTheContextOfWmPaint) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, 40, 20);
    c->SetDoubleBuffered(true);
    TPaintedPixels pixels(c, 40, 20);
    EXPECT_EQ(pixels.At(3, 3), 0xFF0000u);
    EXPECT_EQ(pixels.At(20, 10), 0x0000FFu);
}

TEST(Controls, FontAndColorFollowTheParentUntilSetOwn) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    form->Font()->SetName("Arial");
    form->SetColor(clYellow);
    EXPECT_EQ(c->Font()->Name(), "Arial");
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_EQ(c->Font()->Charset(), 204);
    c->Font()->SetSize(14);
    EXPECT_FALSE(c->ParentFont());
    form->Font()->SetName("Tahoma");
    EXPECT_EQ(c->Font()->Name(), "Arial");
}

TEST(Controls, MouseEnterAndLeaveComeFromTracking) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, 50, 50);
    int enters = 0, leaves = 0;
    c->OnMouseEnter = [&](TObject*) { ++enters; };
    c->OnMouseLeave = [&](TObject*) { ++leaves; };
    SendMouse(c, WM_MOUSEMOVE, 5, 5);
    SendMouse(c, WM_MOUSEMOVE, 6, 6);
    EXPECT_EQ(enters, 1);
    SendMessageW(c->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(leaves, 1);
}

TEST(Controls, KeysReachTheFormFirstWithKeyPreview) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    std::vector<std::string> seen;
    form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        seen.push_back("form");
        if (key == VK_F5)
            key = 0;
    };
    c->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { seen.push_back("control"); };
    c->OnKeyPress = [&](TObject*, char& key) { seen.push_back(std::string("press ") + key); };
    SendMessageW(c->Handle(), WM_KEYDOWN, VK_F4, 0);
    EXPECT_EQ(seen, std::vector<std::string>{"control"});
    form->SetKeyPreview(true);
    seen.clear();
    SendMessageW(c->Handle(), WM_KEYDOWN, VK_F4, 0);
    SendMessageW(c->Handle(), WM_KEYDOWN, VK_F5, 0);
    SendMessageW(c->Handle(), WM_CHAR, L'ж', 0);
    std::vector<std::string> expected = {"form", "control", "form", "press ж"};
    EXPECT_EQ(seen, expected);
}

TEST(Controls, ExceptionsInHandlersAreShownNotPropagated) {
    auto form = MakeForm();
    auto* c = new TCountingControl(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, 20, 20);
    c->OnClick = [](TObject*) { throw Exception("Broken handler"); };
    std::vector<std::string> shown;
    Application->OnException = [&](TObject*, std::exception_ptr e) {
        shown.push_back(ExceptionMessage(e));
    };
    SendMouse(c, WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
    SendMouse(c, WM_LBUTTONUP, 1, 1);
    Application->OnException = nullptr;
    EXPECT_EQ(shown, std::vector<std::string>{"Broken handler"});
}

TEST(Controls, TimerFiresWhileEnabled) {
    auto timer = MakeOwned<TTimer>();
    int fired = 0;
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) {
        if (++fired == 3)
            timer->SetEnabled(false);
    });
    ASSERT_TRUE(RunMessagesUntil([&] { return fired >= 3; }));
    EXPECT_FALSE(timer->Enabled());
    RunMessagesFor(60); // three more intervals: a timer still running would fire again
    EXPECT_EQ(fired, 3);
}

TEST(Controls, ColourFontAndHintsFollowTheParentThroughNestedControlsUntilSetOwn) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* c = new TCountingControl(form.get());
    c->SetParent(panel);
    form->SetShowHint(true);
    form->SetColor(clAqua);
    form->Font()->SetName("Arial");
    EXPECT_TRUE(c->ShowHint());
    EXPECT_EQ(c->Color(), clAqua);
    EXPECT_EQ(c->Font()->Name(), "Arial");

    // A value of its own, even the parent's, ends following; asking to follow takes it again.
    c->SetColor(clAqua);
    c->SetShowHint(true);
    EXPECT_FALSE(c->ParentColor());
    EXPECT_FALSE(c->ParentShowHint());
    form->SetColor(clLime);
    form->SetShowHint(false);
    EXPECT_EQ(panel->Color(), clLime);
    EXPECT_EQ(c->Color(), clAqua);
    EXPECT_TRUE(c->ShowHint());
    c->SetParentColor(true);
    c->SetParentShowHint(true);
    EXPECT_EQ(c->Color(), clLime);
    EXPECT_FALSE(c->ShowHint());

    // A new parent hands its values over.
    auto* other = new TPanel(form.get());
    other->SetParent(form.get());
    other->SetColor(clYellow);
    other->SetShowHint(true);
    c->SetParent(other);
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_TRUE(c->ShowHint());
}

TEST(Controls, AHintWindowStaysOnTheDesktopWhereItIsAskedToLeaveIt) {
    TOwnedPtr<THintWindow> hint(CreateComponent<THintWindow>(nullptr));
    const int right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    auto shownAt = [&](const TRect& asked) {
        hint->ActivateHint(asked, "hint");
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(hint->Handle(), &r);
        return r;
    };
    // Past the right edge and past the bottom: moved left and up, the frame on the desktop too.
    RECT r = shownAt(Rect(right - 100, 300, right + 319, 320));
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.top, 300);
    EXPECT_GE(r.right - r.left, 419);
    r = shownAt(Rect(200, bottom - 10, 300, bottom + 10));
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(r.left, 200);
    // Left of the desktop or above it: moved right and down.
    r = shownAt(Rect(-50, -30, 50, -10));
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    // One that fits stays where it was asked.
    r = shownAt(Rect(400, 500, 480, 520));
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 500);
}

TEST(Controls, AHintWindowLetsThePointerThroughToTheWindowBelow) {
    TOwnedPtr<TForm> form = MakeForm();
    form->Show();
    Application->ProcessMessages();
    TOwnedPtr<THintWindow> hint(CreateComponent<THintWindow>(nullptr));
    const TPoint at = form->ClientToScreen(Point(50, 50));
    hint->ActivateHint(Rect(at.X - 10, at.Y - 10, at.X + 60, at.Y + 10), "over the form");
    Application->ProcessMessages();
    ASSERT_TRUE(IsWindowVisible(hint->Handle()));
    // The window under the pointer is the form's, so it keeps the mouse and the hint stays.
    HWND under = WindowFromPoint(POINT{at.X, at.Y});
    EXPECT_NE(under, hint->Handle());
    EXPECT_EQ(under, form->Handle());
}
