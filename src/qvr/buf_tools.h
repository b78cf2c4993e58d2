#pragma once
#include "rtl/shared_text.h"

#include <cstdint>
#include <string>
#include <string_view>

// Field widths of the record form: every integer and string length prefix, every date-time.
inline constexpr int IntegerSize = 4;
inline constexpr int DateTimeSize = 8;
static_assert(IntegerSize == sizeof(int32_t) && DateTimeSize == sizeof(double),
              "the record form is little-endian int32 and binary64");

// Byte strings addressed by a 1-based position that every routine advances past what it read
// or wrote. None of them raises, and none reads or writes outside the buffer: a field that does
// not fit reads as zeros (a string is cut to the bytes that remain), and the position still
// advances by the nominal width, so a loop over a buffer always ends.

std::string ReadString(std::string_view buf, int& pos);
// As ReadString, without copying the text out of buf.
std::string_view ReadStringView(std::string_view buf, int& pos);
// With canResizeDest the buffer grows at its end when the string does not fit behind pos;
// without it, bytes that would fall outside the buffer are dropped.
void WriteString(const std::string& s, std::string& buf, int& pos, bool canResizeDest);
void ReadData(std::string_view buf, int& pos, void* data, int dataLen);
void WriteData(const void* data, int dataLen, std::string& buf, bool canResizeDest, int& pos);

// The record fields in the form above; writing never resizes (records size their buffer).
void ReadField(std::string_view buf, int& pos, int& value);
void ReadField(std::string_view buf, int& pos, double& value);
void ReadField(std::string_view buf, int& pos, bool& value); // 4 bytes, the first is the value
void ReadField(std::string_view buf, int& pos, std::string& value);
void ReadField(std::string_view buf, int& pos, TSharedText& value); // its own copy
void WriteField(int value, std::string& buf, int& pos);
void WriteField(double value, std::string& buf, int& pos);
void WriteField(bool value, std::string& buf, int& pos);
void WriteField(const std::string& value, std::string& buf, int& pos);
inline void WriteField(const TSharedText& value, std::string& buf, int& pos) {
    WriteField(value.str(), buf, pos);
}
inline int64_t FieldSize(int) {
    return IntegerSize;
}
inline int64_t FieldSize(double) {
    return DateTimeSize;
}
inline int64_t FieldSize(bool) {
    return IntegerSize;
}
inline int64_t FieldSize(const std::string& value) {
    return IntegerSize + int64_t(value.size());
}
inline int64_t FieldSize(const TSharedText& value) {
    return FieldSize(value.str());
}

// Moves a position on by n, held within the range of the position type.
void AdvancePos(int& pos, int64_t n);
