#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Text functions over single-byte 1251 strings. Positions are 1-based where the
// name says "Pos"; a byte is treated as unsigned everywhere.

// Locale-aware (user default locale) comparison and case mapping.
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
int AnsiCompareStr(const std::string& a, const std::string& b);
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);
bool AnsiSameStr(const std::string& a, const std::string& b);

// ASCII-only case mapping.
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(std::string_view a, std::string_view b);

// Blanks and control characters (bytes up to 32) at the ends.
std::string Trim(const std::string& s);
// s without the blanks and control characters (bytes up to 32) at its ends, as a view of s.
std::string_view TrimBlanks(std::string_view s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);

// 1-based position of sub in s, 0 when absent.
int Pos(const std::string& sub, const std::string& s);
std::string Copy(const std::string& s, int index, int count);
void Delete(std::string& s, int index, int count);

std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);

// The platform's integer reading: blanks before, a sign, decimal digits or "$"/"0x" and hex
// digits. Code is 0 on success, else the 1-based position of the offending character.
void Val(const std::string& s, int& value, int& code);
bool TryStrToInt(const std::string& s, int& value);
int StrToInt(const std::string& s); // raises EConvertError
int StrToIntDef(const std::string& s, int defaultValue);
bool TryStrToInt64(const std::string& s, int64_t& value);
int64_t StrToInt64Def(const std::string& s, int64_t defaultValue);

// General format with 15 significant digits and the global decimal separator.
std::string FloatToStr(double value);
// General format with the given number of significant digits (7 for a single).
std::string FloatToStrGeneral(double value, int precision);
bool TryStrToFloat(const std::string& s, double& value);
double StrToFloat(const std::string& s); // raises EConvertError

// Halves go to the even neighbour, as the platform's Round does.
int64_t Round(double value);
