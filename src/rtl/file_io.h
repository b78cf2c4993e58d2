#pragma once
#include <string>

// Whole-file reading and writing by a 1251 file name; failures raise EInOutError with the
// system's error code.
std::string ReadWholeFile(const std::string& fileName);
void WriteWholeFile(const std::string& fileName, const std::string& content);
bool FileExists(const std::string& fileName);
bool DeleteFileByName(const std::string& fileName);
std::string SysErrorMessage(unsigned errorCode);
// Raises EInOutError for the system's last error: what failed, the file's name, the reason.
[[noreturn]] void RaiseLastFileError(const std::string& what, const std::string& fileName);
// The name made absolute against the current folder; the name itself when the system cannot.
std::string ExpandFileName(const std::string& fileName);
// The system's folder for temporary files, ending in a backslash.
std::string TempDirectory();
