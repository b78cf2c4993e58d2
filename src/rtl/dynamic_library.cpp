#include "rtl/dynamic_library.h"

#include "rtl/wide_text.h"

#include <windows.h>

bool TDynamicLibrary::Load(const std::string& fileName) {
    Free();
    FHandle = LoadLibraryW(ToWide(fileName).c_str());
    return FHandle != nullptr;
}

void TDynamicLibrary::Free() {
    if (FHandle)
        FreeLibrary(static_cast<HMODULE>(FHandle));
    FHandle = nullptr;
}

std::string TDynamicLibrary::FullName() const {
    if (!FHandle)
        return std::string();
    // Long enough for any path the system loads a library from, whatever MAX_PATH says.
    std::wstring name(32768, L'\0');
    DWORD n = GetModuleFileNameW(static_cast<HMODULE>(FHandle), name.data(), DWORD(name.size()));
    return FromWide(name.c_str(), int(n));
}

void* TDynamicLibrary::Export(const std::string& name) const {
    if (!FHandle)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(FHandle), name.c_str()));
}
