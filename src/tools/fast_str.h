#pragma once
#include <string>

// Upper-case form of every byte in code page 1251 (Latin and Cyrillic letters).
extern const unsigned char ToUpperChars[256];

// 1-based position of findString in sourceString at or after startPos, byte for byte; 0 when
// absent or either text is empty. A startPos below 1 starts at 1.
int Q_PosStr(const std::string& findString, const std::string& sourceString, int startPos = 1);
// As Q_PosStr, comparing both sides through ToUpperChars.
int Q_PosText(const std::string& findString, const std::string& sourceString, int startPos = 1);
