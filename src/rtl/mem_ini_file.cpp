#include "rtl/mem_ini_file.h"

#include "rtl/file_io.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"

#include <cstddef>

namespace {

// Names match without regard to letter case: the table key of a name is its upper case.
std::string Folded(const std::string& name) {
    return AnsiUpperCase(name);
}

} // namespace

void TMemIniFile::TSection::AddLine(std::string line) {
    const size_t p = line.find('=');
    // A line without '=' has no key; of a key entered twice the first entry counts.
    if (p != std::string::npos)
        Keys.emplace(Folded(line.substr(0, p)), Lines.size());
    Lines.push_back(std::move(line));
}

const std::string* TMemIniFile::TSection::FindLine(const std::string& foldedKey) const {
    auto found = Keys.find(foldedKey);
    return found == Keys.end() ? nullptr : &Lines[found->second];
}

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
    if (fileName.empty() || !FileExists(fileName))
        return;
    TStringList lines;
    lines.LoadFromFile(fileName);
    SetStrings(lines);
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& name) const {
    auto found = FSectionIndex.find(Folded(name));
    return found == FSectionIndex.end() ? nullptr : &FSections[found->second];
}

TMemIniFile::TSection& TMemIniFile::AddSection(const std::string& name) {
    auto added = FSectionIndex.emplace(Folded(name), FSections.size());
    if (added.second)
        FSections.push_back(TSection{name, {}, {}});
    return FSections[added.first->second];
}

bool TMemIniFile::FindValue(const std::string& section, const std::string& ident,
                            std::string& value) const {
    const TSection* s = FindSection(section);
    const std::string* line = s ? s->FindLine(Folded(ident)) : nullptr;
    if (!line)
        return false;
    value = line->substr(line->find('=') + 1);
    return true;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    std::string value;
    return FindValue(section, ident, value) ? value : defaultValue;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    TSection& s = AddSection(section);
    std::string line = ident + "=" + value;
    auto found = s.Keys.find(Folded(ident));
    if (found != s.Keys.end())
        s.Lines[found->second] = std::move(line);
    else
        s.AddLine(std::move(line));
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    strings.BeginUpdate();
    strings.Clear();
    if (const TSection* s = FindSection(section))
        for (const std::string& line : s->Lines)
            strings.Add(line);
    strings.EndUpdate();
}

void TMemIniFile::EraseSection(const std::string& section) {
    auto found = FSectionIndex.find(Folded(section));
    if (found == FSectionIndex.end())
        return;
    const size_t erased = found->second;
    FSections.erase(FSections.begin() + std::ptrdiff_t(erased));
    FSectionIndex.erase(found);
    // The sections after it moved one place up.
    for (auto& entry : FSectionIndex)
        if (entry.second > erased)
            --entry.second;
}

void TMemIniFile::UpdateFile() {
    TStringList lines;
    GetStrings(lines);
    lines.SaveToFile(FileName());
}

void TMemIniFile::Clear() {
    FSections.clear();
    FSectionIndex.clear();
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
    TSection* current = nullptr;
    for (int i = 0; i < list.Count(); ++i) {
        std::string line = list.Get(i);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[' && line.back() == ']') {
            // A section that occurs twice is its first block: the later block is not read, or
            // its keys would join the first as if they stood there.
            const std::string name = line.substr(1, line.size() - 2);
            current = FindSection(name) ? nullptr : &AddSection(name);
        } else if (current)
            current->AddLine(std::move(line));
    }
}

void TMemIniFile::ReadSections(TStrings& strings) const {
    strings.BeginUpdate();
    strings.Clear();
    for (const TSection& section : FSections)
        strings.Add(section.Name);
    strings.EndUpdate();
}
