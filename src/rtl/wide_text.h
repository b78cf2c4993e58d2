#pragma once
#include <string>

// The one crossing between the program's 1251 text and the UTF-16 of the Win32 API.
// Code page 1251 is named explicitly so Cyrillic is right whatever the system's ANSI page is.
constexpr unsigned TextCodePage = 1251;

std::wstring ToWide(const std::string& text);
std::string FromWide(const std::wstring& text);
std::string FromWide(const wchar_t* text, int length = -1);

// One character each way; false when the UTF-16 character has no 1251 form.
bool CharFromWide(wchar_t wide, char& text);
wchar_t CharToWide(char text);
