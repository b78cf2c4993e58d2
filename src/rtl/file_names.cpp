#include "rtl/file_names.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <vector>

namespace {

std::string::size_type FolderEnd(const std::string& fileName) {
    std::string::size_type i = fileName.find_last_of("\\:");
    return i == std::string::npos ? 0 : i + 1;
}

std::vector<std::string> Folders(const std::string& path) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start < path.size()) {
        std::string::size_type end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

std::string ExtractFilePath(const std::string& fileName) {
    return fileName.substr(0, FolderEnd(fileName));
}

std::string ExtractFileDir(const std::string& fileName) {
    std::string::size_type end = FolderEnd(fileName);
    if (end > 1 && fileName[end - 1] == '\\' && fileName[end - 2] != '\\' &&
        fileName[end - 2] != ':')
        --end;
    return fileName.substr(0, end);
}

std::string ExtractFileName(const std::string& fileName) {
    return fileName.substr(FolderEnd(fileName));
}

std::string ExtractRelativePath(const std::string& baseName, const std::string& destName) {
    const std::string basePath = ExtractFilePath(baseName);
    const std::string destPath = ExtractFilePath(destName);
    auto drive = [](const std::string& s) {
        return s.size() >= 2 && s[1] == ':' ? s.substr(0, 2) : "";
    };
    if (!AnsiSameText(drive(basePath), drive(destPath)))
        return destName;
    const std::vector<std::string> base = Folders(basePath.substr(drive(basePath).size()));
    const std::vector<std::string> dest = Folders(destPath.substr(drive(destPath).size()));
    size_t same = 0;
    while (same < base.size() && same < dest.size() && AnsiSameText(base[same], dest[same]))
        ++same;
    std::string result;
    for (size_t i = same; i < base.size(); ++i)
        result += "..\\";
    for (size_t i = same; i < dest.size(); ++i)
        result += dest[i] + "\\";
    return result + ExtractFileName(destName);
}

bool DirectoryExists(const std::string& name) {
    if (name.empty())
        return false;
    DWORD attributes = GetFileAttributesW(ToWide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
