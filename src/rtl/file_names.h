#pragma once
#include <string>

// Parts of 1251 file names; a name's folder ends at its last backslash or colon.

// The folder with its trailing backslash ("C:\a\" of "C:\a\b.txt"); empty for a bare name.
std::string ExtractFilePath(const std::string& fileName);
// The folder without the trailing backslash, except a drive's root keeps it ("C:\").
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
// The name as seen from the folder baseName (a file name whose folder counts; end a folder with
// a backslash); names on another drive stay whole.
std::string ExtractRelativePath(const std::string& baseName, const std::string& destName);
bool DirectoryExists(const std::string& name);
