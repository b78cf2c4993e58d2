#include "tools/form_localization.h"

#include "tools/localization_store.h"
#include "tools/property_readers.h"
#include "tools/sorted_lists.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/panel.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"

#include <gtest/gtest.h>

namespace {

// A settings window as the program builds one, with the method localisation calls.
class TSettingsForm : public TForm {
public:
    explicit TSettingsForm(TComponent* AOwner) : TForm(AOwner) {
        SetName("fmSettings");
        SetCaption("Настройки");
        Label = Make<TLabel>(this, "Label1");
        Label->SetCaption("Метка");
        Label->SetHint("Подсказка");
        Edit = Make<TEdit>(this, "Edit1");
        Edit->SetText("abc");
        Memo = Make<TMemo>(this, "Memo1");
        Memo->Lines()->SetText("one\r\ntwo");
        Item = new TMenuItem(this);
        Item->SetName("miItem");
        Item->SetHint("Пункт");
        Unnamed = Make<TPanel>(this, "");
        Unnamed->SetHint("Без имени");
        Inner = Make<TLabel>(Unnamed, "Inner");
        Inner->SetParent(this);
        Inner->SetHint("Внутри");
    }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info =
            TClassInfo("TSettingsForm", &TForm::StaticClassInfo())
                .Method("CorrectControlsPosition", &TSettingsForm::CorrectControlsPosition);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void CorrectControlsPosition() { ++Corrections; }

    template <class T> T* Make(TComponent* owner, const std::string& name) {
        T* control = new T(owner);
        control->SetName(name);
        control->SetParent(this);
        return control;
    }

    TLabel* Label;
    TEdit* Edit;
    TMemo* Memo;
    TMenuItem* Item;
    TPanel* Unnamed;
    TLabel* Inner;
    int Corrections = 0;
};

// The program's globals as start-up makes them, with an optional table of Russian texts.
class FormLocalization : public testing::Test {
protected:
    void SetUp() override {
        InitLocalizationStore();
        InitFormLocalization();
        Form.reset(CreateComponent<TSettingsForm>(nullptr));
    }
    void TearDown() override {
        Form.reset();
        DoneFormLocalization();
        DoneLocalizationStore();
    }
    void AddText(const std::string& key, const std::string& text) {
        if (!Texts) {
            Texts = new TQZSortedParams;
            FileLocalizator->LangList.AddObject("RUSSIAN", Texts);
        }
        Texts->AddParam(key, text);
    }

    TOwnedPtr<TSettingsForm> Form;
    TQZSortedParams* Texts = nullptr;
};

} // namespace

TEST_F(FormLocalization, AnEmptyStoreChangesNoTextAndTurnsHintsOn) {
    EXPECT_NO_THROW(LocalizeForm(Form.get(), "C_QVR_"));
    EXPECT_EQ(Form->Caption(), "Настройки");
    EXPECT_EQ(Form->Label->Caption(), "Метка");
    EXPECT_EQ(Form->Edit->Text(), "abc");
    EXPECT_EQ(Form->Memo->Lines()->Text(), "one\r\ntwo\r\n");
    EXPECT_TRUE(Form->Label->ShowHint());
    EXPECT_TRUE(Form->Inner->ShowHint()); // owned by a component without a name
    EXPECT_FALSE(Form->Edit->ShowHint());
    EXPECT_FALSE(Form->Unnamed->ShowHint()); // left alone, hint and all
    EXPECT_EQ(Form->Corrections, 1);
    // A menu item has a hint but nothing to show it with; it never stops the form.
    EXPECT_EQ(Form->Item->Hint(), "Пункт");
}

TEST_F(FormLocalization, TextsAreFoundByPrefixFormAndComponentNames) {
    AddText("C_QVR_fmSettings_Caption", "Settings");
    AddText("C_QVR_fmSettings_Label1_Caption", "Label");
    AddText("C_QVR_fmSettings_Label1_Name", "Renamed");
    AddText("C_QVR_fmSettings_Memo1_Lines1", "second");
    AddText("C_QVR_fmSettings_Edit1_Hint", "Edit hint");
    AddText("C_QVR_fmSettings__Inner_Caption", "inner");
    AddText("C_QVR_fmSettings__Hint", "unnamed");
    LocalizeForm(Form.get(), "__C_QVR__");
    EXPECT_EQ(Form->Caption(), "Settings");
    EXPECT_EQ(Form->Label->Caption(), "Label");
    EXPECT_EQ(Form->Label->Name(), "Label1"); // names are never localised
    EXPECT_EQ(Form->Memo->Lines()->Text(), "one\r\nsecond\r\n");
    EXPECT_EQ(Form->Edit->Hint(), "Edit hint");
    EXPECT_TRUE(Form->Edit->ShowHint());
    EXPECT_EQ(Form->Inner->Caption(), "inner");
    EXPECT_EQ(Form->Unnamed->Hint(), "Без имени");
}

TEST_F(FormLocalization, PrefixesLoseTheirUnderscores) {
    TQZLocResources resources;
    resources.SetLocalizatorPrefix("__WORD__");
    EXPECT_EQ(resources.LocalizatorPrefix(), "WORD");
    resources.SetLocalizatorPrefix("C_QVR_");
    EXPECT_EQ(resources.LocalizatorPrefix(), "C_QVR");
}

TEST_F(FormLocalization, AClassHasOneReaderClass) {
    ASSERT_NE(PropertyReadersList, nullptr);
    const int readers = PropertyReadersList->Count();
    // The same reader class again is no second entry.
    EXPECT_NO_THROW(AddPropertyReader<TStringListPropertyReader>(TStrings::StaticClassInfo()));
    EXPECT_EQ(PropertyReadersList->Count(), readers);
    try {
        AddPropertyReader<TStringPropertyReader>(TStrings::StaticClassInfo());
        FAIL() << "a second reader class was taken";
    } catch (const EPropertyReadersList& e) {
        EXPECT_EQ(e.Message, "Dublicate reader for class");
    }
    EXPECT_NE(PropertyReadersList->FindReader("tstringlist"), nullptr);
    EXPECT_NE(LocalizatorLanguagesIDs, nullptr);
    EXPECT_EQ(LocalizatorLanguagesIDs->Count(), 0);
}

TEST_F(FormLocalization, ResourcesGiveStoredOrDefaultValues) {
    AddText("C_X_Edit1_Text", "из хранилища");
    TQZLocResource resource;
    resource.BaseID = "C_X_Edit1_Text";
    resource.DefaultValue = "по умолчанию";
    EXPECT_EQ(resource.GetLocalValue(""), "по умолчанию");
    EXPECT_EQ(resource.GetLocalValue("RUSSIAN"), "из хранилища");
    resource.BaseID = "C_X_Missing";
    EXPECT_EQ(resource.GetLocalValue("RUSSIAN"), ""); // the not-found mark never shows

    // Collected properties put the language's text back into their component.
    TQZLocResources collected;
    TStringPropertyReader strings;
    strings.ReadObjectProperty(collected, *Form->Edit, GetPropInfo(*Form->Edit, "Text"),
                               "C_X_Edit1_");
    TStringListPropertyReader lists;
    lists.ReadObjectProperty(collected, *Form->Memo, GetPropInfo(*Form->Memo, "Lines"),
                             "C_X_Memo1_");
    ASSERT_EQ(collected.Resources.size(), 3u);
    auto* text = static_cast<TQZLocComponentStringProperty*>(collected.Resources[0].get());
    EXPECT_EQ(text->GetObjectName(), "Edit1");
    EXPECT_EQ(text->GetPropName(), "Text");
    EXPECT_EQ(text->DefaultValue, "abc");
    auto* line = static_cast<TQZLocComponentStringListProperty*>(collected.Resources[2].get());
    EXPECT_EQ(line->GetPropName(), "Lines1");
    EXPECT_EQ(line->BaseID, "C_X_Memo1_Lines1");
    text->SetControlValue("RUSSIAN");
    EXPECT_EQ(Form->Edit->Text(), "из хранилища");
    AddText("C_X_Memo1_Lines1", "вторая");
    line->SetControlValue("RUSSIAN");
    EXPECT_EQ(Form->Memo->Lines()->Text(), "one\r\nвторая\r\n");
}
