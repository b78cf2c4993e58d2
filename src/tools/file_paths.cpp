#include "tools/file_paths.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"

#include <windows.h>

namespace {

bool EndsWith(const std::string& s, char c) {
    return !s.empty() && s.back() == c;
}

// A drive ("C:...") or a network share ("\\server...") makes a name absolute.
bool HasDriveOrShare(const std::string& name) {
    return (name.size() >= 2 && name[1] == ':') || name.compare(0, 2, "\\\\") == 0;
}

} // namespace

std::string PathDelSlash(const std::string& path) {
    std::string result = DelSlash(path);
    if (EndsWith(result, ':'))
        result += '\\';
    return result;
}

std::string DelSlash(const std::string& path) {
    return EndsWith(path, '\\') ? path.substr(0, path.size() - 1) : path;
}

std::string AddSlash(const std::string& path) {
    std::string result = PathDelSlash(path);
    if (!result.empty() && !EndsWith(result, '\\'))
        result += '\\';
    return result;
}

std::string SplitPathName(const std::string& path, const std::string& name) {
    if (HasDriveOrShare(name))
        return name;
    if (name.empty())
        return path;
    return AddSlash(path) + (name[0] == '\\' ? name.substr(1) : name);
}

void QZChDir(const std::string& path) {
    std::string folder = Trim(path);
    if (folder.empty())
        return;
    if (!SetCurrentDirectoryW(ToWide(PathDelSlash(folder)).c_str())) {
        DWORD error = GetLastError();
        throw EInOutError(SysErrorMessage(error), int(error));
    }
}

int64_t GetFileSize(const std::string& fileName) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(ExpandFileName(fileName)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    FindClose(search);
    return int64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
}
