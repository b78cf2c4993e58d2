#pragma once
#include <cstdint>
#include <string>
#include <variant>

// The value a snapshot gives for a parameter: nothing, an integer, a number or a text.
class Variant {
public:
    Variant() = default;
    Variant(int v) : FValue(int64_t(v)) {}
    Variant(int64_t v) : FValue(v) {}
    Variant(double v) : FValue(v) {}
    Variant(std::string v) : FValue(std::move(v)) {}
    Variant(const char* v) : FValue(std::string(v)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(FValue); }
    bool IsInteger() const { return std::holds_alternative<int64_t>(FValue); }
    bool IsDouble() const { return std::holds_alternative<double>(FValue); }
    bool IsString() const { return std::holds_alternative<std::string>(FValue); }

    // Numbers convert as the platform's variants do; a text that is no number raises
    // EConvertError.
    int64_t AsInteger() const;
    double AsDouble() const;
    std::string AsString() const;

    bool operator==(const Variant& other) const { return FValue == other.FValue; }

private:
    std::variant<std::monostate, int64_t, double, std::string> FValue;
};
