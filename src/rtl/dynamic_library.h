#pragma once
#include <memory>
#include <string>

// One loaded library, released by its owner; exports are looked up by name at each call.
class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary() { Free(); }
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    // False when the name does not load; the system's error code is then in GetLastError.
    bool Load(const std::string& fileName);
    void Free();
    bool Loaded() const { return FHandle != nullptr; }
    void* Handle() const { return FHandle; }
    // The loaded module's full path; empty when none is loaded.
    std::string FullName() const;
    // The export's address, or null (the system's error code in GetLastError).
    void* Export(const std::string& name) const;

private:
    void* FHandle = nullptr;
};

// Calls an export of the given stdcall signature.
template <class R, class... A> R CallExport(void* address, A... args) {
    return reinterpret_cast<R(__stdcall*)(A...)>(address)(args...);
}

// A buffer for a text a library writes, of the size the library states, with one byte more kept
// zero: a library that counts the text without its terminator cannot run past it. A size of 0
// or less, or one that cannot be had, gives no buffer (Valid false).
class TLibraryTextBuffer {
public:
    explicit TLibraryTextBuffer(int size);
    bool Valid() const { return FData != nullptr; }
    char* Data() const { return FData.get(); }
    // Empties the text before the library is asked again.
    void Clear() const;
    std::string Text() const;

private:
    int FSize;
    std::unique_ptr<char[]> FData;
};
