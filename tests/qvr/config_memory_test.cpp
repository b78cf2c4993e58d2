#include "config_texts.h"

#include "qvr/error_catalogue.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

// Every test's files live in a folder of their own that goes with the test program.
std::string TempFileName(const char* name) {
    static const TempFolder folder;
    return folder.File(name);
}

// Counts the INI objects it hands out and takes back.
class CountingConfig : public TQVRConfig {
public:
    int Created = 0;
    int Destroyed = 0;

protected:
    std::unique_ptr<TCustomIniFile> CreateIniFileObject() override {
        ++Created;
        return TQVRConfig::CreateIniFileObject();
    }
    void DestroyIniFileObject(std::unique_ptr<TCustomIniFile> iniFile) override { ++Destroyed; }
};

} // namespace

TEST(ConfigMemory, ReadingNormalisesTheLines) {
    auto config = ReadConfigText("junk before\r\n[Vendor]\r\n; note\r\nx=1\r\n\r\n\r\n"
                                 "[config]\r\nServerName=s\r\n[Vendor]\r\ny=2");
    // The second [Vendor] block is not read: a section counts in its first occurrence.
    EXPECT_EQ(config->CfgFileLines.Text(),
              "[Vendor]\r\nx=1\r\n\r\n[config]\r\nServerName=s\r\n\r\n");
}

TEST(ConfigMemory, WritingNeverTouchesAFile) {
    std::string fileName = TempFileName("config_memory_test.ini");
    WriteWholeFile(fileName, "[Config]\r\nServerName=fromfile\r\n");
    auto config = std::make_unique<TMemoryQVRConfig>();
    config->QVRIniFileName = fileName;
    config->CfgFileLines.SetText("[Config]\r\nServerName=fromlines\r\n");
    config->ReadQVRParameters();
    EXPECT_EQ(config->ServerName, "fromlines");
    config->ServerName = "edited";
    config->WriteQVRParameters();
    EXPECT_EQ(ReadWholeFile(fileName), "[Config]\r\nServerName=fromfile\r\n");
    EXPECT_EQ(SectionOf(config->CfgFileLines.Text(), "Config").rfind("ServerName=edited", 0), 0u);

    config->QVRIniFileName = TempFileName("config_memory_absent.ini");
    DeleteFileByName(config->QVRIniFileName);
    config->WriteQVRParameters();
    EXPECT_FALSE(FileExists(config->QVRIniFileName));
    DeleteFileByName(fileName);
}

TEST(ConfigMemory, TheFileVariantWritesAndReadsItsFile) {
    std::string fileName = TempFileName("config_file_test.ini");
    WriteWholeFile(fileName, "[Vendor]\r\nx=1\r\n");
    TQVRConfig config;
    config.QVRIniFileName = fileName;
    config.ReadQVRParameters();
    config.RAdminPort = 2222;
    config.WriteQVRParameters();
    std::string text = ReadWholeFile(fileName);
    EXPECT_EQ(text.find("[Vendor]"), std::string::npos);
    EXPECT_EQ(text.rfind("[Config]\r\nServerName=yourbank\r\n", 0), 0u);
    EXPECT_NE(text.find("[Start]\r\nDelayBeforeLogin=0\r\n\r\n[Debug info]\r\n"),
              std::string::npos);
    TQVRConfig again;
    again.QVRIniFileName = fileName;
    again.ReadQVRParameters();
    EXPECT_EQ(again.RAdminPort, 2222);
    DeleteFileByName(fileName);
}

TEST(ConfigMemory, AFailedWriteReleasesItsIniObject) {
    CountingConfig config;
    config.QVRIniFileName = TempFileName("no_such_folder\\qvr.ini");
    EXPECT_THROW(config.WriteQVRParameters(), EInOutError);
    EXPECT_EQ(config.Created, 1);
    EXPECT_EQ(config.Destroyed, 1);
    config.ReadQVRParameters();
    EXPECT_EQ(config.Created, 3);
    EXPECT_EQ(config.Destroyed, 3);
}

TEST(ConfigMemory, FreeingOneConfigurationLeavesTheOtherItsCatalogue) {
    auto first = std::make_unique<TMemoryQVRConfig>();
    auto second = std::make_unique<TMemoryQVRConfig>();
    second->CfgFileLines.SetText("[ShowErrors]\r\n401=0\r\n");
    second->ReadQVRParameters();
    first.reset();
    ASSERT_NE(GlobalErrorsObject, nullptr);
    // The switches the survivor read are still there, for it and for the settings dialog.
    EXPECT_EQ(GlobalErrorsObject->FindError(401)->GetFlagsAsString(), "00000");
    EXPECT_NE(WrittenText(*second).find("401=00000"), std::string::npos);
    second->ReadQVRParameters();
    EXPECT_EQ(GlobalErrorsObject->FindError(401)->GetFlagsAsString(), "00000");
    second.reset();
    EXPECT_EQ(GlobalErrorsObject, nullptr);
}
