#include "rtl/format.h"

#include "rtl/exceptions.h"
#include "rtl/format_settings.h"
#include "rtl/strings.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

[[noreturn]] void Invalid(const std::string& pattern) {
    throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, int width, bool left) {
    if (width > 0 && int(text.size()) < width)
        text = left ? text + std::string(size_t(width) - text.size(), ' ')
                    : std::string(size_t(width) - text.size(), ' ') + text;
    return text;
}

std::string WithSeparator(std::string text) {
    const char sep = FormatSettings().DecimalSeparator;
    for (char& c : text)
        if (c == '.')
            c = sep;
    return text;
}

std::string Thousands(const std::string& fixed) {
    size_t start = fixed[0] == '-' ? 1 : 0;
    size_t dot = fixed.find('.');
    size_t end = dot == std::string::npos ? fixed.size() : dot;
    std::string whole = fixed.substr(start, end - start), grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += FormatSettings().ThousandSeparator;
        grouped += whole[i];
    }
    return fixed.substr(0, start) + grouped + fixed.substr(end);
}

std::string Convert(char type, int precision, const FormatArg& arg, const std::string& pattern) {
    const int64_t* i = std::get_if<int64_t>(&arg.Value);
    const double* d = std::get_if<double>(&arg.Value);
    const std::string* s = std::get_if<std::string>(&arg.Value);
    char buf[512];
    switch (type) {
    case 'd':
    case 'u': {
        if (!i)
            Invalid(pattern);
        int64_t v = type == 'u' ? int64_t(uint32_t(*i)) : *i;
        std::string digits = std::to_string(v < 0 ? -v : v);
        if (precision > int(digits.size()))
            digits = std::string(size_t(precision) - digits.size(), '0') + digits;
        return (v < 0 ? "-" : "") + digits;
    }
    case 'x': {
        if (!i)
            Invalid(pattern);
        // Values of the 32-bit range print as the 32-bit pattern, as the platform's %x does.
        uint64_t bits = *i >= INT32_MIN && *i <= int64_t(UINT32_MAX) ? uint32_t(*i) : uint64_t(*i);
        std::snprintf(buf, sizeof buf, "%0*llX", precision < 0 ? 0 : precision,
                      static_cast<unsigned long long>(bits));
        return buf;
    }
    case 's':
        if (!s)
            Invalid(pattern);
        return precision >= 0 && size_t(precision) < s->size() ? s->substr(0, size_t(precision))
                                                               : *s;
    case 'f':
    case 'n':
    case 'e':
    case 'g': {
        if (!d)
            Invalid(pattern);
        if (type == 'g')
            return precision < 0 ? FloatToStr(*d) : WithSeparator([&] {
                std::snprintf(buf, sizeof buf, "%.*G", precision, *d);
                return std::string(buf);
            }());
        if (type == 'e') {
            std::snprintf(buf, sizeof buf, "%.*E", precision < 0 ? 14 : precision, *d);
            return WithSeparator(buf);
        }
        std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 2 : precision, *d);
        return WithSeparator(type == 'n' ? Thousands(buf) : std::string(buf));
    }
    default:
        Invalid(pattern);
    }
}

} // namespace

std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args) {
    std::vector<const FormatArg*> list;
    for (const FormatArg& a : args)
        list.push_back(&a);
    std::string out;
    size_t next = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] != '%') {
            out += pattern[p];
            continue;
        }
        if (++p >= pattern.size())
            Invalid(pattern);
        if (pattern[p] == '%') {
            out += '%';
            continue;
        }
        auto number = [&](int& value) {
            bool any = false;
            value = 0;
            while (p < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[p]))) {
                value = value * 10 + (pattern[p++] - '0');
                any = true;
            }
            return any;
        };
        int index = 0, width = -1, precision = -1;
        size_t start = p;
        if (number(index) && p < pattern.size() && pattern[p] == ':') {
            next = size_t(index);
            ++p;
        } else {
            p = start;
        }
        bool left = false;
        if (p < pattern.size() && pattern[p] == '-') {
            left = true;
            ++p;
        }
        if (p < pattern.size() && pattern[p] == '*') {
            if (next >= list.size() || !std::get_if<int64_t>(&list[next]->Value))
                Invalid(pattern);
            width = int(std::get<int64_t>(list[next++]->Value));
            ++p;
        } else {
            number(width);
        }
        if (p < pattern.size() && pattern[p] == '.') {
            ++p;
            number(precision);
        }
        if (p >= pattern.size() || next >= list.size())
            Invalid(pattern);
        char type = char(std::tolower(static_cast<unsigned char>(pattern[p])));
        out += Pad(Convert(type, precision, *list[next++], pattern), width, left);
    }
    return out;
}
