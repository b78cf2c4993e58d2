#include "tools/localization_store.h"

#include "tools/sorted_lists.h"

#include <gtest/gtest.h>

TEST(LocalizationStore, LanguagesAreFoundByTheirStart) {
    TFileLocalizator store;
    EXPECT_EQ(store.LanguageID(), "RUSSIAN");
    EXPECT_EQ(store.GetLanguageID("RUSSIAN"), nullptr);
    auto* english = new TQZSortedParams;
    auto* russian = new TQZSortedParams;
    store.LangList.AddObject("English", english);
    store.LangList.AddObject("Russian", russian);
    EXPECT_EQ(store.GetLanguageID("rus"), russian);
    EXPECT_EQ(store.GetLanguageID("RUSSIAN"), russian);
    EXPECT_EQ(store.GetLanguageID("RUSSIAN2"), nullptr);
    EXPECT_EQ(store.GetLanguageID(""), english); // every identifier starts with nothing
}

TEST(LocalizationStore, MissesGiveTheNotFoundMark) {
    TFileLocalizator store;
    auto* russian = new TQZSortedParams;
    russian->AddParam("C_FORM_Caption", "Окно");
    russian->AddParam("C_FORM_Hint", "");
    store.LangList.AddObject("RUSSIAN", russian);
    EXPECT_EQ(store.GetResource("Russian", "c_form_caption"), "Окно");
    EXPECT_EQ(store.GetResource("Russian", "C_FORM_Hint"), LocNotFoundMark);
    EXPECT_EQ(store.GetResource("Russian", "C_FORM_Other"), LocNotFoundMark);
    EXPECT_EQ(store.GetResource("German", "C_FORM_Caption"), LocNotFoundMark);
    EXPECT_EQ(LocNotFoundMark, std::string(1, '\0'));
}

TEST(LocalizationStore, TheGlobalStoreStaysEmpty) {
    InitLocalizationStore();
    EXPECT_EQ(DefaultLanguageID(), "RUSSIAN");
    SetLocalResourceValue("C_X", "RUSSIAN", "text");
    EXPECT_EQ(GetLocalResourceValue("C_X", DefaultLanguageID()), LocNotFoundMark);
    DoneLocalizationStore();
    EXPECT_EQ(GetLocalResourceValue("C_X", "RUSSIAN"), LocNotFoundMark);
}
