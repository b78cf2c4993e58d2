#include "qvr/memory_qvr_config.h"

std::unique_ptr<TCustomIniFile> TMemoryQVRConfig::CreateIniFileObject() {
    auto ini = std::make_unique<TMemIni>(QVRIniFileName);
    ini->SetStrings(CfgFileLines);
    return ini;
}

void TMemoryQVRConfig::DestroyIniFileObject(std::unique_ptr<TCustomIniFile> iniFile) {
    CfgFileLines.Clear();
    if (auto* memIni = dynamic_cast<TMemIniFile*>(iniFile.get()))
        memIni->GetStrings(CfgFileLines);
}
