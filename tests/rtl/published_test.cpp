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

enum TShape { shCircle, shSquare, shStar };

// Kinds with value names, numbers and objects, as the look properties of controls publish them.
class TFigure : public TObject {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info =
            TClassInfo("TFigure", &TObject::StaticClassInfo())
                .Enumeration("Shape", &TFigure::Shape, &TFigure::SetShape,
                             {"shCircle", "shSquare", "shStar"})
                .Set("Corners", &TFigure::Corners, &TFigure::SetCorners, {"a", "b", "c"})
                .Float("Scale", &TFigure::Scale, &TFigure::SetScale)
                .Float("Angle", &TFigure::Angle, &TFigure::SetAngle)
                .Strings("Notes", &TFigure::Notes)
                .Object("Next", &TFigure::Next, &TFigure::SetNext);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    struct TBits {
        uint64_t Value = 0;
        uint64_t Bits() const { return Value; }
        static TBits FromBits(uint64_t bits) { return {bits}; }
    };
    TShape Shape() const { return FShape; }
    void SetShape(TShape value) { FShape = value; }
    TBits Corners() const { return FCorners; }
    void SetCorners(TBits value) { FCorners = value; }
    float Scale() const { return FScale; }
    void SetScale(float value) { FScale = value; }
    double Angle() const { return FAngle; }
    void SetAngle(double value) { FAngle = value; }
    TStrings* Notes() const { return &FNotes; }
    TFigure* Next() const { return FNext; }
    void SetNext(TFigure* value) { FNext = value; }

    TShape FShape = shSquare;
    TBits FCorners;
    float FScale = 1.5f;
    double FAngle = 0;
    mutable TStringList FNotes;
    TFigure* FNext = nullptr;
};

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

TEST(Published, NamedOrdinalsNumbersAndObjectsCarryWhatStorageNeeds) {
    TFigure figure, other;
    const TPropInfo& shape = GetPropInfo(figure, "shape");
    EXPECT_EQ(shape.Kind, TPropKind::Enumeration);
    EXPECT_EQ(shape.Names.at(size_t(shape.GetOrd(figure))), "shSquare");
    shape.SetOrd(figure, shStar);
    EXPECT_EQ(figure.FShape, shStar);

    const TPropInfo& corners = GetPropInfo(figure, "Corners");
    corners.SetOrd(figure, 5);
    EXPECT_EQ(figure.FCorners.Value, 5u);
    EXPECT_EQ(corners.Names.size(), 3u);

    const TPropInfo& scale = GetPropInfo(figure, "Scale");
    EXPECT_EQ(scale.Precision, 7);
    EXPECT_EQ(GetPropInfo(figure, "Angle").Precision, 15);
    scale.SetFloat(figure, 2.25);
    EXPECT_EQ(scale.GetFloat(figure), 2.25);

    EXPECT_EQ(&GetPropInfo(figure, "Notes").ClassType(), &TStrings::StaticClassInfo());
    EXPECT_EQ(TStringList().ClassName(), "TStringList");
    const TPropInfo& next = GetPropInfo(figure, "Next");
    EXPECT_EQ(&next.ClassType(), &TFigure::StaticClassInfo()); // a property of its own class
    next.SetObj(figure, &other);
    EXPECT_EQ(GetObjectProp(figure, "Next"), &other);
    next.SetObj(figure, &figure.FNotes); // not a figure: no object
    EXPECT_EQ(figure.FNext, nullptr);
    TCounter counter;
    EXPECT_EQ(GetPropInfo(counter, "Visible").Names, (std::vector<std::string>{"False", "True"}));
}
