#pragma once
#include "qvr/qvr_config.h"
#include "rtl/mem_ini_file.h"

// An in-memory INI object that never writes a file.
class TMemIni : public TMemIniFile {
public:
    using TMemIniFile::TMemIniFile;
    void UpdateFile() override {}
};

// The configuration over INI text held in CfgFileLines instead of a file. Every read and
// write leaves CfgFileLines holding the text as the INI object gives it back: sections in
// order, each followed by an empty line.
class TMemoryQVRConfig : public TQVRConfig {
public:
    TStringList CfgFileLines;

protected:
    std::unique_ptr<TCustomIniFile> CreateIniFileObject() override;
    void DestroyIniFileObject(std::unique_ptr<TCustomIniFile> iniFile) override;
};
