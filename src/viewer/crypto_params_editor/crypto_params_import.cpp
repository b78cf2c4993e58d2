#include "viewer/crypto_params_editor/crypto_params_import.h"

#include "rtl/mem_ini_file.h"
#include "rtl/strings.h"

namespace {

// Lines of one character or less say nothing about the form of the file.
bool Telling(const std::string& line) {
    return Trim(line).size() > 1;
}

bool LooksLikeIni(const TStrings& lines) {
    for (int i = 0; i < lines.Count(); ++i)
        if (Telling(lines[i]) && Trim(lines[i])[0] == '[')
            return true;
    return false;
}

bool AllNamed(const TStrings& lines) {
    bool any = false;
    for (int i = 0; i < lines.Count(); ++i) {
        if (!Telling(lines[i]))
            continue;
        if (lines[i].find('=') == std::string::npos)
            return false;
        any = true;
    }
    return any;
}

int IndexOfText(const TStrings& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i)
        if (AnsiSameText(list[i], text))
            return i;
    return -1;
}

void TakeIniSection(const TStrings& lines, const TStrings& engineTypes,
                    TCryptoParamsImport& result) {
    TMemIniFile ini("");
    ini.SetStrings(lines);
    TStringList sections;
    ini.ReadSections(sections);
    int taken = sections.Count() > 0 ? 0 : -1;
    for (int i = 0; i < sections.Count(); ++i) {
        int type = IndexOfText(engineTypes, Trim(sections[i]));
        if (type >= 0) {
            taken = i;
            result.EngineType = engineTypes[type];
            break;
        }
    }
    result.Lines.Clear();
    if (taken >= 0)
        ini.ReadSectionValues(sections[taken], result.Lines);
}

} // namespace

void ReadCryptoParamsImport(const TStrings& lines, const TStrings& engineTypes,
                            TCryptoParamsImport& result) {
    result.EngineType.clear();
    if (LooksLikeIni(lines)) {
        TakeIniSection(lines, engineTypes, result);
        result.NameMode = true;
        return;
    }
    result.Lines.Assign(lines);
    result.NameMode = AllNamed(lines);
}
