#include "rtl/published.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

namespace {

class TCounterBase : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int GetCount() const { return FCount; }
    void SetCount(int value) { FCount = value; }
    std::string GetTitle() const { return FTitle; }
    void Reset() { FCount = 0; }

    int FCount = 3;
    std::string FTitle = "Счётчик";
};

class TCounter : public TCounterBase {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }

    bool FVisible = true;
};

const TClassInfo& TCounterBase::StaticClassInfo() {
    static TClassInfo info = [] {
        TClassInfo i("TCounterBase", &TObject::StaticClassInfo());
        i.Integer<TCounterBase>("Count", &TCounterBase::GetCount, &TCounterBase::SetCount)
            .String<TCounterBase>("Title", &TCounterBase::GetTitle)
            .Method<TCounterBase>("Reset", &TCounterBase::Reset);
        return i;
    }();
    return info;
}

const TClassInfo& TCounter::StaticClassInfo() {
    static TClassInfo info = [] {
        TClassInfo i("TCounter", &TCounterBase::StaticClassInfo());
        i.Boolean<TCounter>("Visible", &TCounter::GetVisible, &TCounter::SetVisible);
        return i;
    }();
    return info;
}

} // namespace

TEST(Published, PropertiesAreFoundWithoutCaseThroughTheBases) {
    TCounter counter;
    const TObject& object = counter;
    EXPECT_EQ(object.ClassName(), "TCounter");
    EXPECT_TRUE(object.InheritsFrom(TCounterBase::StaticClassInfo()));
    EXPECT_FALSE(TCounterBase().InheritsFrom(TCounter::StaticClassInfo()));

    EXPECT_EQ(GetOrdProp(object, "count"), 3);
    SetOrdProp(counter, "COUNT", 7);
    EXPECT_EQ(counter.FCount, 7);
    EXPECT_EQ(GetStrProp(object, "title"), "Счётчик");
    EXPECT_EQ(GetOrdProp(object, "Visible"), 1);
    SetOrdProp(counter, "visible", 0);
    EXPECT_FALSE(counter.FVisible);

    std::vector<std::string> names;
    for (const TPropInfo* p : counter.ClassInfo().Properties())
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Count", "Title", "Visible"}));

    EXPECT_TRUE(CallPublishedMethod(counter, "RESET"));
    EXPECT_EQ(counter.FCount, 0);
    EXPECT_FALSE(CallPublishedMethod(counter, "Missing"));
}

TEST(Published, UnknownOrMisusedPropertiesRaise) {
    TCounter counter;
    TCounterBase base;
    EXPECT_FALSE(IsPublishedProp(base, "Visible")); // an heir's property is not the base's
    EXPECT_TRUE(IsPublishedProp(counter, "visible"));
    EXPECT_THROW(GetOrdProp(base, "Visible"), EPropertyError);
    EXPECT_THROW(GetOrdProp(counter, "Nothing"), EPropertyError);
    EXPECT_THROW(GetStrProp(counter, "Count"), EPropertyError);      // wrong kind
    EXPECT_THROW(SetStrProp(counter, "Title", "x"), EPropertyError); // read-only
    EXPECT_THROW(GetObjectProp(counter, "Title"), EPropertyError);
    EXPECT_EQ(counter.FTitle, "Счётчик");
}
