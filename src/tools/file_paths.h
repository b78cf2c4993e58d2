#pragma once
#include <cstdint>
#include <string>

std::string PathDelSlash(const std::string& path);
std::string DelSlash(const std::string& path);
std::string AddSlash(const std::string& path);
std::string SplitPathName(const std::string& path, const std::string& name);
void QZChDir(const std::string& path); // raises EInOutError
// Size of the first directory entry that matches the expanded name; -1 when none does.
int64_t GetFileSize(const std::string& fileName);
