#include "config_texts.h"

#include "qvr/error_catalogue.h"

#include <gtest/gtest.h>

namespace {

std::string ConnectionsOf(const TQVRConfig& config) {
    std::string s;
    for (int i = 0; i < config.ZWIConnection->TotalCount(); ++i)
        s += config.ZWIConnection->ConnectionToStr(config.ZWIConnection->Connections(i)) + ";";
    return s;
}

} // namespace

TEST(ConfigSections, TypedConnectionsAreReadUpToTheFirstGap) {
    auto config = ReadConfigText("[Config]\r\nUseConnectionType=1\r\nZWIHost0=ignored:1\r\n"
                                 "[Connection]\r\nConnectionType=serversocket\r\n"
                                 "Config0=MQ: QM|CH|CN|PUT|GET|ID\r\n"
                                 "Config1=Pigeon: somewhere\r\n"
                                 "Config2=ServerSocket: 10.0.0.1:80\r\n"
                                 "Config4=ClientSocket: late:1\r\n");
    EXPECT_EQ(config->ZWIConnection->CurrentType, ctServerSocket);
    EXPECT_EQ(ConnectionsOf(*config), "MQ: QM|CH|CN|PUT|GET|ID;ServerSocket: 10.0.0.1:80;");
    std::string text = WrittenText(*config);
    EXPECT_EQ(SectionOf(text, "Connection"), "ConnectionType=ServerSocket\r\n"
                                             "Config0=MQ: QM|CH|CN|PUT|GET|ID\r\n"
                                             "Config1=ServerSocket: 10.0.0.1:80\r\n");
    EXPECT_NE(SectionOf(text, "Config")
                  .find("BLLPath=%ZWSROOT%\\user\r\nUseConnectionType=1\r\n"
                        "MQQVRID=\r\n"),
              std::string::npos);
}

TEST(ConfigSections, TheHostListServesWhenNoTypeIsNamed) {
    auto config = ReadConfigText("[Config]\r\nUseConnectionType=1\r\nZWIHost0=a:1\r\n"
                                 "ZWIHost1= b : 2 \r\n[Connection]\r\nConfig0=MQ: x\r\n");
    EXPECT_TRUE(config->UseConnectionType);
    EXPECT_EQ(ConnectionsOf(*config), "ClientSocket: a:1;ClientSocket: b:2;");

    config = ReadConfigText("[Config]\r\nZWIHost0=a:1\r\nZWIHost2=c:3\r\n"
                            "[Connection]\r\nConnectionType=MQ\r\nConfig0=MQ: x\r\n");
    EXPECT_FALSE(config->UseConnectionType); // typed entries need the switch on
    EXPECT_EQ(ConnectionsOf(*config), "ClientSocket: a:1;");
    EXPECT_EQ(SectionOf(WrittenText(*config), "Connection"), "");
}

TEST(ConfigSections, ATypedListWithoutEntriesFallsBackToTheLocalSocket) {
    auto config =
        ReadConfigText("[Config]\r\nUseConnectionType=1\r\n[Connection]\r\nConnectionType=MQ\r\n");
    EXPECT_EQ(config->ZWIConnection->CurrentType, ctClientSocket);
    EXPECT_TRUE(config->UseConnectionType);
    EXPECT_EQ(ConnectionsOf(*config), "ClientSocket: localhost:12040;");
}

TEST(ConfigSections, AnUnknownTypeNameKeepsTheClientSocketInUse) {
    auto config = ReadConfigText("[Config]\r\nUseConnectionType=1\r\n[Connection]\r\n"
                                 "ConnectionType=Pigeon\r\nConfig0=MQ: a|b\r\n");
    EXPECT_EQ(config->ZWIConnection->CurrentType, ctClientSocket);
    EXPECT_EQ(ConnectionsOf(*config), "MQ: a|b|||;");
    EXPECT_EQ(SectionOf(WrittenText(*config), "Connection"),
              "ConnectionType=ClientSocket\r\nConfig0=MQ: a|b|||\r\n");
}

TEST(ConfigSections, AnotherConnectionTypeTurnsTypedConnectionsOn) {
    auto config = ReadConfigText("[Config]\r\nUseConnectionType=1\r\n[Connection]\r\n"
                                 "ConnectionType=1\r\nConfig0=1: a|b\r\n");
    EXPECT_EQ(config->ZWIConnection->CurrentType, ctMQ);
    config->UseConnectionType = false;
    config->ZWIConnection->AddConnection(ctClientSocket);
    // The host list keeps client sockets only: the queue connection is lost.
    auto copy = ReadConfigText(WrittenText(*config));
    EXPECT_FALSE(copy->UseConnectionType);
    EXPECT_EQ(ConnectionsOf(*copy), "ClientSocket: localhost:12040;");
}

TEST(ConfigSections, TagsStopAtTheFirstEmptyOne) {
    auto config = ReadConfigText("");
    config->ClearLoginPasswordTags->SetText("Login|<p>|</p>\r\n\r\nThird|a|b\r\n");
    std::string text = WrittenText(*config);
    EXPECT_NE(
        SectionOf(text, "Internal tracer params")
            .find("TraceFileMaxSize=500\r\nTag0=Login|<p>|</p>\r\nTag1=\r\nTag2=Third|a|b\r\n"),
        std::string::npos);
    EXPECT_EQ(ReadConfigText(text)->ClearLoginPasswordTags->Text(), "Login|<p>|</p>\r\n");
}

TEST(ConfigSections, WholeSectionsAreWrittenByTheirOwnRules) {
    auto config = ReadConfigText("[Request Absent Values]\r\nA=1\r\nNoValue\r\na=2\r\n=orphan\r\n"
                                 "B=\r\n"
                                 "[CryptoParams]\r\nKey=v\r\nEmpty=\r\nBare\r\n"
                                 "[SignZWIDataCryptoParams]\r\nKey=v\r\nEmpty=\r\nBare\r\n"
                                 "[CheckSignZWIDataCryptoParams]\r\nx=1\r\nx=2\r\n");
    EXPECT_EQ(config->RequestAbsentValues->Text(), "A=1\r\nNoValue\r\na=2\r\n=orphan\r\nB=\r\n");
    std::string text = WrittenText(*config);
    // Every name takes the first value given for it; the last spelling of the name stays.
    EXPECT_EQ(SectionOf(text, "Request Absent Values"), "a=1\r\nB=\r\n");
    EXPECT_EQ(SectionOf(text, "CryptoParams"), "Key=v\r\n");
    EXPECT_EQ(SectionOf(text, "SignZWIDataCryptoParams"), "Key=v\r\nEmpty=\r\nBare=\r\n");
    EXPECT_EQ(SectionOf(text, "CheckSignZWIDataCryptoParams"), "x=2\r\n");
    EXPECT_EQ(text.find("[Session consts]"), std::string::npos); // nothing to write
}

TEST(ConfigSections, CatalogueSwitchesFollowTheText) {
    auto config = ReadConfigText("[ShowErrors]\r\n100=1\r\n101=0101x1\r\n999=00000\r\n"
                                 "[InVisibleErrors]\r\n100=1\r\n"
                                 "[Errors HTMLs]\r\n501=err.html\r\n");
    EXPECT_EQ(GlobalErrorsObject->FindError(100)->GetFlagsAsString(), "10000");
    EXPECT_FALSE(GlobalErrorsObject->FindError(101)->OperativeShow);
    EXPECT_TRUE(GlobalErrorsObject->FindError(101)->WriteToLog);
    EXPECT_EQ(GlobalErrorsObject->FindError(501)->HTML, "err.html");
    EXPECT_EQ(GlobalErrorsObject->FindError(999), nullptr);

    std::string text = WrittenText(*config);
    EXPECT_EQ(text.find("InVisibleErrors"), std::string::npos);
    EXPECT_EQ(text.find("999"), std::string::npos);
    std::string switches = SectionOf(text, "ShowErrors");
    EXPECT_EQ(switches.rfind("100=10000\r\n101=01010\r\n103=11111\r\n", 0), 0u);
    EXPECT_NE(SectionOf(text, "Errors HTMLs").find("\r\n501=err.html\r\n502=\r\n"),
              std::string::npos);
}

TEST(ConfigSections, ASectionThatOccursTwiceIsReadFromItsFirstBlock) {
    auto config = ReadConfigText("[Config]\r\nResponseTimeOut=7\r\n"
                                 "[Errors]\r\n"
                                 "[Config]\r\nResponseTimeOut=8\r\nMQQVRID=only-in-the-second\r\n");
    EXPECT_EQ(config->ResponseTimeOut, 7);
    EXPECT_EQ(config->MQQVRID, "");
}
