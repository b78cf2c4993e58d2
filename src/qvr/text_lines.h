#pragma once
#include <string_view>

// Offset of the first CRLF in s at or after from; npos when there is none.
size_t FindCRLF(std::string_view s, size_t from = 0);

// The text of s from pos before the next CRLF; pos moves past the CRLF, or to the end of s
// when there is none.
std::string_view TakeLine(std::string_view s, size_t& pos);

// Views into the text being parsed, so that a line is never copied to be taken apart
// (TrimBlanks and SameText of rtl/strings.h work on views too).

// The text of s before the first separator; s keeps what follows it, nothing when there is
// no separator.
std::string_view NextField(std::string_view& s, char separator);
