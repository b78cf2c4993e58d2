#include "qvr/qvr_config.h"

#include "qvr/error_catalogue.h"
#include "qvr/qvr_config_keys.h"
#include "rtl/critical_section.h"
#include "rtl/format_settings.h"
#include "rtl/lasting.h"
#include "rtl/mem_ini_file.h"

namespace {
TLasting<std::unique_ptr<TQVRConfig>> QVRConfigHolder;
}
std::unique_ptr<TQVRConfig>& QVRConfig = *QVRConfigHolder;

namespace {
// The configuration objects alive; the catalogue they share goes with the last of them, so
// freeing one never pulls the catalogue from under another.
int LiveConfigurations = 0;
} // namespace

TQVRConfig::TQVRConfig()
    : ZWIConnection(std::make_unique<TConnectionConfig>()),
      ClearLoginPasswordTags(std::make_unique<TStringList>()),
      SignCryptoParams(std::make_unique<TStringList>()),
      CheckSignCryptoParams(std::make_unique<TStringList>()) {
    ++LiveConfigurations;
    CreateParams();
}

TQVRConfig::~TQVRConfig() {
    FreeParams();
    if (--LiveConfigurations == 0)
        GlobalErrorsObject.reset();
}

void TQVRConfig::CreateParams() {
    for (std::unique_ptr<TStringList>* list : {&RequestAbsentValues, &SessionConsts, &CryptoParams})
        if (!*list)
            *list = std::make_unique<TStringList>();
    if (!GlobalErrorsObject)
        GlobalErrorsObject = std::make_unique<TGlobalErrorsObject>();
}

void TQVRConfig::FreeParams() {
    RequestAbsentValues.reset();
    SessionConsts.reset();
    CryptoParams.reset();
}

void TQVRConfig::SetQVRDefaultParams() {
    for (const std::vector<TConfigKey>* keys : {&QVRConfigKeys(), &QVRDebugInfoKeys()})
        for (const TConfigKey& key : *keys)
            SetKeyDefault(*this, key);
    RADontAuthenticate = false;
}

std::unique_ptr<TCustomIniFile> TQVRConfig::CreateIniFileObject() {
    return std::make_unique<TMemIniFile>(QVRIniFileName);
}

void TQVRConfig::DestroyIniFileObject(std::unique_ptr<TCustomIniFile> iniFile) {}

template <class Work> void TQVRConfig::WithIniFileObject(Work work) {
    std::unique_ptr<TCustomIniFile> ini = CreateIniFileObject();
    try {
        work(*ini);
    } catch (...) {
        DestroyIniFileObject(std::move(ini));
        throw;
    }
    DestroyIniFileObject(std::move(ini));
}

void TQVRConfig::DeriveAfterReading() {
    if (TryConnectionInterval <= 0)
        TryConnectionInterval = 1;
    UseSignForPackets = UseSignForPackets || SignData || CheckSignData;
}

void TQVRConfig::ReadQVRParameters() {
    TLockGuard<TQVRConfig> lock(*this);
    // Another configuration object may have freed the shared catalogue since this one was made.
    CreateParams();
    SetQVRDefaultParams();
    WithIniFileObject([this](TCustomIniFile& ini) {
        for (const TConfigKey& key : QVRConfigKeys())
            ReadKey(*this, ini, key);
        DeriveAfterReading();
    });
    ReadQVRDebugInfoParameters();
}

void TQVRConfig::ReadQVRDebugInfoParameters() {
    WithIniFileObject([this](TCustomIniFile& ini) {
        for (const TConfigKey& key : QVRDebugInfoKeys())
            ReadKey(*this, ini, key);
    });
}

void TQVRConfig::WriteQVRParameters() {
    TLockGuard<TQVRConfig> lock(*this);
    CreateParams();
    WithIniFileObject([this](TCustomIniFile& ini) {
        // The text produced holds only what the model writes.
        if (auto* memIni = dynamic_cast<TMemIniFile*>(&ini))
            memIni->Clear();
        for (const TConfigKey& key : QVRConfigKeys())
            WriteKey(*this, ini, key);
        ini.UpdateFile();
    });
    WriteQVRDebugInfoParameters();
}

void TQVRConfig::WriteQVRDebugInfoParameters() {
    WithIniFileObject([this](TCustomIniFile& ini) {
        for (const TConfigKey& key : QVRDebugInfoKeys())
            WriteKey(*this, ini, key);
        ini.UpdateFile();
    });
}

void InitQVRConfig() {
    QVRConfig = std::make_unique<TQVRConfig>();
    // Every conversion of the program uses these, whatever the user's locale says.
    TFormatSettings& formats = FormatSettings();
    formats.DecimalSeparator = '.';
    formats.DateSeparator = '.';
    formats.ShortDateFormat = "dd.mm.yyyy";
}

void DoneQVRConfig() {
    QVRConfig.reset();
}
