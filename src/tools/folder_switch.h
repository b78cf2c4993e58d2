#pragma once
#include <string>

// Makes a folder the process's current one for the life of the object and sets the previous one
// again when it goes, also when the work in between raises. A folder that cannot be entered
// leaves the current one as it is.
class TFolderSwitch {
public:
    explicit TFolderSwitch(const std::string& folder);
    ~TFolderSwitch();
    TFolderSwitch(const TFolderSwitch&) = delete;
    TFolderSwitch& operator=(const TFolderSwitch&) = delete;

private:
    std::wstring FPrevious;
};
