#include "tools/prop_storage.h"

#include "rtl/format_settings.h"
#include "rtl/mem_ini_file.h"
#include "rtl/string_list.h"
#include "vcl/base/component.h"
#include "vcl/base/set.h"

#include <gtest/gtest.h>

namespace {

enum TMood { mdCalm, mdHappy, mdAngry };
enum TFlag { flRed, flGreen, flBlue };
using TFlags = TSet<TFlag>;

class TInner : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = TClassInfo("TInner", &TPersistent::StaticClassInfo())
                                           .IntegerField("Depth", &TInner::Depth);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Depth = 2;
};

// A component with a property of every kind the store knows.
class TSample : public TComponent {
public:
    explicit TSample(TComponent* AOwner) : TComponent(AOwner) {}
    static const TClassInfo& StaticClassInfo() {
        using S = TSample;
        static const TClassInfo info =
            TClassInfo("TSample", &TComponent::StaticClassInfo())
                .IntegerField("Count", &S::FCount)
                .String("Title", &S::Title, &S::SetTitle)
                .Boolean("Active", &S::Active, &S::SetActive)
                .Enumeration("Mood", &S::Mood, &S::SetMood, {"mdCalm", "mdHappy", "mdAngry"})
                .Set("Flags", &S::Flags, &S::SetFlags, {"flRed", "flGreen", "flBlue"})
                .Float("Ratio", &S::Ratio, &S::SetRatio)
                .Strings("Lines", &S::Lines)
                .Object("Buddy", &S::Buddy, &S::SetBuddy)
                .Object("Inner", &S::FInnerPtr);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    TMood Mood() const { return FMood; }
    void SetMood(TMood value) { FMood = value; }
    TFlags Flags() const { return FFlags; }
    void SetFlags(TFlags value) { FFlags = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    TStrings* Lines() const { return &FLines; }
    TSample* Buddy() const { return FBuddy; }
    void SetBuddy(TSample* value) { FBuddy = value; }

    int FCount = 7;
    std::string FTitle;
    bool FActive = false;
    TMood FMood = mdHappy;
    TFlags FFlags;
    double FRatio = 0;
    mutable TStringList FLines;
    TSample* FBuddy = nullptr;
    TInner FInner;
    TInner* FInnerPtr = &FInner;
};

// A form with two samples, and a storage over an INI text in memory.
struct TStoreFixture {
    TStoreFixture() : Form(MakeOwned<TComponent>()), Ini("") {
        Form->SetName("Form1");
        One = new TSample(Form.get());
        One->SetName("One");
        Two = new TSample(Form.get());
        Two->SetName("Two");
        Storage.SetSection("Form1");
        Storage.OnReadString = [this](const std::string& s, const std::string& i,
                                      const std::string& d) { return Ini.ReadString(s, i, d); };
        Storage.OnWriteString = [this](const std::string& s, const std::string& i,
                                       const std::string& v) { Ini.WriteString(s, i, v); };
        Storage.OnEraseSection = [this](const std::string& s) { Ini.EraseSection(s); };
    }
    void Store(const std::string& item) {
        TStringList list;
        list.Add(item);
        UpdateStoredList(Form.get(), list, true);
        Storage.StoreObjectsProps(Form.get(), list);
    }
    void Load(const std::string& item) {
        TStringList list;
        list.Add(item);
        UpdateStoredList(Form.get(), list, true);
        Storage.LoadObjectsProps(Form.get(), list);
    }
    std::vector<std::string> Section(const std::string& name) {
        TStringList lines;
        Ini.ReadSectionValues(name, lines);
        std::vector<std::string> result;
        for (int i = 0; i < lines.Count(); ++i)
            result.push_back(lines[i]);
        return result;
    }

    TOwnedPtr<TComponent> Form;
    TSample* One;
    TSample* Two;
    TMemIniFile Ini;
    TPropsStorage Storage;
};

using Lines = std::vector<std::string>;

} // namespace

TEST(PropStorage, StoredItemsSplitAtTheFirstDot) {
    EXPECT_EQ(CreateStoredItem("Edit1", "Text"), "Edit1.Text");
    EXPECT_EQ(CreateStoredItem("", "Text"), "");
    std::string comp, prop;
    EXPECT_TRUE(ParseStoredItem(" Edit1 . Font.Name ", comp, prop));
    EXPECT_EQ(comp, "Edit1");
    EXPECT_EQ(prop, "Font.Name");
    EXPECT_FALSE(ParseStoredItem("Edit1.", comp, prop));
    EXPECT_FALSE(ParseStoredItem("Edit1", comp, prop));
    EXPECT_EQ(ReplaceComponentName("Edit1.Text", "Edit2"), "Edit2.Text");
}

TEST(PropStorage, UpdateStoredListFollowsTheForm) {
    TStoreFixture f;
    TStringList list;
    list.SetText("One.Count\r\nbroken\r\nMissing.Count\r\ntwo.Title");
    UpdateStoredList(f.Form.get(), list, true);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Objects(0), f.One);
    EXPECT_EQ(list.Objects(1), f.Two);

    // A renamed component keeps its item; an item without a component goes.
    f.Two->SetName("Second");
    list.Add("One.Ratio");
    UpdateStoredList(f.Form.get(), list, false);
    EXPECT_EQ(list.Text(), "One.Count\r\nSecond.Title\r\n");
}

TEST(PropStorage, ValuesAreWrittenByKind) {
    TStoreFixture f;
    f.One->FFlags = {flRed, flBlue};
    f.One->FActive = true;
    for (const char* item : {"One.Title", "One.Count", "One.Active", "One.Mood", "One.Flags",
                             "One.Buddy", "One.Inner"})
        f.Store(item);
    // An empty string is written; other kinds always have a text; nested objects' keys run on.
    EXPECT_EQ(f.Section("Form1"),
              (Lines{"One_Title=", "One_Count=7", "One_Active=True", "One_Mood=mdHappy",
                     "One_Flags=[flRed,flBlue]", "One_Buddy=(null)", "One_InnerDepth=2"}));

    f.One->FBuddy = f.Two;
    f.Store("One.Buddy");
    EXPECT_EQ(f.Ini.ReadString("Form1", "One_Buddy", ""), "Two");
    // A component of another owner is named with its owner.
    auto other = MakeOwned<TComponent>();
    other->SetName("Other");
    auto* stranger = new TSample(other.get());
    stranger->SetName("Stranger");
    f.One->FBuddy = stranger;
    f.Store("One.Buddy");
    EXPECT_EQ(f.Ini.ReadString("Form1", "One_Buddy", ""), "Other.Stranger");
    other->SetName("");
    f.Store("One.Buddy");
    EXPECT_EQ(f.Ini.ReadString("Form1", "One_Buddy", ""), "Component.Stranger");
    f.One->FBuddy = nullptr;
}

TEST(PropStorage, ValuesAreReadBackByKind) {
    TStoreFixture f;
    f.Ini.WriteString("Form1", "One_Title", "  Заголовок ");
    f.Ini.WriteString("Form1", "One_Mood", "MDANGRY");
    f.Ini.WriteString("Form1", "One_Flags", "[ flRed , flGreen, x ]");
    f.Ini.WriteString("Form1", "One_Buddy", "Two");
    f.Ini.WriteString("Form1", "One_InnerDepth", "5");
    for (const char* item : {"One.Title", "One.Mood", "One.Flags", "One.Buddy", "One.Inner"})
        f.Load(item);
    EXPECT_EQ(f.One->FTitle, "Заголовок");
    EXPECT_EQ(f.One->FMood, mdAngry);
    EXPECT_EQ(f.One->FFlags, (TFlags{flRed, flGreen}));
    EXPECT_EQ(f.One->FBuddy, f.Two);
    EXPECT_EQ(f.One->FInner.Depth, 5);

    // Bad values leave the property alone; a missing key gives the present value.
    f.Ini.WriteString("Form1", "One_Mood", "mdSleepy");
    f.Ini.WriteString("Form1", "One_Ratio", "abc");
    f.One->FRatio = 0.25;
    f.Load("One.Mood");
    f.Load("One.Ratio");
    f.Load("One.Count");
    EXPECT_EQ(f.One->FMood, mdAngry);
    EXPECT_EQ(f.One->FRatio, 0.25);
    EXPECT_EQ(f.One->FCount, 7);
    f.Ini.WriteString("Form1", "One_Buddy", "(NULL)");
    f.Load("One.Buddy");
    EXPECT_EQ(f.One->FBuddy, nullptr);
}

TEST(PropStorage, StringListsHaveASectionOfTheirOwn) {
    TStoreFixture f;
    f.One->FLines.SetText("a\r\nb\r\nc");
    f.Store("One.Lines");
    EXPECT_EQ(f.Section("Form1.One_Lines"), (Lines{"Count=3", "Item0=a", "Item1=b", "Item2=c"}));
    EXPECT_TRUE(f.Section("Form1").empty());

    f.One->FLines.SetText("x");
    f.Load("One.Lines");
    EXPECT_EQ(f.One->FLines.Text(), "a\r\nb\r\nc\r\n");
    // A count of 0 leaves the list as it is; an empty list erases the old lines.
    f.Ini.WriteString("Form1.One_Lines", "Count", "0");
    f.Load("One.Lines");
    EXPECT_EQ(f.One->FLines.Count(), 3);
    f.One->FLines.Clear();
    f.Store("One.Lines");
    EXPECT_TRUE(f.Section("Form1.One_Lines").empty());
}

TEST(PropStorage, FloatsUseADotWhateverTheLocale) {
    TStoreFixture f;
    char saved = FormatSettings().DecimalSeparator;
    FormatSettings().DecimalSeparator = ',';
    f.One->FRatio = 1.5;
    f.Store("One.Ratio");
    EXPECT_EQ(f.Ini.ReadString("Form1", "One_Ratio", ""), "1.5");
    f.One->FRatio = 0;
    f.Load("One.Ratio");
    FormatSettings().DecimalSeparator = saved;
    EXPECT_EQ(f.One->FRatio, 1.5);
}

TEST(PropStorage, WithoutHandlersNothingIsReadOrWritten) {
    TSample sample(nullptr);
    sample.SetName("S");
    TPropsStorage storage;
    storage.SetAObject(&sample);
    storage.SetPrefix("S_");
    storage.StoreAnyProperty(GetPropInfo(sample, "Title"));
    sample.FTitle = "kept";
    storage.LoadAnyProperty(GetPropInfo(sample, "Title"));
    EXPECT_EQ(sample.FTitle, ""); // the store without a handler gives an empty text
}
