#include "tools/chooser_paths.h"

#include "rtl/file_names.h"
#include "tools/file_paths.h"

std::string ExistingFolderUp(const std::string& folder) {
    std::string current = folder;
    while (!current.empty() && !DirectoryExists(current)) {
        if (current.back() == '\\')
            return std::string();
        // Going up a relative name ends in nothing, and a drive name stays what it is: either
        // ends the walk.
        std::string up = PathDelSlash(ExtractFileDir(current));
        if (up == current)
            return std::string();
        current = up;
    }
    return current;
}

std::string FileChooserStartFolder(const std::string& path, const std::string& relativePath) {
    if (path.empty())
        return std::string();
    std::string folder = PathDelSlash(ExtractFilePath(path));
    if (!relativePath.empty())
        folder = SplitPathName(relativePath, folder);
    return ExistingFolderUp(folder);
}

std::string FolderChooserStartFolder(const std::string& path, const std::string& relativePath) {
    if (path.empty())
        return std::string();
    return ExistingFolderUp(
        PathDelSlash(relativePath.empty() ? path : SplitPathName(relativePath, path)));
}

std::string ChosenPath(const std::string& chosen, const std::string& relativePath) {
    return relativePath.empty() ? chosen : ExtractRelativePath(AddSlash(relativePath), chosen);
}
