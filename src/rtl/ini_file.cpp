#include "rtl/ini_file.h"

#include "rtl/file_io.h"
#include "rtl/string_list.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// No value read from a file holds a line break, and the system neither trims nor unquotes
// this text, so it tells an absent key from any value; the caller's own default could be
// changed by the system on the way.
const wchar_t AbsentKey[] = L"\n\x01";

// Calls a profile function that fills a buffer, with bigger buffers while the result did not
// fit; a result that fills the buffer up to `spare` characters may have been cut. Gives the
// characters written, without the final terminator.
template <typename Fill> std::wstring FillGrowing(DWORD spare, Fill fill) {
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        DWORD size = DWORD(buffer.size());
        DWORD n = fill(buffer.data(), size);
        if (n + spare < size || size >= (1u << 24))
            return std::wstring(buffer.data(), std::min(n, size));
        buffer.assign(size_t(size) * 2, L'\0');
    }
}

// A list of zero-terminated texts, as the section functions give it.
void AddTexts(const std::wstring& texts, TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    size_t start = 0;
    while (start < texts.size()) {
        size_t end = texts.find(L'\0', start);
        if (end == std::wstring::npos)
            end = texts.size();
        strings.Add(FromWide(texts.data() + start, int(end - start)));
        start = end + 1;
    }
    strings.EndUpdate();
}

} // namespace

// The system looks for a file without a full path in the Windows folder.
TIniFile::TIniFile(const std::string& fileName) : TCustomIniFile(ExpandFileName(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    const std::wstring file = ToWide(FileName()), name = ToWide(section), key = ToWide(ident);
    std::wstring value = FillGrowing(1, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(name.c_str(), key.c_str(), AbsentKey, buffer, size,
                                        file.c_str());
    });
    return value == AbsentKey ? defaultValue : FromWide(value);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (!WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(ident).c_str(),
                                    ToWide(value).c_str(), ToWide(FileName()).c_str()))
        RaiseLastFileError("Cannot write file", FileName());
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    const std::wstring file = ToWide(FileName()), name = ToWide(section);
    AddTexts(FillGrowing(2,
                         [&](wchar_t* buffer, DWORD size) {
                             return GetPrivateProfileSectionW(name.c_str(), buffer, size,
                                                              file.c_str());
                         }),
             strings);
}

void TIniFile::ReadSections(TStrings& strings) const {
    const std::wstring file = ToWide(FileName());
    AddTexts(FillGrowing(2,
                         [&](wchar_t* buffer, DWORD size) {
                             return GetPrivateProfileSectionNamesW(buffer, size, file.c_str());
                         }),
             strings);
}

void TIniFile::EraseSection(const std::string& section) {
    if (!WritePrivateProfileStringW(ToWide(section).c_str(), nullptr, nullptr,
                                    ToWide(FileName()).c_str()))
        RaiseLastFileError("Cannot write file", FileName());
}

// The system may hold changes back in its cache; this hands them to the disk.
void TIniFile::UpdateFile() {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ToWide(FileName()).c_str());
}
