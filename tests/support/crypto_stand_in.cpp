#include "support/crypto_stand_in.h"

#include "rtl/file_io.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <stdexcept>

namespace {

std::wstring TestProgramFolder() {
    wchar_t name[MAX_PATH + 1] = {};
    std::wstring path(name, GetModuleFileNameW(nullptr, name, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

} // namespace

CryptoStandIn::CryptoStandIn(const std::string& name, const std::string& source) : FName(name) {
    if (!CopyFileW((TestProgramFolder() + ToWide(source)).c_str(), ToWide(Library()).c_str(),
                   FALSE))
        throw std::runtime_error("the stand-in library " + source + " was not built");
}

std::string CryptoStandIn::SideFile(const char* extension) const {
    return FFolder.File(FName.substr(0, FName.find_last_of('.')) + extension);
}

void CryptoStandIn::Configure(const std::string& iniText) const {
    WriteWholeFile(SideFile(".ini"), iniText);
}

std::string CryptoStandIn::Log() const {
    return FileExists(SideFile(".log")) ? ReadWholeFile(SideFile(".log")) : std::string();
}

void CryptoStandIn::ClearLog() const {
    DeleteFileByName(SideFile(".log"));
}

std::string EngineTypes(std::initializer_list<const char*> names) {
    std::string text = "[Types]\r\n";
    int index = 0;
    for (const char* name : names)
        text += std::to_string(++index) + "=" + name + "\r\n";
    return text;
}
