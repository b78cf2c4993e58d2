#pragma once
#include <string>

// A new empty folder below the system's temporary folder, removed with everything in it when
// the object goes. Names are 1251 text, as everywhere in the program.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return FPath; } // without a trailing backslash
    std::string File(const std::string& name) const { return FPath + "\\" + name; }

private:
    std::string FPath;
};
