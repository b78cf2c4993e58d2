#pragma once
#include "qvr/connection_config.h"
#include "rtl/string_list.h"
#include "tools/thread_safety.h"

#include <memory>
#include <string>

class TCustomIniFile;

// The QVR server's INI configuration as fields. Reading starts from the built-in defaults and
// takes what the INI text holds; writing produces the text of the fields alone. Each read or
// write holds the object's lock and, while it touches catalogue rows, the catalogue's lock
// inside it.
class TQVRConfig : public TThreadSafetyClass {
public:
    // Every number 0, every text empty, every switch off until the defaults are set or the
    // configuration is read. Creates the shared error catalogue when there is none.
    TQVRConfig();
    // Frees the shared error catalogue too.
    ~TQVRConfig() override;

    // Leaves the connections, TryConnectionInterval and the four paths of the server alone.
    void SetQVRDefaultParams();
    void ReadQVRParameters();
    void WriteQVRParameters();

    std::string RunQVRDirectory;
    std::string QVRIniFileName;
    bool UseConnectionType = false;
    std::unique_ptr<TConnectionConfig> ZWIConnection;
    int TryConnectionInterval = 0;
    std::string MQQVRID;
    int ResponseTimeOut = 0;
    std::string BLLPath;
    std::string CorrectBLLPath;
    std::unique_ptr<TStringList> RequestAbsentValues;
    std::unique_ptr<TStringList> SessionConsts;
    bool SilentShutdown = false;
    int MaxRunTasks = 0;
    int MaxRunHugeTasks = 0;
    bool OnlyInformService = false;
    std::string CustomDefaultTrayIcon;
    std::string CustomErrorTrayIcons;
    int ChangeErrorIconsInterval = 0;
    std::string ServerName;
    std::string ScriptPath;
    std::string TemplatePath;
    std::string CorrectTemplatePath;
    bool IntTraceEnabled = false;
    std::string IntTraceFileName;
    int IntTraceWriteType = 0;
    bool WriteARMToTrace = false;
    int TraceFileMaxSize = 0;
    bool ClearLoginPassword = false;
    std::unique_ptr<TStringList> ClearLoginPasswordTags; // task|left tag|right tag
    bool EnableCashe = false;
    std::string LogFileName;
    bool BlinkTrayIconOnError = false;
    bool ShowErrorsMonitor = false;
    bool AutoStartScheme = false;
    std::string ShemeName;
    bool ReturnOnlyErrorText = false;
    std::string DefaultErrorHTML;
    int ClientTimeOut = 0;
    int ClientMaxSessions = 0;
    std::string CloseSessionBLLName;
    std::string CloseSessionFunctionName;
    bool CheckFuncRights = false;
    bool AlwaysNeedTaskConfig = false;
    bool CheckTaskRWA = false;
    bool CheckUniqSIDIpHost = false;
    bool CheckUniqRunTask = false;
    bool InitCryptoEngine = false;
    std::string CryptoEngineType;
    int TypeGetCryptoParams = 0;
    std::unique_ptr<TStringList> CryptoParams;
    std::string CryptoParamsFile;
    bool AuthenticateEmptyUser = false;
    std::string WebAdminSiteInstanceID;
    std::string DebugInfoDirectory;
    bool AutoSaveDebugInfo = false;
    int SaveDebugInfoInterval = 0;
    bool SaveSystemParams = false;
    bool SaveDataBaseParams = false;
    bool SaveBLLLeakObjects = false;
    bool SaveSystemLeakObjects = false;
    bool SaveRunTasks = false;
    bool SaveLoggedUsers = false;
    bool SaveOpenSessions = false;
    bool SaveQVRConfig = false;
    bool EnableBLLLeak = false;
    bool EnableSystemLeak = false;
    int IdentUserVersion = 0;
    bool UseSignForPackets = false;
    bool SignData = false;
    std::string SignCryptoEngineType;
    std::unique_ptr<TStringList> SignCryptoParams;
    bool CheckSignData = false;
    std::string CheckSignCryptoEngineType;
    std::unique_ptr<TStringList> CheckSignCryptoParams;
    bool CheckForDeadTask = false;
    int ExecTaskTimeOut = 0;
    int ExecHugeTaskTimeOut = 0;
    bool KillDeadTask = false;
    bool RAdminEnabled = false;
    std::string RAdminBindAddress;
    int RAdminPort = 0;
    bool RAdminViewModOnly = false;
    bool RADontAuthenticate = false;
    std::string RAAcceptedIPAddresses;
    int DelayBeforeLogin = 0;

protected:
    // The INI object of one read or write: an in-memory one loaded from QVRIniFileName.
    virtual std::unique_ptr<TCustomIniFile> CreateIniFileObject();
    virtual void DestroyIniFileObject(std::unique_ptr<TCustomIniFile> iniFile);

    void ReadQVRDebugInfoParameters();
    void WriteQVRDebugInfoParameters();

private:
    void CreateParams();
    void FreeParams();
    // Runs work on an INI object from CreateIniFileObject and releases it however work ends.
    template <class Work> void WithIniFileObject(Work work);
    void DeriveAfterReading();
};

// The configuration that the settings dialog edits. When it is replaced, free the old one
// before making the new one: a configuration's destructor frees the shared catalogue.
// Its holder stays to the program's end: the configuration window frees the configuration as it
// goes, which may be after the program's static objects have gone.
extern std::unique_ptr<TQVRConfig>& QVRConfig;

// Start-up: makes QVRConfig (and the catalogue) and fixes the program's number and date
// formats. Shut-down: frees QVRConfig when it is still there.
void InitQVRConfig();
void DoneQVRConfig();
