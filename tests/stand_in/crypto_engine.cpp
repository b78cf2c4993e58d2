// A stand-in for the crypto-engine library, for tests and the demo. It reads what it offers
// from an INI file of its own name next to it (types, parameters with their defaults, maximum
// lengths, the result of signing, error texts) and appends every call to a log file of its own
// name, so tests can set the engine up and see what the program asked of it:
//
//   [Types]      1=<type> 2=<type> ...   in order; the first missing index ends the list
//   [<type>]     <name>=<default value>  the type's parameters in order
//   [Limits]     TypeLength NameLength ValueLength SignatureLength ErrorLength
//   [Sign]       Result=<code>           what SignData returns (0 = signed)
//   [Errors]     <code>=<text>
//
// Every text is written with at most the reported maximum length in characters and then a
// terminating zero, one byte more than a careless caller reserves.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

HMODULE ThisModule = nullptr;

std::string OwnFileWithExtension(const char* extension) {
    char name[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(ThisModule, name, MAX_PATH);
    std::string path(name, n);
    std::string::size_type dot = path.find_last_of('.');
    if (dot != std::string::npos && dot > path.find_last_of('\\'))
        path.resize(dot);
    return path + extension;
}

std::string Setting(const char* section, const std::string& key, const char* fallback = "") {
    char value[4096] = {};
    GetPrivateProfileStringA(section, key.c_str(), fallback, value, sizeof value,
                             OwnFileWithExtension(".ini").c_str());
    return value;
}

int Limit(const char* key, int fallback) {
    return int(
        GetPrivateProfileIntA("Limits", key, fallback, OwnFileWithExtension(".ini").c_str()));
}

void Log(const std::string& line) {
    char folder[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    if (FILE* f = std::fopen(OwnFileWithExtension(".log").c_str(), "ab")) {
        std::fprintf(f, "%s in %s\r\n", line.c_str(), folder);
        std::fclose(f);
    }
}

void WriteText(char* buf, const std::string& text, int maxLength) {
    if (!buf)
        return;
    std::string cut = text.substr(0, maxLength > 0 ? size_t(maxLength) : 0);
    std::memcpy(buf, cut.c_str(), cut.size() + 1);
}

std::string TypeName(int index) {
    return Setting("Types", std::to_string(index));
}

struct TEngine {
    bool Used = false;
    std::vector<std::pair<std::string, std::string>> Params;
};

TEngine Engines[64];

TEngine* FindEngine(int engine) {
    if (engine < 1 || engine > int(sizeof Engines / sizeof Engines[0]))
        return nullptr;
    return Engines[engine - 1].Used ? &Engines[engine - 1] : nullptr;
}

bool TypeOffered(const std::string& type) {
    for (int i = 1; !TypeName(i).empty(); ++i)
        if (lstrcmpiA(TypeName(i).c_str(), type.c_str()) == 0)
            return true;
    return false;
}

std::vector<std::pair<std::string, std::string>> DefaultParams(const std::string& type) {
    std::vector<char> lines(32768);
    DWORD n = GetPrivateProfileSectionA(type.c_str(), lines.data(), DWORD(lines.size()),
                                        OwnFileWithExtension(".ini").c_str());
    std::vector<std::pair<std::string, std::string>> params;
    for (const char* p = lines.data(); p < lines.data() + n && *p; p += std::strlen(p) + 1) {
        std::string line = p;
        std::string::size_type eq = line.find('=');
        params.emplace_back(line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1));
    }
    return params;
}

const std::pair<std::string, std::string>* Param(int engine, int index) {
    TEngine* e = FindEngine(engine);
    if (!e || index < 1 || index > int(e->Params.size()))
        return nullptr;
    return &e->Params[index - 1];
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        ThisModule = instance;
    return TRUE;
}

__stdcall int GetMaxCryptoEngineTypeLength() {
    Log("GetMaxCryptoEngineTypeLength");
    return Limit("TypeLength", 64);
}

__stdcall void GetCryptoEngineTypes(int index, char* buf) {
    Log("GetCryptoEngineTypes " + std::to_string(index));
    WriteText(buf, TypeName(index), Limit("TypeLength", 64));
}

__stdcall int InitCryptoEngine(const char* typeName) {
    std::string type = typeName ? typeName : "";
    Log("InitCryptoEngine " + type);
    if (type.empty() || !TypeOffered(type))
        return 0;
    for (int i = 0; i < int(sizeof Engines / sizeof Engines[0]); ++i)
        if (!Engines[i].Used) {
            Engines[i].Used = true;
            Engines[i].Params = DefaultParams(type);
            return i + 1;
        }
    return 0;
}

__stdcall void SetRootPath(int engine, const char* path) {
    Log("SetRootPath " + std::to_string(engine) + " " + (path ? path : ""));
}

__stdcall void DoneCryptoEngine(int engine) {
    Log("DoneCryptoEngine " + std::to_string(engine));
    if (TEngine* e = FindEngine(engine))
        *e = TEngine();
}

__stdcall int GetCryptoParamNumber(int engine) {
    TEngine* e = FindEngine(engine);
    return e ? int(e->Params.size()) : 0;
}

__stdcall int GetMaxCryptoParamNameLength(int) {
    return Limit("NameLength", 64);
}

__stdcall int GetMaxCryptoParamValueLength(int) {
    return Limit("ValueLength", 256);
}

__stdcall void GetCryptoParamName(int engine, int index, char* buf) {
    const auto* p = Param(engine, index);
    WriteText(buf, p ? p->first : "", Limit("NameLength", 64));
}

__stdcall void GetCryptoParamValue(int engine, int index, char* buf) {
    const auto* p = Param(engine, index);
    WriteText(buf, p ? p->second : "", Limit("ValueLength", 256));
}

__stdcall int SetCryptoParamValue(int engine, int index, const char* value) {
    std::string text = value ? value : "";
    Log("SetCryptoParamValue " + std::to_string(index) + " " + text);
    auto* p = const_cast<std::pair<std::string, std::string>*>(Param(engine, index));
    if (!p)
        return 1;
    p->second = text;
    return 0;
}

__stdcall int GetMaxSignatureLength(int) {
    return Limit("SignatureLength", 64);
}

__stdcall int SignData(int engine, const char* data, int dataLen, char* signature,
                       int* signatureLen, const char* info) {
    std::string signed_(data && dataLen > 0 ? data : "", data && dataLen > 0 ? dataLen : 0);
    Log("SignData " + signed_ + " " + std::to_string(dataLen) + " " +
        std::to_string(signatureLen ? *signatureLen : -1) + " " + (info ? info : ""));
    TEngine* e = FindEngine(engine);
    if (!e)
        return 1;
    for (const auto& p : e->Params)
        Log("Param " + p.first + "=" + p.second);
    int result = std::atoi(Setting("Sign", "Result", "0").c_str());
    if (result != 0)
        return result;
    if (!signature || !signatureLen || *signatureLen <= 0)
        return 2;
    std::memset(signature, 'S', size_t(*signatureLen));
    return 0;
}

__stdcall int GetMaxErrorStringLength(int) {
    return Limit("ErrorLength", 256);
}

__stdcall void GetCryptoErrorString(int, int errCode, char* buf) {
    WriteText(buf, Setting("Errors", std::to_string(errCode)), Limit("ErrorLength", 256));
}
}
