#include "vcl/base/component.h"

#include "rtl/published.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Log;

class TLoggingComponent : public TComponent {
public:
    explicit TLoggingComponent(TComponent* AOwner, std::string tag = "")
        : TComponent(AOwner), FTag(std::move(tag)) {}
    ~TLoggingComponent() override { Log.push_back("~" + FTag); }
    TComponent* Seen = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove)
            Log.push_back(FTag + " heard " + AComponent->Name() + " go");
    }
    void BeforeDestruction() override {
        // Virtual calls in the teardown still reach the heir.
        Log.push_back(FTag + " tears down as " + Describe());
        TComponent::BeforeDestruction();
    }
    virtual std::string Describe() const { return "logging"; }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back(FTag + " loaded");
    }

    std::string FTag;
};

class TDerivedComponent : public TLoggingComponent {
public:
    using TLoggingComponent::TLoggingComponent;

protected:
    std::string Describe() const override { return "derived"; }
};

} // namespace

TEST(Component, OwnerFreesWhatItOwnsLastMadeFirst) {
    Log.clear();
    auto owner = MakeOwned<TLoggingComponent>("owner");
    auto* a = new TLoggingComponent(owner.get(), "a");
    a->SetName("First");
    auto* b = new TDerivedComponent(owner.get(), "b");
    b->SetName("Second");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("first"), a);
    EXPECT_EQ(owner->FindComponent("SECOND"), b);
    EXPECT_EQ(owner->FindComponent("third"), nullptr);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(b->SetName("FIRST"), EComponentError);

    Log.clear();
    owner.reset();
    std::vector<std::string> expected = {"owner tears down as logging",
                                         "b tears down as derived",
                                         "~b",
                                         "a tears down as logging",
                                         "~a",
                                         "~owner"};
    EXPECT_EQ(Log, expected);
}

TEST(Component, FreeingOneTellsItsFellowsAndThoseThatAsked) {
    Log.clear();
    auto owner = MakeOwned<TComponent>();
    auto* watcher = new TLoggingComponent(owner.get(), "watcher");
    auto* fellow = new TLoggingComponent(owner.get(), "fellow");
    fellow->SetName("Fellow");
    auto outsider = MakeOwned<TLoggingComponent>("outsider");
    outsider->FreeNotification(fellow);
    watcher->Free();
    Log.clear();
    fellow->Free();
    EXPECT_EQ(owner->ComponentCount(), 0);
    std::vector<std::string> expected = {"fellow tears down as logging", "~fellow"};
    // The outsider asked to be told about the fellow; the fellow asked nothing of it.
    EXPECT_NE(std::find(Log.begin(), Log.end(), "outsider heard Fellow go"), Log.end());
}

TEST(Component, InsertingMovesToTheNewOwner) {
    auto first = MakeOwned<TComponent>();
    auto second = MakeOwned<TComponent>();
    auto* c = new TComponent(first.get());
    second->InsertComponent(c);
    EXPECT_EQ(c->Owner(), second.get());
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(second->ComponentCount(), 1);
}

namespace {

class TLoadingForm : public TForm {
public:
    explicit TLoadingForm(TComponent* AOwner) : TForm(AOwner) {
        Log.push_back("constructor");
        new TLoggingComponent(this, "part1");
        new TLoggingComponent(this, "part2");
        OnCreate = [this](TObject*) {
            Log.push_back(std::string("OnCreate, loading: ") +
                          (ComponentState().Contains(csLoading) ? "yes" : "no"));
        };
        SetName("fmLoading");
    }

protected:
    void Loaded() override {
        TForm::Loaded();
        Log.push_back("form loaded");
    }
};

TLoadingForm* fmLoading = nullptr;

} // namespace

TEST(Component, FormLoadsItsPartsBeforeOnCreate) {
    Log.clear();
    auto form = TOwnedPtr<TLoadingForm>(CreateComponent<TLoadingForm>(nullptr));
    std::vector<std::string> expected = {"constructor", "form loaded", "part1 loaded",
                                         "part2 loaded", "OnCreate, loading: no"};
    EXPECT_EQ(Log, expected);
    // Components made after the bracket are not loading and get no Loaded.
    Log.clear();
    new TLoggingComponent(form.get(), "late");
    EXPECT_TRUE(Log.empty());
}

namespace {
class TGlobalForm : public TForm {
public:
    explicit TGlobalForm(TComponent* AOwner) : TForm(AOwner) {
        OnCreate = [this](TObject*) {
            Log.push_back(fmGlobal == this ? "global set" : "global empty");
        };
    }
    static TGlobalForm* fmGlobal;
};
TGlobalForm* TGlobalForm::fmGlobal = nullptr;
} // namespace

TEST(Component, CreateFormSetsTheGlobalBeforeOnCreate) {
    Log.clear();
    Application->CreateForm(fmLoading);
    Application->CreateForm(TGlobalForm::fmGlobal);
    EXPECT_EQ(Log.back(), "global set");
    EXPECT_EQ(Application->MainForm(), fmLoading);
    EXPECT_EQ(TGlobalForm::fmGlobal->Owner(), Application);
    TGlobalForm::fmGlobal->Free();
    fmLoading->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

namespace {
class TPublishingForm : public TForm {
public:
    explicit TPublishingForm(TComponent* AOwner) : TForm(AOwner) {}
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = TClassInfo("TPublishingForm", &TForm::StaticClassInfo())
                                           .Method("FillControls", &TPublishingForm::FillControls);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void FillControls() { ++Fills; }
    int Fills = 0;
};
} // namespace

TEST(Component, FormsPublishPropertiesAndMethodsByName) {
    auto form = TOwnedPtr<TPublishingForm>(CreateComponent<TPublishingForm>(nullptr));
    form->SetName("fmPublishing");
    SetStrProp(*form, "caption", "Окно");
    EXPECT_EQ(form->Caption(), "Окно");
    EXPECT_EQ(GetStrProp(*form, "Name"), "fmPublishing");
    SetOrdProp(*form, "Tag", 42);
    EXPECT_EQ(form->Tag(), 42);
    EXPECT_EQ(GetOrdProp(*form, "Width"), form->Width());
    EXPECT_TRUE(CallPublishedMethod(*form, "fillcontrols"));
    EXPECT_EQ(form->Fills, 1);
    EXPECT_FALSE(CallPublishedMethod(*form, "NoSuchMethod"));
    EXPECT_FALSE(IsPublishedProp(*form, "OwnerDrawMask"));
    // Every control publishes its hint switch, which form localisation turns on.
    SetOrdProp(*form, "showhint", 1);
    EXPECT_TRUE(form->ShowHint());
}
