#include "vcl/custom_control.h"
#include "vcl/drag_drop.h"
#include "vcl/forms.h"

#include "vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

int FreedObjects = 0;

// A drag object that carries a text and frees itself when the drag ends, as the program's do.
class TCarriedText : public TDragObject {
public:
    explicit TCarriedText(std::string text) : Text(std::move(text)) {}
    ~TCarriedText() override { ++FreedObjects; }
    void Finished(TObject* Target, int X, int Y, bool Accepted) override {
        TDragObject::Finished(Target, X, Y, Accepted);
        FinishedAccepted = Accepted;
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
