#include "qvr/crypto_engine_list.h"

#include "qvr/exception_handler.h"
#include "rtl/dynamic_library.h"
#include "rtl/file_names.h"
#include "rtl/object.h"
#include "tools/file_paths.h"
#include "tools/folder_switch.h"
#include "tools/system_info.h"

#include <cstring>

std::string SigmakitFullName;
std::unique_ptr<TCryptoEngineList> CryptoEngineLst;

namespace {

TDynamicLibrary Sigmakit;

// The library's exports run in the library's own folder, where it finds its files.
template <class R, class... A> R CallSigmakit(const char* name, A... args) {
    if (!Sigmakit.Loaded()) {
        QZErrorHandler(501, {SigmakitFullName});
        return R();
    }
    void* address = Sigmakit.Export(name);
    if (!address) {
        QZErrorHandler(502, {name, SigmakitFullName});
        return R();
    }
    TFolderSwitch inLibraryFolder(DelSlash(ExtractFilePath(SigmakitFullName)));
    return CallExport<R, A...>(address, args...);
}

constexpr int MaxEngineTypes = 100;

} // namespace

bool ReadEngineTypes(int maxLen, const std::function<void(int index, char* buf)>& get,
                     TStrings& list) {
    if (maxLen <= 0)
        return true;
    TLibraryTextBuffer buf(maxLen);
    if (!buf.Valid())
        return false;
    for (int index = 1; index <= MaxEngineTypes; ++index) {
        buf.Clear();
        get(index, buf.Data());
        const std::string name = buf.Text();
        if (name.empty())
            break;
        list.AddObject(name, IntToObject(index - 1));
    }
    return true;
}

TCryptoEngineList::TCryptoEngineList() {
    const int maxLen = GetMaxCryptoEngineTypeLength();
    if (!ReadEngineTypes(maxLen, GetCryptoEngineTypes, *this))
        QZErrorHandler(503, {maxLen});
}

void LoadSigmakit(bool serverFlag, bool showLoadError) {
    if (Sigmakit.Loaded())
        return;
    const std::string programFolder = ExtractFilePath(GetCurrentProgramFullName());
    std::string lastTried;
    for (const char* name : {"vx_gate.dll", "Sigmakit.dll"}) {
        if (serverFlag && std::strcmp(name, "vx_gate.dll") == 0)
            continue;
        for (const std::string& candidate : {programFolder + name, std::string(name)}) {
            lastTried = candidate;
            if (Sigmakit.Load(candidate)) {
                SigmakitFullName = Sigmakit.FullName();
                CryptoEngineLst = std::make_unique<TCryptoEngineList>();
                return;
            }
        }
    }
    SigmakitFullName.clear();
    QZErrorHandler(501, {lastTried});
}

void UnLoadSigmakit() {}

bool SigmakitLoaded() {
    return Sigmakit.Loaded();
}

void DoneSigmakit() {
    CryptoEngineLst.reset();
    Sigmakit.Free();
    SigmakitFullName.clear();
}

int GetMaxCryptoEngineTypeLength() {
    return CallSigmakit<int>("GetMaxCryptoEngineTypeLength");
}

void GetCryptoEngineTypes(int index, char* buf) {
    CallSigmakit<void>("GetCryptoEngineTypes", index, buf);
}
