// The editor's own access to the crypto-engine library: loading, lookup by name and one wrapper
// per export, each run in the library's folder.
#include "viewer/crypto_params_editor/crypto_params_editor.h"

#include "rtl/file_io.h"
#include "rtl/file_names.h"
#include "rtl/format.h"
#include "rtl/modality/message_box.h"
#include "rtl/strings.h"
#include "tools/file_paths.h"
#include "tools/folder_switch.h"
#include "vcl/base/windows_clean.h"

bool TCryptoParamsEditor::LoadLib() {
    if (FLibrary.Loaded())
        return true;
    std::string name = FLibName;
    bool loaded = FLibrary.Load(name);
    DWORD error = GetLastError();
    if (!loaded && !AnsiSameText(ExtractFileName(FLibName), FLibName)) {
        name = ExtractFileName(FLibName);
        loaded = FLibrary.Load(name);
        error = GetLastError();
    }
    if (!loaded) {
        HandleError(Format("Error loading DLL '%s'. Error code %d with message '%s'.",
                           {name, unsigned(error), SysErrorMessage(error)}));
        return false;
    }
    LibFullName = FLibrary.FullName();
    return true;
}

void TCryptoParamsEditor::FreeLib() {
    FLibrary.Free();
    LibFullName.clear();
}

void* TCryptoParamsEditor::LoadProcedure(const std::string& Name) {
    if (!LoadLib())
        return nullptr;
    void* address = FLibrary.Export(Name);
    if (!address) {
        DWORD error = GetLastError();
        HandleError(
            Format("Error searching function '%s' in dll '%s'. Error code %d with message '%s'.",
                   {Name, FLibName, unsigned(error), SysErrorMessage(error)}));
    }
    return address;
}

void TCryptoParamsEditor::HandleError(const std::string& Msg) {
    LastError = Msg;
    if (FShowErrorMessage)
        ShowOwnedMessageBox(HandleAllocated() ? WindowHandle() : nullptr, Name() + ": \r\n" + Msg,
                            "Error", MB_ICONERROR);
}

template <class R, class... A> R TCryptoParamsEditor::CallLibrary(const char* name, A... args) {
    void* address = LoadProcedure(name);
    if (!address)
        return R();
    // The library finds its own files from its folder; the caller's folder is back afterwards,
    // also when the call raises.
    TFolderSwitch inLibraryFolder(DelSlash(ExtractFilePath(LibFullName)));
    return CallExport<R, A...>(address, args...);
}

std::string TCryptoParamsEditor::ReadLibraryText(int size, const std::function<void(char*)>& fill) {
    TLibraryTextBuffer buf(size);
    if (!buf.Valid())
        return std::string();
    fill(buf.Data());
    return buf.Text();
}

int TCryptoParamsEditor::InitCryptoEngine(const std::string& TypeName) {
    const int engine = CallLibrary<int>("InitCryptoEngine", TypeName.c_str());
    const std::string folder = DelSlash(ExtractFilePath(LibFullName));
    if (engine != 0 && !folder.empty())
        SetRootPath(engine, folder);
    return engine;
}

void TCryptoParamsEditor::SetRootPath(int Engine, const std::string& Path) {
    CallLibrary<void>("SetRootPath", Engine, Path.c_str());
}

void TCryptoParamsEditor::DoneCryptoEngine(int Engine) {
    CallLibrary<void>("DoneCryptoEngine", Engine);
}

int TCryptoParamsEditor::GetCryptoParamNumber(int Engine) {
    return CallLibrary<int>("GetCryptoParamNumber", Engine);
}

int TCryptoParamsEditor::GetMaxCryptoParamNameLength(int Engine) {
    return CallLibrary<int>("GetMaxCryptoParamNameLength", Engine);
}

int TCryptoParamsEditor::GetMaxCryptoParamValueLength(int Engine) {
    return CallLibrary<int>("GetMaxCryptoParamValueLength", Engine);
}

std::string TCryptoParamsEditor::GetCryptoParamName(int Engine, int Index) {
    return ReadLibraryText(GetMaxCryptoParamNameLength(Engine), [&](char* buf) {
        CallLibrary<void>("GetCryptoParamName", Engine, Index, buf);
    });
}

std::string TCryptoParamsEditor::GetCryptoParamValue(int Engine, int Index) {
    return ReadLibraryText(GetMaxCryptoParamValueLength(Engine), [&](char* buf) {
        CallLibrary<void>("GetCryptoParamValue", Engine, Index, buf);
    });
}

int TCryptoParamsEditor::SetCryptoParamValue(int Engine, int Index, const std::string& Value) {
    return CallLibrary<int>("SetCryptoParamValue", Engine, Index, Value.c_str());
}

int TCryptoParamsEditor::GetMaxSignatureLength(int Engine) {
    return CallLibrary<int>("GetMaxSignatureLength", Engine);
}

int TCryptoParamsEditor::SignData(int Engine, const char* Data, int DataLen, char* SignatureBuf,
                                  int& SignatureLen, const std::string& Info) {
    return CallLibrary<int>("SignData", Engine, Data, DataLen, SignatureBuf, &SignatureLen,
                            Info.c_str());
}

int TCryptoParamsEditor::GetMaxErrorStringLength(int Engine) {
    return CallLibrary<int>("GetMaxErrorStringLength", Engine);
}

std::string TCryptoParamsEditor::GetCryptoErrorString(int Engine, int ErrCode) {
    return ReadLibraryText(GetMaxErrorStringLength(Engine), [&](char* buf) {
        CallLibrary<void>("GetCryptoErrorString", Engine, ErrCode, buf);
    });
}

int TCryptoParamsEditor::GetMaxCryptoEngineTypeLength() {
    return CallLibrary<int>("GetMaxCryptoEngineTypeLength");
}

void TCryptoParamsEditor::GetCryptoEngineTypes(int Index, char* Buf) {
    CallLibrary<void>("GetCryptoEngineTypes", Index, Buf);
}

int TCryptoParamsEditor::GetCryptoEngineParamIndex(int Engine, const std::string& Name) {
    if (Engine == 0)
        return -1;
    const int count = GetCryptoParamNumber(Engine);
    for (int index = 1; index <= count; ++index)
        if (AnsiSameText(GetCryptoParamName(Engine, index), Name))
            return index;
    return -1;
}

void TCryptoParamsEditor::SetCryptoEngineParamValue(int Engine, const std::string& Name,
                                                    const std::string& Value) {
    const int index = GetCryptoEngineParamIndex(Engine, Name);
    if (Engine != 0 && index > 0)
        SetCryptoParamValue(Engine, index, Value);
}
