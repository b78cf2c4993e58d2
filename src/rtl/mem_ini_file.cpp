#include "rtl/mem_ini_file.h"

#include "rtl/file_io.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"

namespace {

// Position of the entry whose key is ident, or -1; a line without '=' has no key.
int IndexOfKey(const std::vector<std::string>& lines, const std::string& ident) {
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t p = lines[i].find('=');
        if (p != std::string::npos && AnsiSameText(lines[i].substr(0, p), ident))
            return int(i);
    }
    return -1;
}

} // namespace

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
    if (fileName.empty() || !FileExists(fileName))
        return;
    TStringList lines;
    lines.LoadFromFile(fileName);
    SetStrings(lines);
}

int TMemIniFile::IndexOfSection(const std::string& name) const {
    for (size_t i = 0; i < FSections.size(); ++i)
        if (AnsiSameText(FSections[i].Name, name))
            return int(i);
    return -1;
}

int TMemIniFile::AddSection(const std::string& name) {
    int i = IndexOfSection(name);
    if (i >= 0)
        return i;
    FSections.push_back(TSection{name, {}});
    return int(FSections.size()) - 1;
}

bool TMemIniFile::FindValue(const std::string& section, const std::string& ident,
                            std::string& value) const {
    int s = IndexOfSection(section);
    if (s < 0)
        return false;
    const std::vector<std::string>& lines = FSections[size_t(s)].Lines;
    int k = IndexOfKey(lines, ident);
    if (k < 0)
        return false;
    const std::string& line = lines[size_t(k)];
    value = line.substr(line.find('=') + 1);
    return true;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    std::string value;
    return FindValue(section, ident, value) ? value : defaultValue;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    std::vector<std::string>& lines = FSections[size_t(AddSection(section))].Lines;
    std::string line = ident + "=" + value;
    int k = IndexOfKey(lines, ident);
    if (k >= 0)
        lines[size_t(k)] = line;
    else
        lines.push_back(line);
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    strings.BeginUpdate();
    strings.Clear();
    int s = IndexOfSection(section);
    if (s >= 0)
        for (const std::string& line : FSections[size_t(s)].Lines)
            strings.Add(line);
    strings.EndUpdate();
}

void TMemIniFile::EraseSection(const std::string& section) {
    int s = IndexOfSection(section);
    if (s >= 0)
        FSections.erase(FSections.begin() + s);
}

void TMemIniFile::UpdateFile() {
    TStringList lines;
    GetStrings(lines);
    lines.SaveToFile(FileName());
}

void TMemIniFile::Clear() {
    FSections.clear();
}

void TMemIniFile::GetStrings(TStrings& list) const {
    list.BeginUpdate();
    list.Clear();
    for (const TSection& section : FSections) {
        list.Add("[" + section.Name + "]");
        for (const std::string& line : section.Lines)
            list.Add(line);
        list.Add("");
    }
    list.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& list) {
    Clear();
    int current = -1;
    for (int i = 0; i < list.Count(); ++i) {
        std::string line = list.Get(i);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[' && line.back() == ']') {
            // A section that occurs twice is its first block: the later block is not read, or
            // its keys would join the first as if they stood there.
            const std::string name = line.substr(1, line.size() - 2);
            current = IndexOfSection(name) >= 0 ? -1 : AddSection(name);
        } else if (current >= 0)
            FSections[size_t(current)].Lines.push_back(line);
    }
}

void TMemIniFile::ReadSections(TStrings& strings) const {
    strings.BeginUpdate();
    strings.Clear();
    for (const TSection& section : FSections)
        strings.Add(section.Name);
    strings.EndUpdate();
}
