// Forms whose windows cannot be made, as when the program runs without a display: the failure
// reaches the caller as an exception, nothing read is lost, and the half-built form goes
// without a fault.
#include "qztree/header/header.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/panel.h"
#include "vcl/core/forms.h"
#include "vcl/core/screen.h"

#include "../../vcl/user_input.h"
#include "support/refused_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Hears of every component it watches going.
class TWatcher : public TComponent {
public:
    TWatcher() : TComponent(nullptr) {}
    void Watch(TComponent* component) { component->FreeNotification(this); }
    std::vector<std::string> Gone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove)
            Gone.push_back(AComponent->Name());
    }
};

// A form with a panel of controls, a header with a section and a tree, all parented; it makes
// its window at the end of its constructor when asked, as a form that measures itself would.
class TBusyForm : public TForm {
public:
    static inline TWatcher* Watcher = nullptr;
    static inline bool WindowInConstructor = false;

    explicit TBusyForm(TComponent* AOwner) : TForm(AOwner) {
        SetBorderStyle(bsNone);
        SetBounds(20, 20, 400, 300);
        Panel = Make<TPanel>(this, "Panel");
        Panel->SetAlign(alTop);
        Make<TEdit>(Panel, "Edit");
        Make<TButton>(Panel, "Button")->SetLeft(150);
        Make<TLabel>(Panel, "Label")->SetLeft(250);
        Header = Make<TQZHeader>(this, "Header");
        Header->SetAlign(alTop);
        Header->Sections()->AddSection()->SetText("Name");
        Tree = Make<TCustomQZTree>(this, "Tree");
        Tree->SetAlign(alClient);
        if (WindowInConstructor)
            HandleNeeded();
    }

    TPanel* Panel;
    TQZHeader* Header;
    TCustomQZTree* Tree;

private:
    template <class T> T* Make(TWinControl* parent, const std::string& name) {
        T* control = new T(this);
        control->SetName(name);
        control->SetParent(parent);
        if (Watcher)
            Watcher->Watch(control);
        return control;
    }
};

struct WindowFailure : testing::Test {
    void SetUp() override {
        TBusyForm::Watcher = &Watcher;
        FormsBefore = Screen->FormCount();
        OwnedBefore = Application->ComponentCount();
    }
    void TearDown() override {
        TBusyForm::Watcher = nullptr;
        TBusyForm::WindowInConstructor = false;
        EXPECT_EQ(Screen->FormCount(), FormsBefore);
        EXPECT_EQ(Application->ComponentCount(), OwnedBefore);
    }
    std::vector<std::string> AllGone() const {
        return {"Tree", "Header", "Label", "Button", "Edit", "Panel"};
    }

    TWatcher Watcher;
    int FormsBefore = 0;
    int OwnedBefore = 0;
};

} // namespace

TEST_F(WindowFailure, AFormWhoseConstructorCannotMakeItsWindowGoesWhole) {
    TBusyForm::WindowInConstructor = true;
    TBusyForm* form = nullptr;
    TCustomForm* mainBefore = Application->MainForm();
    {
        RefusedWindows refused;
        EXPECT_THROW(Application->CreateForm(form), EInvalidOperation);
    }
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(Application->MainForm(), mainBefore);
    // Every control went, each through its whole teardown.
    EXPECT_EQ(Watcher.Gone, AllGone());

    // The program goes on: the same form is made once windows can be made again.
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(IsWindow(form->Tree->ViewControl()->Handle()));
    form->Free();
}

TEST_F(WindowFailure, AFormThatCannotShowKeepsWhatItHoldsAndFreesSafely) {
    TOwnedPtr<TBusyForm> form(CreateComponent<TBusyForm>(nullptr));
    {
        RefusedWindows refused;
        EXPECT_THROW(form->Show(), EInvalidOperation);
    }
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(form->Tree->HandleAllocated());
    ASSERT_EQ(form->Header->Sections()->Count(), 1);
    EXPECT_EQ(form->Header->Sections()->ItemByPos(0)->Text(), "Name");

    form->Show();
    form->Tree->Items()->AddChild(nullptr, "first");
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(form->Tree->ViewControl()->Handle()));
    EXPECT_TRUE(IsWindowVisible(form->Header->Handle()));
    form.reset();
    EXPECT_EQ(Watcher.Gone, AllGone());
}
