#include "qvr/qvr_config_keys.h"

#include "qvr/qvr_config_sections.h"
#include "rtl/custom_ini_file.h"
#include "rtl/strings.h"

namespace {

using K = TConfigKeyKind;
using C = TQVRConfig;

int Off(const C&) {
    return 0;
}
int HalfOfMaxRunTasks(const C& config) {
    return int(Round(config.MaxRunTasks / 2.0));
}

template <class T> T C::*Member(const TConfigKey& key) {
    return std::get<T C::*>(key.Field);
}

TStringList& List(const C& config, const TConfigKey& key) {
    return *(config.*Member<std::unique_ptr<TStringList>>(key));
}

int ReadDefaultOf(const C& config, const TConfigKey& key, int fieldValue) {
    return key.ReadDefault ? key.ReadDefault(config) : fieldValue;
}

} // namespace

// Rows are in the order of writing. Reading takes them in the same order: within a section no
// read depends on a later key, and the values derived from several keys are set after all of
// them are read.
const std::vector<TConfigKey>& QVRConfigKeys() {
    static const std::vector<TConfigKey> keys = {
        {"Config", "ServerName", K::Text, &C::ServerName, "yourbank"},
        {"Config", "ScriptPath", K::Text, &C::ScriptPath, "ZWScript/"},
        {"Config", "TemplatePath", K::Text, &C::TemplatePath, R"(%ZWSROOT%\Subsys\template)"},
        {"Config", "BLLPath", K::Text, &C::BLLPath, R"(%ZWSROOT%\user)"},
        {"Config", "UseConnectionType", K::Boolean, &C::UseConnectionType, "0", Off, true},
        {"Connection", "", K::ConnectionList, {}, nullptr},
        {"Config", "MQQVRID", K::Text, &C::MQQVRID, ""},
        {"Config", "ResponseTimeOut", K::Number, &C::ResponseTimeOut, "20"},
        {"Config", "TryConnectionInterval", K::Number, &C::TryConnectionInterval, nullptr},
        {"Config", "ClientTimeOut", K::Number, &C::ClientTimeOut, "600"},
        {"Config", "ClientMaxSessions", K::Number, &C::ClientMaxSessions, "100"},
        {"Config", "SilentShutdown", K::Flag, &C::SilentShutdown, "0"},
        {"Config", "OnlyInformService", K::Flag, &C::OnlyInformService, "0"},
        {"Config", "MaxRunTasks", K::Number, &C::MaxRunTasks, "15"},
        {"Config", "MaxRunHugeTasks", K::Number, &C::MaxRunHugeTasks, "10", HalfOfMaxRunTasks},
        {"Config", "CheckForDeadTask", K::Boolean, &C::CheckForDeadTask, "0"},
        {"Config", "KillDeadTask", K::Boolean, &C::KillDeadTask, "0"},
        {"Config", "ExecTaskTimeOut", K::Number, &C::ExecTaskTimeOut, "60"},
        {"Config", "ExecHugeTaskTimeOut", K::Number, &C::ExecHugeTaskTimeOut, "180"},

        {"Internal tracer params", "IntTraceWriteType", K::Number, &C::IntTraceWriteType, "1"},
        {"Internal tracer params", "IntTraceEnabled", K::Flag, &C::IntTraceEnabled, "0"},
        {"Internal tracer params", "IntTraceFileName", K::Text, &C::IntTraceFileName,
         R"(%ZWSRoot%\SUBSYS\Logs\QVRTrace)"},
        {"Internal tracer params", "WriteARMToTrace", K::Flag, &C::WriteARMToTrace, "0"},
        {"Internal tracer params", "ClearLoginPassword", K::Boolean, &C::ClearLoginPassword, "0"},
        {"Internal tracer params", "TraceFileMaxSize", K::Number, &C::TraceFileMaxSize, "500"},
        {"Internal tracer params", "Tag", K::NumberedLines, &C::ClearLoginPasswordTags, ""},

        {"Request Absent Values", "", K::NamedValues, &C::RequestAbsentValues, ""},
        {"Session consts", "", K::NamedValues, &C::SessionConsts, ""},

        {"Cache options", "EnableCashe", K::Flag, &C::EnableCashe, "0"},

        {"Errors", "LogFileName", K::Text, &C::LogFileName, R"(%ZWSROOT%\qvrerror.log)"},
        {"Errors", "BlinkTrayIconOnError", K::Flag, &C::BlinkTrayIconOnError, "1"},
        {"Errors", "ShowErrorsMonitor", K::Flag, &C::ShowErrorsMonitor, "1"},

        {"Sheduler", "ShemeName", K::Text, &C::ShemeName, ""},
        {"Sheduler", "AutoStartScheme", K::Flag, &C::AutoStartScheme, "0"},

        {"ErrorResponse", "ReturnOnlyErrorText", K::Boolean, &C::ReturnOnlyErrorText, "0"},
        {"ErrorResponse", "DefaultErrorHTML", K::Text, &C::DefaultErrorHTML,
         R"(%ZWSRoot%\SUBSYS\TEMPLATE\QVR_Error.xml)"},

        {"ShowErrors", "", K::ErrorSwitches, {}, nullptr},

        {"Sessions", "CheckFuncRights", K::Flag, &C::CheckFuncRights, "1"},
        {"Sessions", "AlwaysNeedTaskConfig", K::Flag, &C::AlwaysNeedTaskConfig, "1"},
        {"Sessions", "CloseSessionBLLName", K::Text, &C::CloseSessionBLLName, ""},
        {"Sessions", "CloseSessionFunctionName", K::Text, &C::CloseSessionFunctionName, ""},
        {"Sessions", "CheckTaskRWA", K::Flag, &C::CheckTaskRWA, "1"},
        {"Sessions", "CheckUniqSIDIpHost", K::Flag, &C::CheckUniqSIDIpHost, "0"},
        {"Sessions", "CheckUniqRunTask", K::Flag, &C::CheckUniqRunTask, "0"},

        {"TrayIcon", "ChangeErrorIconsInterval", K::Number, &C::ChangeErrorIconsInterval, "100"},
        {"TrayIcon", "CustomDefaultTrayIcon", K::Text, &C::CustomDefaultTrayIcon, ""},
        {"TrayIcon", "CustomErrorTrayIcons", K::Text, &C::CustomErrorTrayIcons, ""},

        {"Crypto", "CryptoEngineType", K::Text, &C::CryptoEngineType, ""},
        {"Crypto", "TypeGetCryptoParams", K::Number, &C::TypeGetCryptoParams, "0"},
        {"Crypto", "CryptoParamsFile", K::Text, &C::CryptoParamsFile, R"(%ZWSRoot%\crypt.txt)"},
        {"Crypto", "InitCryptoEngine", K::Flag, &C::InitCryptoEngine, "0"},

        {"CryptoParams", "", K::FilledValues, &C::CryptoParams, ""},

        {"Authenticate", "IdentUserVersion", K::Number, &C::IdentUserVersion, "1"},
        {"Authenticate", "WebAdminSiteInstanceID", K::Text, &C::WebAdminSiteInstanceID, ""},
        {"Authenticate", "AuthenticateEmptyUser", K::Flag, &C::AuthenticateEmptyUser, "1"},

        {"CryptoZWIData", "UseSignForPackets", K::Boolean, &C::UseSignForPackets, "0", nullptr,
         true},
        {"CryptoZWIData", "SignData", K::Boolean, &C::SignData, "0"},
        {"CryptoZWIData", "SignCryptoEngineType", K::Text, &C::SignCryptoEngineType, ""},
        {"CryptoZWIData", "CheckSignData", K::Boolean, &C::CheckSignData, "0"},
        {"CryptoZWIData", "CheckSignCryptoEngineType", K::Text, &C::CheckSignCryptoEngineType, ""},

        {"SignZWIDataCryptoParams", "", K::AllValues, &C::SignCryptoParams, ""},
        {"CheckSignZWIDataCryptoParams", "", K::AllValues, &C::CheckSignCryptoParams, ""},

        {"RAdmin", "RAdminEnabled", K::Boolean, &C::RAdminEnabled, "0"},
        {"RAdmin", "RAdminViewModOnly", K::Boolean, &C::RAdminViewModOnly, "1"},
        {"RAdmin", "RAdminBindAddress", K::Text, &C::RAdminBindAddress, "0.0.0.0"},
        {"RAdmin", "RAdminPort", K::Number, &C::RAdminPort, "1111"},
        {"RAdmin", "RAAcceptedIPAddresses", K::Text, &C::RAAcceptedIPAddresses, ""},

        {"Start", "DelayBeforeLogin", K::Number, &C::DelayBeforeLogin, "0"},
    };
    return keys;
}

const std::vector<TConfigKey>& QVRDebugInfoKeys() {
    static const std::vector<TConfigKey> keys = {
        {"Debug info", "DebugInfoDirectory", K::Text, &C::DebugInfoDirectory, ""},
        {"Debug info", "AutoSaveDebugInfo", K::Flag, &C::AutoSaveDebugInfo, "0"},
        {"Debug info", "SaveDebugInfoInterval", K::Number, &C::SaveDebugInfoInterval, "10"},
        {"Debug info", "SaveSystemParams", K::Boolean, &C::SaveSystemParams, "0"},
        {"Debug info", "SaveDataBaseParams", K::Boolean, &C::SaveDataBaseParams, "0"},
        {"Debug info", "SaveBLLLeakObjects", K::Boolean, &C::SaveBLLLeakObjects, "0"},
        {"Debug info", "SaveSystemLeakObjects", K::Boolean, &C::SaveSystemLeakObjects, "0"},
        {"Debug info", "SaveRunTasks", K::Boolean, &C::SaveRunTasks, "0"},
        {"Debug info", "SaveLoggedUsers", K::Boolean, &C::SaveLoggedUsers, "0"},
        {"Debug info", "SaveOpenSessions", K::Boolean, &C::SaveOpenSessions, "0"},
        {"Debug info", "SaveQVRConfig", K::Boolean, &C::SaveQVRConfig, "0"},
        {"Debug info", "EnableBLLLeak", K::Boolean, &C::EnableBLLLeak, "0"},
        {"Debug info", "EnableSystemLeak", K::Boolean, &C::EnableSystemLeak, "0"},
    };
    return keys;
}

void SetKeyDefault(TQVRConfig& config, const TConfigKey& key) {
    if (!key.Default)
        return;
    switch (key.Kind) {
    case K::Text:
        config.*Member<std::string>(key) = key.Default;
        break;
    case K::Number:
        config.*Member<int>(key) = StrToInt(key.Default);
        break;
    case K::Flag:
    case K::Boolean:
        config.*Member<bool>(key) = std::string(key.Default) == "1";
        break;
    case K::NumberedLines:
    case K::NamedValues:
    case K::FilledValues:
    case K::AllValues:
        List(config, key).Clear();
        break;
    case K::ConnectionList:
    case K::ErrorSwitches:
        break;
    }
}

void ReadKey(TQVRConfig& config, const TCustomIniFile& ini, const TConfigKey& key) {
    switch (key.Kind) {
    case K::Text: {
        std::string& field = config.*Member<std::string>(key);
        field = ini.ReadString(key.Section, key.Name, field);
        break;
    }
    case K::Number: {
        int& field = config.*Member<int>(key);
        field = ini.ReadInteger(key.Section, key.Name, ReadDefaultOf(config, key, field));
        break;
    }
    case K::Flag:
    case K::Boolean: {
        bool& field = config.*Member<bool>(key);
        int value = ini.ReadInteger(key.Section, key.Name, ReadDefaultOf(config, key, field));
        field = key.Kind == K::Flag ? value == 1 : value != 0;
        break;
    }
    case K::ConnectionList:
        ReadConnectionList(config, ini);
        break;
    case K::NumberedLines:
        ReadNumberedLines(ini, key.Section, key.Name, List(config, key));
        break;
    case K::NamedValues:
    case K::FilledValues:
    case K::AllValues:
        ini.ReadSectionValues(key.Section, List(config, key));
        break;
    case K::ErrorSwitches:
        ReadErrorSwitches(ini);
        break;
    }
}

void WriteKey(const TQVRConfig& config, TCustomIniFile& ini, const TConfigKey& key) {
    switch (key.Kind) {
    case K::Text:
        ini.WriteString(key.Section, key.Name, config.*Member<std::string>(key));
        break;
    case K::Number:
        ini.WriteInteger(key.Section, key.Name, config.*Member<int>(key));
        break;
    case K::Flag:
    case K::Boolean:
        if (config.*Member<bool>(key) || !key.WrittenOnlyWhenTrue)
            ini.WriteBool(key.Section, key.Name, config.*Member<bool>(key));
        break;
    case K::ConnectionList:
        WriteConnectionList(config, ini);
        break;
    case K::NumberedLines:
        WriteNumberedLines(ini, key.Section, key.Name, List(config, key));
        break;
    case K::NamedValues:
        WriteNamedValues(ini, key.Section, List(config, key));
        break;
    case K::FilledValues:
        WriteFilledValues(ini, key.Section, List(config, key));
        break;
    case K::AllValues:
        WriteAllValues(ini, key.Section, List(config, key));
        break;
    case K::ErrorSwitches:
        WriteErrorSwitches(ini);
        break;
    }
}
