#include "vcl/core/custom_control.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/forms.h"

#include "../vcl_test_support.h"
#include "support/message_capture.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

int FreedObjects = 0;
int FinishedCalls = 0;

// A drag object that carries a text and frees itself when the drag ends, as the program's do.
class TCarriedText : public TDragObject {
public:
    explicit TCarriedText(std::string text) : Text(std::move(text)) {}
    ~TCarriedText() override { ++FreedObjects; }
    void Finished(TObject* Target, int X, int Y, bool Accepted) override {
        TDragObject::Finished(Target, X, Y, Accepted);
        FinishedAccepted = Accepted;
        ++FinishedCalls;
        delete this;
    }
    std::string Text;
    static bool FinishedAccepted;
};
bool TCarriedText::FinishedAccepted = false;

TOwnedPtr<TForm> ShownForm(int left) {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(left, 0, 200, 200);
    form->Show();
    return form;
}

TCustomControl* Child(TForm* form) {
    auto* c = new TCustomControl(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 150, 150);
    return c;
}

} // namespace

TEST(DragDrop, ADragFromOneFormIsDroppedOnAnother) {
    auto formA = ShownForm(0);
    auto formB = ShownForm(300);
    TCustomControl* source = Child(formA.get());
    TCustomControl* target = Child(formB.get());
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = [](TObject*, TDragObject*& object) {
        object = new TCarriedText("OpenSessions");
    };
    std::vector<std::string> seen;
    target->OnDragOver = [&](TObject*, TObject* src, int, int, TDragState state, bool& accept) {
        accept = dynamic_cast<TCarriedText*>(src) != nullptr;
        if (state == dsDragEnter)
            seen.push_back("enter");
    };
    target->OnDragDrop = [&](TObject*, TObject* src, int x, int y) {
        seen.push_back("drop " + static_cast<TCarriedText*>(src)->Text + " at " +
                       std::to_string(x) + "," + std::to_string(y));
    };
    TObject* endTarget = nullptr;
    source->OnEndDrag = [&](TObject*, TObject* t, int, int) { endTarget = t; };
    FreedObjects = 0;

    ASSERT_TRUE(DragAcross(source, Point(300 + 10 + 40, 10 + 30)));

    std::vector<std::string> expected = {"enter", "drop OpenSessions at 40,30"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(endTarget, target);
    EXPECT_EQ(FreedObjects, 1);
    EXPECT_TRUE(TCarriedText::FinishedAccepted);
    EXPECT_EQ(TDragManager::Source(), nullptr);
    EXPECT_NE(GetCapture(), source->Handle());
}

TEST(DragDrop, ARefusedDropEndsTheDragWithoutDropping) {
    auto formA = ShownForm(0);
    auto formB = ShownForm(300);
    TCustomControl* source = Child(formA.get());
    TCustomControl* target = Child(formB.get());
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = [](TObject*, TDragObject*& object) { object = new TCarriedText("x"); };
    bool dropped = false;
    target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
        accept = false;
    };
    target->OnDragDrop = [&](TObject*, TObject*, int, int) { dropped = true; };
    FreedObjects = 0;
    ASSERT_TRUE(DragAcross(source, Point(350, 50)));
    EXPECT_FALSE(dropped);
    EXPECT_EQ(FreedObjects, 1);
    EXPECT_FALSE(TCarriedText::FinishedAccepted);
}

TEST(DragDrop, WithoutAnObjectTheSourceControlIsDragged) {
    auto form = ShownForm(0);
    TCustomControl* source = Child(form.get());
    source->SetBounds(0, 0, 50, 50);
    auto* target = new TCustomControl(form.get());
    target->SetParent(form.get());
    target->SetBounds(100, 100, 50, 50);
    source->SetDragMode(dmAutomatic);
    TObject* dropSource = nullptr;
    target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
        accept = true;
    };
    target->OnDragDrop = [&](TObject*, TObject* src, int, int) { dropSource = src; };
    ASSERT_TRUE(DragAcross(source, Point(120, 120)));
    EXPECT_EQ(dropSource, source);
}

namespace {

// A drag from a control of one form held over an accepting control of another, the button still
// down; what ends it is up to each test.
struct THeldDrag {
    TOwnedPtr<TForm> FormA = ShownForm(0);
    TOwnedPtr<TForm> FormB = ShownForm(300);
    TCustomControl* Source = Child(FormA.get());
    TCustomControl* Target = Child(FormB.get());
    TPoint OverTarget = Point(350, 50);
    HWND Capture = nullptr;
    int EndDragCalls = 0;
    int Drops = 0;

    THeldDrag() {
        Source->SetDragMode(dmAutomatic);
        Source->OnStartDrag = [](TObject*, TDragObject*& object) {
            object = new TCarriedText("x");
        };
        Source->OnEndDrag = [this](TObject*, TObject*, int, int) { ++EndDragCalls; };
        Target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
            accept = true;
        };
        Target->OnDragDrop = [this](TObject*, TObject*, int, int) { ++Drops; };
        FreedObjects = 0;
        FinishedCalls = 0;
        TCarriedText::FinishedAccepted = true;
        Capture = DragTo(Source, OverTarget);
        MoveCapturedMouse(Capture, OverTarget, WM_MOUSEMOVE, MK_LBUTTON);
    }

    // What still reaches the old capture window after the drag ended must do nothing.
    void ReleaseOver(const TPoint& screenPos) {
        MoveCapturedMouse(Capture, screenPos, WM_MOUSEMOVE, MK_LBUTTON);
        MoveCapturedMouse(Capture, screenPos, WM_LBUTTONUP, 0);
    }

    void ExpectCancelledOnce() {
        EXPECT_EQ(TDragManager::Source(), nullptr);
        EXPECT_EQ(TDragManager::DragObject(), nullptr);
        EXPECT_NE(GetCapture(), Capture);
        EXPECT_EQ(FinishedCalls, 1);
        EXPECT_EQ(FreedObjects, 1);
        EXPECT_FALSE(TCarriedText::FinishedAccepted);
        EXPECT_EQ(Drops, 0);
    }
};

} // namespace

TEST(DragDrop, ALostCaptureOrEscapeCancelsTheDragOnce) {
    std::vector<std::pair<std::string, std::function<void(THeldDrag&)>>> endings = {
        {"capture taken by another window",
         [](THeldDrag& drag) {
             SetCapture(drag.FormA->Handle());
             ReleaseCapture();
         }},
        {"capture changed",
         [](THeldDrag& drag) { SendMessageW(drag.Capture, WM_CAPTURECHANGED, 0, 0); }},
        {"cancel mode", [](THeldDrag& drag) { SendMessageW(drag.Capture, WM_CANCELMODE, 0, 0); }},
        {"Escape",
         [](THeldDrag& drag) {
             PostMessageW(drag.FormB->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
             Application->ProcessMessages();
         }},
    };
    for (auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        THeldDrag drag;
        ASSERT_NE(drag.Capture, nullptr);
        ASSERT_EQ(TDragManager::Source(), drag.Source);
        end(drag);
        drag.ExpectCancelledOnce();
        EXPECT_EQ(drag.EndDragCalls, 1);
        drag.ReleaseOver(drag.OverTarget);
        EXPECT_EQ(FinishedCalls, 1);
        EXPECT_EQ(drag.Drops, 0);
    }
}

TEST(DragDrop, AHoveredTargetFreedDuringTheDragIsForgotten) {
    THeldDrag drag;
    ASSERT_EQ(TDragManager::DragObject()->DragTarget, drag.Target);
    drag.Target->Free();
    EXPECT_EQ(TDragManager::DragObject()->DragTarget, nullptr);
    EXPECT_EQ(TDragManager::Source(), drag.Source);
    // Where the target was, only its form remains, and it takes no drops.
    drag.ReleaseOver(drag.OverTarget);
    drag.ExpectCancelledOnce();
}

TEST(DragDrop, AFreedSourceEndsItsDrag) {
    THeldDrag drag;
    drag.Source->Free();
    drag.ExpectCancelledOnce();
    drag.ReleaseOver(drag.OverTarget);
    EXPECT_EQ(FinishedCalls, 1);
}

TEST(DragDrop, ADropThatFreesTheSourceStillFinishesTheObject) {
    THeldDrag drag;
    drag.Target->OnDragDrop = [&](TObject*, TObject*, int, int) { drag.Source->Free(); };
    drag.ReleaseOver(drag.OverTarget);
    EXPECT_EQ(drag.EndDragCalls, 0);
    EXPECT_EQ(FinishedCalls, 1);
    EXPECT_TRUE(TCarriedText::FinishedAccepted);
    EXPECT_EQ(TDragManager::Source(), nullptr);
}

TEST(DragDrop, AWindowOfAnotherProcessIsNoTarget) {
    // The desktop window belongs to another process; marked as the layer marks its own windows,
    // its mark is a pointer of that process and must not be followed.
    HWND desktop = GetDesktopWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(desktop, &process);
    if (process == GetCurrentProcessId() || !SetPropW(desktop, L"QVR.Control", HANDLE(0x10)))
        GTEST_SKIP() << "no window of another process to mark";
    EXPECT_EQ(TWinControl::FindControl(desktop), nullptr);
    auto form = ShownForm(0);
    TCustomControl* source = Child(form.get());
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = [](TObject*, TDragObject*& object) { object = new TCarriedText("x"); };
    FinishedCalls = 0;
    bool dragged = DragAcross(source, Point(900, 700));
    RemovePropW(desktop, L"QVR.Control");
    ASSERT_TRUE(dragged);
    EXPECT_EQ(FinishedCalls, 1);
    EXPECT_FALSE(TCarriedText::FinishedAccepted);
}

TEST(DragDrop, ARaisingDropHandlerEndsTheDragAndTheNextDragRuns) {
    MessageCapture messages;
    {
        THeldDrag drag;
        drag.Target->OnDragDrop = [](TObject*, TObject*, int, int) {
            throw Exception("Unknown counter 'Nothing'");
        };
        drag.ReleaseOver(drag.OverTarget);
        EXPECT_EQ(drag.EndDragCalls, 1);
        EXPECT_EQ(FinishedCalls, 1);
        EXPECT_EQ(FreedObjects, 1);
        EXPECT_EQ(TDragManager::Source(), nullptr);
        EXPECT_NE(GetCapture(), drag.Capture);
        EXPECT_EQ(messages.Texts, std::vector<std::string>{"Unknown counter 'Nothing'"});
    }
    THeldDrag again;
    ASSERT_EQ(TDragManager::Source(), again.Source);
    again.ReleaseOver(again.OverTarget);
    EXPECT_EQ(again.Drops, 1);
    EXPECT_TRUE(TCarriedText::FinishedAccepted);
    EXPECT_EQ(messages.Texts.size(), 1u);
}

TEST(DragDrop, ARaisingStartDragCancelsTheDrag) {
    MessageCapture messages;
    auto formA = ShownForm(0);
    auto formB = ShownForm(300);
    TCustomControl* source = Child(formA.get());
    TCustomControl* target = Child(formB.get());
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = [](TObject*, TDragObject*&) { throw Exception("No drag today"); };
    int endDrags = 0;
    source->OnEndDrag = [&](TObject*, TObject*, int, int) { ++endDrags; };
    bool dropped = false;
    target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
        accept = true;
    };
    target->OnDragDrop = [&](TObject*, TObject*, int, int) { dropped = true; };
    HWND capture = DragTo(source, Point(350, 50));
    if (capture) {
        MoveCapturedMouse(capture, Point(352, 52), WM_MOUSEMOVE, MK_LBUTTON);
        MoveCapturedMouse(capture, Point(352, 52), WM_LBUTTONUP, 0);
    }
    EXPECT_FALSE(dropped);
    EXPECT_EQ(endDrags, 0);
    EXPECT_EQ(TDragManager::Source(), nullptr);
    EXPECT_EQ(messages.Texts, std::vector<std::string>{"No drag today"});

    source->OnStartDrag = nullptr;
    ASSERT_TRUE(DragAcross(source, Point(350, 50)));
    EXPECT_TRUE(dropped);
    EXPECT_EQ(endDrags, 1);
}
