#include "config_texts.h"

#include "qvr/built_in_errors.h"
#include "qvr/error_catalogue.h"
#include "rtl/strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

// Every row of a new catalogue, written out: a row dropped from the table or a mistyped code
// must show here.
const char DefaultCatalogueSections[] =
    "[ShowErrors]\r\n"
    "100=11111\r\n101=11111\r\n103=11111\r\n104=11111\r\n105=11111\r\n"
    "106=11111\r\n107=11111\r\n108=11111\r\n110=11111\r\n111=11111\r\n"
    "112=11111\r\n113=11111\r\n114=11111\r\n115=11111\r\n116=11111\r\n"
    "117=11111\r\n118=11111\r\n119=11111\r\n120=11111\r\n121=11111\r\n"
    "201=11111\r\n203=11111\r\n204=11111\r\n205=11111\r\n206=11111\r\n"
    "207=11111\r\n209=11111\r\n210=11111\r\n211=11111\r\n212=11111\r\n"
    "213=11111\r\n214=11111\r\n303=11111\r\n401=11111\r\n501=11111\r\n"
    "502=11111\r\n503=11111\r\n"
    "\r\n"
    "[Errors HTMLs]\r\n"
    "100=\r\n101=\r\n103=\r\n104=\r\n105=\r\n"
    "106=\r\n107=\r\n108=\r\n110=\r\n111=\r\n"
    "112=\r\n113=\r\n114=\r\n115=\r\n116=\r\n"
    "117=\r\n118=\r\n119=\r\n120=\r\n121=\r\n"
    "201=\r\n203=\r\n204=\r\n205=\r\n206=\r\n"
    "207=\r\n209=\r\n210=\r\n211=\r\n212=\r\n"
    "213=\r\n214=\r\n303=\r\n401=\r\n501=\r\n"
    "502=\r\n503=\r\n"
    "\r\n";

const char DefaultTextBeforeCatalogue[] =
    "[Config]\r\n"
    "ServerName=yourbank\r\n"
    "ScriptPath=ZWScript/\r\n"
    "TemplatePath=%ZWSROOT%\\Subsys\\template\r\n"
    "BLLPath=%ZWSROOT%\\user\r\n"
    "ZWIHost0=localhost:12040\r\n"
    "MQQVRID=\r\n"
    "ResponseTimeOut=20\r\n"
    "TryConnectionInterval=1\r\n"
    "ClientTimeOut=600\r\n"
    "ClientMaxSessions=100\r\n"
    "SilentShutdown=0\r\n"
    "OnlyInformService=0\r\n"
    "MaxRunTasks=15\r\n"
    "MaxRunHugeTasks=8\r\n"
    "CheckForDeadTask=0\r\n"
    "KillDeadTask=0\r\n"
    "ExecTaskTimeOut=60\r\n"
    "ExecHugeTaskTimeOut=180\r\n"
    "\r\n"
    "[Internal tracer params]\r\n"
    "IntTraceWriteType=1\r\n"
    "IntTraceEnabled=0\r\n"
    "IntTraceFileName=%ZWSRoot%\\SUBSYS\\Logs\\QVRTrace\r\n"
    "WriteARMToTrace=0\r\n"
    "ClearLoginPassword=0\r\n"
    "TraceFileMaxSize=500\r\n"
    "\r\n"
    "[Cache options]\r\n"
    "EnableCashe=0\r\n"
    "\r\n"
    "[Errors]\r\n"
    "LogFileName=%ZWSROOT%\\qvrerror.log\r\n"
    "BlinkTrayIconOnError=1\r\n"
    "ShowErrorsMonitor=1\r\n"
    "\r\n"
    "[Sheduler]\r\n"
    "ShemeName=\r\n"
    "AutoStartScheme=0\r\n"
    "\r\n"
    "[ErrorResponse]\r\n"
    "ReturnOnlyErrorText=0\r\n"
    "DefaultErrorHTML=%ZWSRoot%\\SUBSYS\\TEMPLATE\\QVR_Error.xml\r\n"
    "\r\n";

const char DefaultTextAfterCatalogue[] = "[Sessions]\r\n"
                                         "CheckFuncRights=1\r\n"
                                         "AlwaysNeedTaskConfig=1\r\n"
                                         "CloseSessionBLLName=\r\n"
                                         "CloseSessionFunctionName=\r\n"
                                         "CheckTaskRWA=1\r\n"
                                         "CheckUniqSIDIpHost=0\r\n"
                                         "CheckUniqRunTask=0\r\n"
                                         "\r\n"
                                         "[TrayIcon]\r\n"
                                         "ChangeErrorIconsInterval=100\r\n"
                                         "CustomDefaultTrayIcon=\r\n"
                                         "CustomErrorTrayIcons=\r\n"
                                         "\r\n"
                                         "[Crypto]\r\n"
                                         "CryptoEngineType=\r\n"
                                         "TypeGetCryptoParams=0\r\n"
                                         "CryptoParamsFile=%ZWSRoot%\\crypt.txt\r\n"
                                         "InitCryptoEngine=0\r\n"
                                         "\r\n"
                                         "[Authenticate]\r\n"
                                         "IdentUserVersion=1\r\n"
                                         "WebAdminSiteInstanceID=\r\n"
                                         "AuthenticateEmptyUser=1\r\n"
                                         "\r\n"
                                         "[CryptoZWIData]\r\n"
                                         "SignData=0\r\n"
                                         "SignCryptoEngineType=\r\n"
                                         "CheckSignData=0\r\n"
                                         "CheckSignCryptoEngineType=\r\n"
                                         "\r\n"
                                         "[RAdmin]\r\n"
                                         "RAdminEnabled=0\r\n"
                                         "RAdminViewModOnly=1\r\n"
                                         "RAdminBindAddress=0.0.0.0\r\n"
                                         "RAdminPort=1111\r\n"
                                         "RAAcceptedIPAddresses=\r\n"
                                         "\r\n"
                                         "[Start]\r\n"
                                         "DelayBeforeLogin=0\r\n"
                                         "\r\n"
                                         "[Debug info]\r\n"
                                         "DebugInfoDirectory=\r\n"
                                         "AutoSaveDebugInfo=0\r\n"
                                         "SaveDebugInfoInterval=10\r\n"
                                         "SaveSystemParams=0\r\n"
                                         "SaveDataBaseParams=0\r\n"
                                         "SaveBLLLeakObjects=0\r\n"
                                         "SaveSystemLeakObjects=0\r\n"
                                         "SaveRunTasks=0\r\n"
                                         "SaveLoggedUsers=0\r\n"
                                         "SaveOpenSessions=0\r\n"
                                         "SaveQVRConfig=0\r\n"
                                         "EnableBLLLeak=0\r\n"
                                         "EnableSystemLeak=0\r\n"
                                         "\r\n";

// The text with each pair's first text, at its first place, replaced by the second.
std::string Replaced(std::string text,
                     std::initializer_list<std::pair<const char*, const char*>> changes) {
    for (const auto& change : changes) {
        const size_t at = text.find(change.first);
        EXPECT_NE(at, std::string::npos) << change.first;
        if (at != std::string::npos)
            text.replace(at, std::strlen(change.first), change.second);
    }
    return text;
}

} // namespace

TEST(ConfigRoundTrip, AnEmptyTextWritesTheWholeDefaultConfiguration) {
    auto config = ReadConfigText("");
    EXPECT_EQ(config->TryConnectionInterval, 1); // a new object holds 0
    EXPECT_EQ(config->MaxRunHugeTasks, 8);       // half of 15, halves to even
    EXPECT_FALSE(config->UseConnectionType);
    ASSERT_EQ(config->ZWIConnection->TotalCount(), 1);
    EXPECT_EQ(config->ZWIConnection->ConnectionToStr(config->ZWIConnection->Connections(0)),
              "ClientSocket: localhost:12040");
    EXPECT_EQ(WrittenText(*config), std::string(DefaultTextBeforeCatalogue) +
                                        DefaultCatalogueSections + DefaultTextAfterCatalogue);
}

TEST(ConfigRoundTrip, SetDefaultsAloneLeavesTheDerivedValues) {
    TMemoryQVRConfig config;
    config.TryConnectionInterval = 7;
    config.SetQVRDefaultParams();
    EXPECT_EQ(config.MaxRunHugeTasks, 10);
    EXPECT_EQ(config.TryConnectionInterval, 7);
    EXPECT_EQ(config.ServerName, "yourbank");
    EXPECT_TRUE(config.RAdminViewModOnly);
    EXPECT_EQ(config.ZWIConnection->TotalCount(), 0);
}

TEST(ConfigRoundTrip, AnOddTextReadsByTheKeyRulesAndLosesWhatIsUnknown) {
    auto config = ReadConfigText("; server settings\r\n"
                                 "[CONFIG]\r\n"
                                 "servername=first\r\n"
                                 "ServerName=second\r\n"
                                 "SilentShutdown=2\r\n"
                                 "OnlyInformService=1\r\n"
                                 "CheckForDeadTask=2\r\n"
                                 "KillDeadTask=x\r\n"
                                 "MaxRunTasks=many\r\n"
                                 "ResponseTimeOut= 30\r\n"
                                 "ClientTimeOut=30 \r\n"
                                 "Unknown=1\r\n"
                                 "[Vendor]\r\n"
                                 "Anything=here\r\n"
                                 "[radmin]\r\n"
                                 "RAdminPort=0x10\r\n"
                                 "RAdminViewModOnly=abc\r\n"
                                 "RAdminEnabled=-1\r\n"
                                 "[Errors]\r\n"
                                 "BlinkTrayIconOnError=0\r\n"
                                 "ShowErrorsMonitor=$1\r\n");
    EXPECT_EQ(config->ServerName, "first");
    EXPECT_FALSE(config->SilentShutdown); // a flag is on only for exactly 1
    EXPECT_TRUE(config->OnlyInformService);
    EXPECT_TRUE(config->CheckForDeadTask); // a Boolean is on for anything but 0
    EXPECT_FALSE(config->KillDeadTask);
    EXPECT_EQ(config->MaxRunTasks, 15);
    EXPECT_EQ(config->MaxRunHugeTasks, 8);
    EXPECT_EQ(config->ResponseTimeOut, 30);
    EXPECT_EQ(config->ClientTimeOut, 600);
    EXPECT_EQ(config->RAdminPort, 16);
    EXPECT_TRUE(config->RAdminViewModOnly);
    EXPECT_TRUE(config->RAdminEnabled);
    EXPECT_FALSE(config->BlinkTrayIconOnError);
    EXPECT_TRUE(config->ShowErrorsMonitor);

    std::string text = WrittenText(*config);
    EXPECT_EQ(text.find("Vendor"), std::string::npos);
    EXPECT_EQ(text.find("Unknown"), std::string::npos);
    EXPECT_EQ(text.find("[CONFIG]"), std::string::npos);
    EXPECT_EQ(text.rfind("[Config]\r\nServerName=first\r\n", 0), 0u);
    EXPECT_EQ(SectionOf(text, "RAdmin"), "RAdminEnabled=1\r\nRAdminViewModOnly=1\r\n"
                                         "RAdminBindAddress=0.0.0.0\r\nRAdminPort=16\r\n"
                                         "RAAcceptedIPAddresses=\r\n");
}

TEST(ConfigRoundTrip, HugeTasksDefaultToHalfOfTheTasksRoundedToEven) {
    for (auto [tasks, huge] : {std::pair{5, 2}, {3, 2}, {1, 0}, {15, 8}, {0, 0}})
        EXPECT_EQ(ReadConfigText("[Config]\r\nMaxRunTasks=" + IntToStr(tasks))->MaxRunHugeTasks,
                  huge)
            << tasks;
    EXPECT_EQ(ReadConfigText("[Config]\r\nMaxRunTasks=5\r\nMaxRunHugeTasks=4")->MaxRunHugeTasks, 4);
}

TEST(ConfigRoundTrip, TryConnectionIntervalKeepsItsValueAcrossReads) {
    TMemoryQVRConfig config;
    config.CfgFileLines.SetText("[Config]\r\nTryConnectionInterval=-3\r\nServerName=x\r\n");
    config.ReadQVRParameters();
    EXPECT_EQ(config.TryConnectionInterval, 1);
    config.CfgFileLines.SetText("[Config]\r\nTryConnectionInterval=5\r\n");
    config.ReadQVRParameters();
    EXPECT_EQ(config.TryConnectionInterval, 5);
    config.CfgFileLines.Clear();
    config.ReadQVRParameters();
    EXPECT_EQ(config.TryConnectionInterval, 5); // read with the value it holds
    EXPECT_EQ(config.ServerName, "yourbank");   // everything else starts again
}

TEST(ConfigRoundTrip, WrittenFieldsReadBackTheSame) {
    auto config = ReadConfigText("");
    config->ServerName = "Сервер";
    config->IntTraceEnabled = true;
    config->ClearLoginPassword = true;
    config->SaveRunTasks = true;
    config->AutoSaveDebugInfo = true;
    config->SaveDebugInfoInterval = 30;
    config->RAdminViewModOnly = false;
    config->DelayBeforeLogin = -2;
    config->SessionConsts->Add("Lang=ru");
    config->CryptoParams->Add("Key=v");
    auto copy = ReadConfigText(WrittenText(*config));
    EXPECT_EQ(copy->ServerName, "Сервер");
    EXPECT_TRUE(copy->IntTraceEnabled);
    EXPECT_TRUE(copy->ClearLoginPassword);
    EXPECT_TRUE(copy->SaveRunTasks);
    EXPECT_TRUE(copy->AutoSaveDebugInfo);
    EXPECT_EQ(copy->SaveDebugInfoInterval, 30);
    EXPECT_FALSE(copy->RAdminViewModOnly);
    EXPECT_EQ(copy->DelayBeforeLogin, -2);
    EXPECT_EQ(copy->SessionConsts->Text(), "Lang=ru\r\n");
    EXPECT_EQ(copy->CryptoParams->Text(), "Key=v\r\n");
    EXPECT_EQ(WrittenText(*copy), config->CfgFileLines.Text());
}

TEST(ConfigRoundTrip, SigningIsOnWhenEitherSideSigns) {
    auto config = ReadConfigText("[CryptoZWIData]\r\nCheckSignData=1\r\n");
    EXPECT_TRUE(config->UseSignForPackets);
    EXPECT_EQ(SectionOf(WrittenText(*config), "CryptoZWIData"),
              "UseSignForPackets=1\r\nSignData=0\r\nSignCryptoEngineType=\r\nCheckSignData=1\r\n"
              "CheckSignCryptoEngineType=\r\n");
    EXPECT_TRUE(ReadConfigText("[CryptoZWIData]\r\nUseSignForPackets=1")->UseSignForPackets);
}

// The written text of a text with every kind of oddity the INI rules name, whole, so that a
// change in how names are found or sections kept shows here.
TEST(ConfigRoundTrip, AMixedTextIsWrittenExactlyAsBefore) {
    auto config = ReadConfigText("; comment before the sections\r\n"
                                 "orphan=1\r\n"
                                 "[config]\r\n"
                                 "SERVERNAME=first\r\n"
                                 "ServerName=second\r\n"
                                 "useconnectiontype=1\r\n"
                                 "MaxRunTasks=\r\n"
                                 ";ServerName=commented\r\n"
                                 "[Connection]\r\n"
                                 "connectiontype=mq\r\n"
                                 "config0=MQ: q1\r\n"
                                 "Config0=MQ: dup\r\n"
                                 "CONFIG1=ClientSocket: host:1\r\n"
                                 "[Internal Tracer Params]\r\n"
                                 "tag0=a|b|c\r\n"
                                 "TAG0=dup\r\n"
                                 "Tag1=x|y|z\r\n"
                                 "Tag2=\r\n"
                                 "Tag3=lost\r\n"
                                 "[Request Absent Values]\r\n"
                                 "A=1\r\n"
                                 "a=2\r\n"
                                 "=noname\r\n"
                                 "B=\r\n"
                                 "noequals\r\n"
                                 "[session consts]\r\n"
                                 "; comment inside\r\n"
                                 "X=1\r\n"
                                 "\r\n"
                                 "x=2\r\n"
                                 "[CryptoParams]\r\n"
                                 "K1=v1\r\n"
                                 "K2=\r\n"
                                 "K3\r\n"
                                 "k1=v4\r\n"
                                 "[SignZWIDataCryptoParams]\r\n"
                                 "S1=\r\n"
                                 "s1=x\r\n"
                                 "S2=y\r\n"
                                 "[CONFIG]\r\n"
                                 "ServerName=second block\r\n"
                                 "[ShowErrors]\r\n"
                                 "100=01\r\n"
                                 "100=1\r\n"
                                 "[errors htmls]\r\n"
                                 "100=err.html\r\n"
                                 "[Debug Info]\r\n"
                                 "SaveRunTasks=1\r\n"
                                 "saveruntasks=0\r\n"
                                 "DebugInfoDirectory=\r\n"
                                 "[Vendor]\r\n"
                                 "x=1\r\n");
    // The default text with what this one changes.
    const std::string expected =
        Replaced(std::string(DefaultTextBeforeCatalogue) + DefaultCatalogueSections +
                     DefaultTextAfterCatalogue,
                 {{"ServerName=yourbank", "ServerName=first"},
                  {"BLLPath=%ZWSROOT%\\user\r\nZWIHost0=localhost:12040",
                   "BLLPath=%ZWSROOT%\\user\r\nUseConnectionType=1"},
                  {"ExecHugeTaskTimeOut=180\r\n\r\n", "ExecHugeTaskTimeOut=180\r\n\r\n"
                                                      "[Connection]\r\n"
                                                      "ConnectionType=MQ\r\n"
                                                      "Config0=MQ: q1||||\r\n"
                                                      "Config1=ClientSocket: host:1\r\n\r\n"},
                  {"TraceFileMaxSize=500\r\n\r\n", "TraceFileMaxSize=500\r\n"
                                                   "Tag0=a|b|c\r\n"
                                                   "Tag1=x|y|z\r\n\r\n"
                                                   "[Request Absent Values]\r\na=1\r\nB=\r\n\r\n"
                                                   "[Session consts]\r\nx=1\r\n\r\n"},
                  {"100=11111", "100=01000"},
                  {"100=\r\n", "100=err.html\r\n"},
                  {"[Authenticate]", "[CryptoParams]\r\nk1=v4\r\n\r\n[Authenticate]"},
                  {"[RAdmin]", "[SignZWIDataCryptoParams]\r\ns1=x\r\nS2=y\r\n\r\n[RAdmin]"},
                  {"SaveRunTasks=0", "SaveRunTasks=1"}});
    EXPECT_EQ(WrittenText(*config), expected);
}
