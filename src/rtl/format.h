#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

// One argument of Format; the pattern's conversion must fit its kind.
class FormatArg {
public:
    FormatArg(int v) : Value(int64_t(v)) {}
    FormatArg(unsigned v) : Value(int64_t(v)) {}
    FormatArg(long v) : Value(int64_t(v)) {}
    FormatArg(unsigned long v) : Value(int64_t(v)) {}
    FormatArg(long long v) : Value(int64_t(v)) {}
    FormatArg(unsigned long long v) : Value(int64_t(v)) {}
    FormatArg(double v) : Value(v) {}
    FormatArg(const std::string& v) : Value(v) {}
    FormatArg(const char* v) : Value(std::string(v ? v : "")) {}

    std::variant<int64_t, double, std::string> Value;
};

// The platform's Format: "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d, u, x, s, f, g, e, n and "%%". A pattern that does not fit its argument raises EConvertError.
std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args);
