#include "rtl/wide_text.h"

#include <windows.h>

std::wstring ToWide(const std::string& text) {
    if (text.empty())
        return {};
    int n = MultiByteToWideChar(TextCodePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(size_t(n), L'\0');
    MultiByteToWideChar(TextCodePage, 0, text.data(), int(text.size()), result.data(), n);
    return result;
}

std::string FromWide(const wchar_t* text, int length) {
    if (!text)
        return {};
    if (length < 0)
        length = int(wcslen(text));
    if (length == 0)
        return {};
    int n = WideCharToMultiByte(TextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size_t(n), '\0');
    WideCharToMultiByte(TextCodePage, 0, text, length, result.data(), n, nullptr, nullptr);
    return result;
}

std::string FromWide(const std::wstring& text) {
    return FromWide(text.data(), int(text.size()));
}

bool CharFromWide(wchar_t wide, char& text) {
    BOOL lost = FALSE;
    return WideCharToMultiByte(TextCodePage, 0, &wide, 1, &text, 1, nullptr, &lost) == 1 && !lost;
}

wchar_t CharToWide(char text) {
    wchar_t wide = 0;
    MultiByteToWideChar(TextCodePage, 0, &text, 1, &wide, 1);
    return wide;
}
