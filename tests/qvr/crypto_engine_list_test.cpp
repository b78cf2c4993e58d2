#include "qvr/crypto_engine_list.h"
#include "qvr/exception_handler.h"

#include "rtl/file_io.h"
#include "rtl/object.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/crypto_stand_in.h"
#include "support/message_capture.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string CurrentFolder() {
    char folder[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::vector<std::string> Names(const TStrings* list) {
    std::vector<std::string> names;
    for (int i = 0; list && i < list->Count(); ++i)
        names.push_back(list->Get(i));
    return names;
}

// The library is searched for by its bare name in the stand-in's folder (the test program's
// own folder holds none), and released after each test.
class CryptoEngineListTest : public ::testing::Test {
protected:
    void LookIn(const std::string& folder) { SetDllDirectoryW(ToWide(folder).c_str()); }
    void TearDown() override {
        DoneSigmakit();
        SetDllDirectoryW(nullptr);
    }
    MessageCapture Boxes;
};

} // namespace

TEST_F(CryptoEngineListTest, WithoutALibraryMessage501IsShownAndNothingIsListed) {
    TempFolder empty;
    LookIn(empty.Path());
    LoadSigmakit(true, false);
    EXPECT_FALSE(SigmakitLoaded());
    EXPECT_EQ(SigmakitFullName, "");
    EXPECT_EQ(CryptoEngineLst, nullptr);
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Boxes.Texts[0], "Error load library: Sigmakit.dll");
    EXPECT_EQ(Boxes.Captions[0], "Ошибка");

    EXPECT_EQ(GetMaxCryptoEngineTypeLength(), 0);
    ASSERT_EQ(Boxes.Texts.size(), 2u);
    EXPECT_EQ(Boxes.Texts[1], "Error load library: ");
}

TEST_F(CryptoEngineListTest, TheLibraryListsItsTypesInOrderAndRunsInItsOwnFolder) {
    CryptoStandIn library;
    library.Configure(EngineTypes({"GOST", "RSA", "Пустой"}));
    LookIn(library.Folder());
    const std::string before = CurrentFolder();
    LoadSigmakit(true, true);

    EXPECT_TRUE(Boxes.Texts.empty());
    EXPECT_TRUE(AnsiSameText(SigmakitFullName, library.Library())) << SigmakitFullName;
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(Names(CryptoEngineLst.get()), (std::vector<std::string>{"GOST", "RSA", "Пустой"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ObjectToInt(CryptoEngineLst->Objects(i)), i);
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_NE(library.Log().find("GetCryptoEngineTypes 4 in " + library.Folder()),
              std::string::npos)
        << library.Log();

    // A second load keeps the library and the list it made.
    const TCryptoEngineList* list = CryptoEngineLst.get();
    library.ClearLog();
    LoadSigmakit(false, true);
    EXPECT_EQ(CryptoEngineLst.get(), list);
    EXPECT_EQ(library.Log(), "");
}

TEST_F(CryptoEngineListTest, ListsEndAtTheFirstEmptyTypeAndAtAHundred) {
    CryptoStandIn library;
    std::string many = "[Types]\r\n";
    for (int i = 1; i <= 120; ++i)
        many += std::to_string(i) + "=T" + std::to_string(i) + "\r\n";
    library.Configure(many);
    LookIn(library.Folder());
    LoadSigmakit(true, true);
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(CryptoEngineLst->Count(), 100);
    EXPECT_EQ(CryptoEngineLst->Get(99), "T100");
    EXPECT_EQ(ObjectToInt(CryptoEngineLst->Objects(99)), 99);

    DoneSigmakit();
    library.Configure("[Types]\r\n2=Second\r\n");
    LoadSigmakit(true, true);
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(CryptoEngineLst->Count(), 0);
    EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(CryptoEngineListTest, NamesAreCutToTheReportedLengthAndNoLengthAsksNothing) {
    CryptoStandIn library;
    // The stand-in writes as many characters as it reports and a terminator after them.
    library.Configure(EngineTypes({"ABCDEFG", "HI"}) + "[Limits]\r\nTypeLength=4\r\n");
    LookIn(library.Folder());
    LoadSigmakit(true, true);
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(Names(CryptoEngineLst.get()), (std::vector<std::string>{"ABCD", "HI"}));

    DoneSigmakit();
    library.Configure(EngineTypes({"A"}) + "[Limits]\r\nTypeLength=0\r\n");
    library.ClearLog();
    LoadSigmakit(true, true);
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(CryptoEngineLst->Count(), 0);
    EXPECT_EQ(library.Log().find("GetCryptoEngineTypes"), std::string::npos);
    EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(CryptoEngineListTest, ABufferThatCannotBeHadShowsMessage503) {
    // A block of 2 GB does not fit beside the program and the system's libraries in a 32-bit
    // process.
    CryptoStandIn library;
    library.Configure(EngineTypes({"A"}) + "[Limits]\r\nTypeLength=2147483647\r\n");
    LookIn(library.Folder());
    LoadSigmakit(true, true);
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(CryptoEngineLst->Count(), 0);
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Boxes.Texts[0], "Error get mem size 2147483647 for CryptoEngineList.");
}

TEST_F(CryptoEngineListTest, AMissingExportShowsMessage502Once) {
    CryptoStandIn library("Sigmakit.dll", "empty_library.dll");
    LookIn(library.Folder());
    LoadSigmakit(true, true);
    EXPECT_TRUE(SigmakitLoaded());
    ASSERT_NE(CryptoEngineLst, nullptr);
    EXPECT_EQ(CryptoEngineLst->Count(), 0);
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Boxes.Texts[0],
              "Not found function GetCryptoEngineTypes in library " + SigmakitFullName);
}

TEST_F(CryptoEngineListTest, TheCallGatewayComesFirstUnlessTheServerAsks) {
    CryptoStandIn gateway("vx_gate.dll");
    gateway.Configure(EngineTypes({"Gateway"}));
    CryptoStandIn direct("Sigmakit.dll");
    direct.Configure(EngineTypes({"Direct"}));
    // Both copies in one folder: the second stand-in's library moves next to the first.
    ASSERT_TRUE(CopyFileW(ToWide(direct.Library()).c_str(),
                          ToWide(gateway.Folder() + "\\Sigmakit.dll").c_str(), FALSE));
    WriteWholeFile(gateway.Folder() + "\\Sigmakit.ini", EngineTypes({"Direct"}));
    LookIn(gateway.Folder());

    LoadSigmakit(false, true);
    EXPECT_EQ(Names(CryptoEngineLst.get()), std::vector<std::string>{"Gateway"});
    DoneSigmakit();
    LoadSigmakit(true, true);
    EXPECT_EQ(Names(CryptoEngineLst.get()), std::vector<std::string>{"Direct"});
}

TEST(QZErrorHandler, ACodeOutsideTheCatalogueShowsRow100) {
    MessageCapture boxes;
    QZErrorHandler(502, {"F", "L"});
    QZErrorHandler(987654, {"what happened"});
    QZErrorHandler(501, {}); // too few arguments for the pattern
    ASSERT_EQ(boxes.Texts.size(), 3u);
    EXPECT_EQ(boxes.Texts[0], "Not found function F in library L");
    EXPECT_EQ(boxes.Texts[1], "what happened");
    EXPECT_EQ(boxes.Captions[1], "Ошибка");
    EXPECT_EQ(boxes.Texts[2], "Error load library: %s");
}
