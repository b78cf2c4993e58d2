#include "qvr/crypto_engine_list.h"

#include "qvr/exception_handler.h"
#include "rtl/dynamic_library.h"
#include "rtl/file_names.h"
#include "rtl/object.h"
#include "tools/file_paths.h"
#include "tools/folder_switch.h"
#include "tools/system_info.h"

#include <cstring>
#include <new>

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

TCryptoEngineList::TCryptoEngineList() {
    const int maxLen = GetMaxCryptoEngineTypeLength();
    if (maxLen <= 0)
        return;
    // One byte more than the library asks for, kept zero: a library that counts the name
    // without its terminator cannot run past the buffer.
    std::unique_ptr<char[]> buf(new (std::nothrow) char[size_t(maxLen) + 1]);
    if (!buf) {
        QZErrorHandler(503, {maxLen});
        return;
    }
    for (int index = 1; index <= MaxEngineTypes; ++index) {
        std::memset(buf.get(), 0, size_t(maxLen) + 1);
        GetCryptoEngineTypes(index, buf.get());
        std::string name(buf.get(), strnlen(buf.get(), size_t(maxLen)));
        if (name.empty())
            break;
        AddObject(name, IntToObject(index - 1));
    }
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
