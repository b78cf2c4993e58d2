#include "rtl/variant.h"

#include "rtl/strings.h"

#include <cmath>

int64_t Variant::AsInteger() const {
    if (auto* i = std::get_if<int64_t>(&FValue))
        return *i;
    if (auto* d = std::get_if<double>(&FValue))
        return Round(*d);
    if (auto* s = std::get_if<std::string>(&FValue))
        return Round(StrToFloat(*s));
    return 0;
}

double Variant::AsDouble() const {
    if (auto* i = std::get_if<int64_t>(&FValue))
        return double(*i);
    if (auto* d = std::get_if<double>(&FValue))
        return *d;
    if (auto* s = std::get_if<std::string>(&FValue))
        return StrToFloat(*s);
    return 0;
}

std::string Variant::AsString() const {
    if (auto* i = std::get_if<int64_t>(&FValue))
        return IntToStr(*i);
    if (auto* d = std::get_if<double>(&FValue))
        return FloatToStr(*d);
    if (auto* s = std::get_if<std::string>(&FValue))
        return *s;
    return {};
}
