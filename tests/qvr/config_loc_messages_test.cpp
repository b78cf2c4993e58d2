#include "qvr/loc_messages.h"

#include "tools/localization_store.h"
#include "tools/sorted_lists.h"

#include <gtest/gtest.h>

namespace {

class ConfigLocMessages : public testing::Test {
protected:
    void SetUp() override {
        InitLocalizationStore();
        InitQVRLocMessages();
    }
    void TearDown() override {
        DoneQVRLocMessages();
        DoneLocalizationStore();
    }

    TQZSortedParams& AddLanguage(const std::string& language) {
        auto* table = new TQZSortedParams;
        FileLocalizator->LangList.AddObject(language, table);
        return *table;
    }
};

} // namespace

TEST_F(ConfigLocMessages, AnEmptyStoreGivesTheEnglishTexts) {
    EXPECT_EQ(QVRLocMessages->Count(), 24);
    EXPECT_EQ(GetLocalizedMessage(msgQuestionCaption), "Question");
    EXPECT_EQ(GetLocalizedMessage("MSGQUESTIONCAPTION"), "Question");
    EXPECT_EQ(GetLocalizedMessage(msgTooLageFile, {"C:\\big.log"}),
              "File \"C:\\big.log\" greate then 1 Megabyte, open directory with file?\r\n"
              "Yes - open directory\r\nNo - open file\r\nCancel - canceled open");
    EXPECT_EQ(GetLocalizedMessage(msgErrorBDLessMaxNumTasks, {10, 15, 9, 4}),
              "MaxSessions of BaseManager (10) must be greater of max number running tasks (15). "
              "Set max run tasks to 9 huge to 4.");
    EXPECT_EQ(GetLocalizedMessage("msgNoSuchMessage", {"x"}), "");
    EXPECT_EQ(GetDefaultMessage(msgErrordetermineSelfClientNumber),
              "Unable to determine self client number");
}

TEST_F(ConfigLocMessages, TheStoreAnswersForTheDefaultLanguage) {
    TQZSortedParams& russian = AddLanguage("Russian");
    russian.AddParam("C_QVR_MESSAGES_msgQuestionCaption", "Вопрос");
    russian.AddParam("C_QVR_MESSAGES_msgNotFoundFile", "Нет файла %s");
    russian.AddParam("C_QVR_MESSAGES_msgOkReconfig", "");
    EXPECT_EQ(GetLocalizedMessage(msgQuestionCaption), "Вопрос");
    EXPECT_EQ(GetLocalizedMessage(msgNotFoundFile, {"a.ini"}), "Нет файла a.ini");
    EXPECT_EQ(GetLocalizedMessage(msgOkReconfig), "Ok - Reconfig"); // an empty text misses
    EXPECT_EQ(GetLocalizedMessage(msgErrorReadConfig), "Error read config");

    FileLocalizator->SetLanguageID("ENGLISH");
    EXPECT_EQ(GetLocalizedMessage(msgQuestionCaption), "Question");
}
