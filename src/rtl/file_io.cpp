#include "rtl/file_io.h"

#include "rtl/exceptions.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "rtl/win32_handle.h"

#include <windows.h>

namespace {} // namespace

void RaiseLastFileError(const std::string& what, const std::string& fileName) {
    DWORD error = GetLastError();
    throw EInOutError(what + " \"" + fileName + "\". " + SysErrorMessage(error), int(error));
}

std::string ExpandFileName(const std::string& fileName) {
    std::wstring name = ToWide(fileName);
    DWORD n = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return fileName;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
    return FromWide(full.data(), int(n));
}

std::string SysErrorMessage(unsigned errorCode) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n ? TrimRight(FromWide(buffer, int(n))) : std::string();
    if (buffer)
        LocalFree(buffer);
    return text;
}

std::string ReadWholeFile(const std::string& fileName) {
    TWin32Handle file(CreateFileW(ToWide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        RaiseLastFileError("Cannot open file", fileName);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size))
        RaiseLastFileError("Cannot read file", fileName);
    std::string content(size_t(size.QuadPart), '\0');
    size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        DWORD want = DWORD(std::min<size_t>(content.size() - done, 1 << 24));
        if (!ReadFile(file.Get(), &content[done], want, &got, nullptr))
            RaiseLastFileError("Cannot read file", fileName);
        if (got == 0)
            break;
        done += got;
    }
    content.resize(done);
    return content;
}

void WriteWholeFile(const std::string& fileName, const std::string& content) {
    TWin32Handle file(CreateFileW(ToWide(fileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        RaiseLastFileError("Cannot create file", fileName);
    size_t done = 0;
    while (done < content.size()) {
        DWORD put = 0;
        DWORD want = DWORD(std::min<size_t>(content.size() - done, 1 << 24));
        if (!WriteFile(file.Get(), content.data() + done, want, &put, nullptr))
            RaiseLastFileError("Cannot write file", fileName);
        done += put;
    }
}

std::string TempDirectory() {
    wchar_t folder[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    std::string path = FromWide(folder, int(n));
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

bool FileExists(const std::string& fileName) {
    DWORD attributes = GetFileAttributesW(ToWide(fileName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileByName(const std::string& fileName) {
    return DeleteFileW(ToWide(fileName).c_str()) != 0;
}
