#include "config_texts.h"

std::unique_ptr<TMemoryQVRConfig> ReadConfigText(const std::string& text) {
    auto config = std::make_unique<TMemoryQVRConfig>();
    config->CfgFileLines.SetText(text);
    config->ReadQVRParameters();
    return config;
}

std::string WrittenText(TMemoryQVRConfig& config) {
    config.WriteQVRParameters();
    return config.CfgFileLines.Text();
}

std::string SectionOf(const std::string& text, const std::string& section) {
    TMemIniFile ini("");
    ini.SetStrings(TStringList(text));
    TStringList lines;
    ini.ReadSectionValues(section, lines);
    return lines.Text();
}
