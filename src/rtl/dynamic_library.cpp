#include "rtl/dynamic_library.h"

#include "rtl/wide_text.h"

#include <windows.h>

#include <cstring>
#include <new>

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

TLibraryTextBuffer::TLibraryTextBuffer(int size) : FSize(size) {
    if (size > 0)
        FData.reset(new (std::nothrow) char[size_t(size) + 1]);
    Clear();
}

void TLibraryTextBuffer::Clear() const {
    if (!FData)
        return;
    FData[0] = '\0';
    FData[size_t(FSize)] = '\0';
}

std::string TLibraryTextBuffer::Text() const {
    return FData ? std::string(FData.get(), strnlen(FData.get(), size_t(FSize))) : std::string();
}
