#include "qvr/error_catalogue.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

TEST(ConfigErrorCatalogue, ANewCatalogueHasEveryRowSwitchedOn) {
    TGlobalErrorsObject catalogue;
    ASSERT_EQ(catalogue.Count(), 37);
    for (int i = 0; i < catalogue.Count(); ++i) {
        EXPECT_EQ(catalogue.Error(i)->GetFlagsAsString(), "11111");
        EXPECT_EQ(catalogue.Error(i)->HTML, "");
    }
    EXPECT_EQ(catalogue.Error(0)->ErrorCode, 100);
    EXPECT_EQ(catalogue.Error(36)->ErrorCode, 503);
    EXPECT_EQ(catalogue.Error(-1), nullptr);
    EXPECT_EQ(catalogue.Error(37), nullptr);
    EXPECT_EQ(catalogue.FindError(115)->Describe, "");
    EXPECT_EQ(catalogue.FindError(120)->Describe, "");
    EXPECT_EQ(catalogue.FindError(401)->Describe, "Ошибка сокета");
    EXPECT_NE(catalogue.FindError(117)->Describe.find("запрос:\r\nSELECT CryptoUID.fActive"),
              std::string::npos);
    EXPECT_EQ(TGlobalErrorsObject::GetDefaultErrorDescribe(102), "");
}

TEST(ConfigErrorCatalogue, SwitchTextsArePaddedAndCut) {
    TErrorRec row(1, "");
    row.SetFlagsAsString("1");
    EXPECT_EQ(row.GetFlagsAsString(), "10000");
    row.SetFlagsAsString("0101x1");
    EXPECT_EQ(row.GetFlagsAsString(), "01010");
    EXPECT_TRUE(row.WriteToLog);
    EXPECT_TRUE(row.WriteHTTPHeaders);
    row.SetFlagsAsString("");
    EXPECT_EQ(row.GetFlagsAsString(), "00000");
}

TEST(ConfigErrorCatalogue, MessagesFallBackToTheGeneralRow) {
    TGlobalErrorsObject catalogue;
    EXPECT_EQ(catalogue.ErrorMessageFmt(999, {"abc"}), "abc");
    EXPECT_EQ(catalogue.ErrorMessageFmt(501, {"x.dll"}), "Error load library: x.dll");
    EXPECT_EQ(catalogue.ErrorMessageFmt(103, {"S1"}), "Работа сессии S1 завершена.");
    EXPECT_EQ(catalogue.ErrorMessageFmt(206, {"f", "l", "e"}),
              "Error on execute function : \"f\" in library: \"l\", error: e ");
    EXPECT_EQ(catalogue.ErrorMessageFmt(213, {5, "b", "f", "t", "s"}),
              "Timeout (5) wait for end exec task (BLL: b Function: f Thread: t) excceeded. "
              "\r\nStack: \r\ns");
    EXPECT_THROW(catalogue.ErrorMessageFmt(503, {"text"}), EConvertError);
}

TEST(ConfigErrorCatalogue, AddedRowsAreFoundFirstComeFirst) {
    TGlobalErrorsObject catalogue;
    catalogue.AddError(777, "seven %d");
    catalogue.AddError(777, "shadowed");
    EXPECT_EQ(catalogue.ErrorMessageFmt(777, {7}), "seven 7");
    EXPECT_EQ(catalogue.Count(), 39);
}
