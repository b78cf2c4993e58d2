#include "rtl/strings.h"

#include "rtl/exceptions.h"
#include "rtl/format.h"
#include "rtl/format_settings.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

std::string MapCase(const std::string& s, DWORD flag) {
    if (s.empty())
        return s;
    std::wstring w = ToWide(s);
    int n = LCMapStringW(LOCALE_USER_DEFAULT, flag, w.data(), int(w.size()), nullptr, 0);
    std::wstring mapped(size_t(n), L'\0');
    LCMapStringW(LOCALE_USER_DEFAULT, flag, w.data(), int(w.size()), mapped.data(), n);
    return FromWide(mapped);
}

int Compare(const std::string& a, const std::string& b, DWORD flags) {
    std::wstring wa = ToWide(a), wb = ToWide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, flags, wa.data(), int(wa.size()), wb.data(),
                          int(wb.size())) -
           CSTR_EQUAL;
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads an integer of any width with the platform's syntax; code as for Val.
void ValInteger(const std::string& s, int64_t minValue, uint64_t maxMagnitude, int64_t& value,
                int& code) {
    size_t i = 0;
    value = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint64_t magnitude = 0;
    uint64_t limit = negative ? uint64_t(-(minValue + 1)) + 1 : maxMagnitude;
    size_t digits = 0;
    for (; i < s.size(); ++i, ++digits) {
        int d = base == 16 ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0)
            break;
        if (magnitude > (limit - uint64_t(d)) / uint64_t(base)) {
            code = int(i) + 1;
            return;
        }
        magnitude = magnitude * uint64_t(base) + uint64_t(d);
    }
    if (digits == 0 || i < s.size()) {
        code = int(i) + 1;
        return;
    }
    // Hexadecimal texts may fill all bits, as the platform allows ("$FFFFFFFF" is -1).
    code = 0;
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
}

} // namespace

namespace {

// Case mapping of the locale is per character for a single-byte code page, so one table of
// 256 bytes, made once through the locale, maps whole texts without a trip through UTF-16.
struct CaseTable {
    explicit CaseTable(DWORD flag) {
        for (int b = 0; b < 256; ++b) {
            std::string mapped =
                b == 0 ? std::string(1, '\0') : MapCase(std::string(1, char(b)), flag);
            Map[b] = mapped.size() == 1 ? mapped[0] : char(b);
        }
    }
    std::string Apply(const std::string& s) const {
        std::string r = s;
        for (char& c : r)
            c = Map[static_cast<unsigned char>(c)];
        return r;
    }
    char Map[256];
};

} // namespace

std::string AnsiUpperCase(const std::string& s) {
    static const CaseTable table(LCMAP_UPPERCASE);
    return table.Apply(s);
}

std::string AnsiLowerCase(const std::string& s) {
    static const CaseTable table(LCMAP_LOWERCASE);
    return table.Apply(s);
}
namespace {

// Digits and capital Latin letters collate in the order of their bytes in every locale: digits
// before letters, each in its usual order, and a text before the longer ones it starts. Class
// and object names upper-cased are mostly such texts, and the locale's comparison of them cost
// most of reading a snapshot with thousands of new names.
bool CollatesAsBytes(const std::string& s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

} // namespace

int AnsiCompareStr(const std::string& a, const std::string& b) {
    if (a == b)
        return 0;
    if (CollatesAsBytes(a) && CollatesAsBytes(b))
        return a < b ? -1 : 1;
    return Compare(a, b, 0);
}
int AnsiCompareText(const std::string& a, const std::string& b) {
    // The same bytes are equal in every locale; the reader asks this for every snapshot.
    return a == b ? 0 : Compare(a, b, NORM_IGNORECASE);
}
bool AnsiSameText(const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) == 0;
}
bool AnsiSameStr(const std::string& a, const std::string& b) {
    return a == b;
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return r;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return r;
}

// Without copies: the reader compares every section name with it.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = char(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string Trim(const std::string& s) {
    return std::string(TrimBlanks(s));
}

std::string TrimLeft(const std::string& s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return s.substr(b);
}

std::string TrimRight(const std::string& s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return s.substr(0, e);
}

int Pos(const std::string& sub, const std::string& s) {
    if (sub.empty())
        return 0;
    size_t p = s.find(sub);
    return p == std::string::npos ? 0 : int(p) + 1;
}

std::string Copy(const std::string& s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || size_t(index) > s.size())
        return {};
    return s.substr(size_t(index - 1), size_t(count));
}

void Delete(std::string& s, int index, int count) {
    if (index < 1 || count <= 0 || size_t(index) > s.size())
        return;
    s.erase(size_t(index - 1), size_t(count));
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(int64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

void Val(const std::string& s, int& value, int& code) {
    int64_t v = 0;
    ValInteger(s, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max(), v,
               code);
    if (code == 0 && v > std::numeric_limits<int32_t>::max() &&
        s.find_first_of("$xX") == std::string::npos) {
        code = int(s.size());
        v = 0;
    }
    value = code == 0 ? int32_t(uint32_t(v)) : 0;
}

bool TryStrToInt(const std::string& s, int& value) {
    int code = 0;
    Val(s, value, code);
    return code == 0;
}

int StrToInt(const std::string& s) {
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError(Format("'%s' is not a valid integer value", {s}));
    return v;
}

int StrToIntDef(const std::string& s, int defaultValue) {
    int v = 0;
    return TryStrToInt(s, v) ? v : defaultValue;
}

bool TryStrToInt64(const std::string& s, int64_t& value) {
    int code = 0;
    ValInteger(s, std::numeric_limits<int64_t>::min(),
               uint64_t(std::numeric_limits<int64_t>::max()), value, code);
    return code == 0;
}

int64_t StrToInt64Def(const std::string& s, int64_t defaultValue) {
    int64_t v = 0;
    return TryStrToInt64(s, v) ? v : defaultValue;
}

std::string FloatToStr(double value) {
    return FloatToStrGeneral(value, 15);
}

std::string FloatToStrGeneral(double value, int precision) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
    std::string text = buf;
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string mantissa = text.substr(0, e);
    bool negative = mantissa[0] == '-';
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string result = negative ? "-" : "";
    const char sep = FormatSettings().DecimalSeparator;
    if (exponent >= precision || (value > -0.00001 && value < 0.00001)) {
        result += digits[0];
        if (digits.size() > 1)
            result += sep + digits.substr(1);
        result += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        result += "0";
        result += sep;
        result += std::string(size_t(-exponent - 1), '0') + digits;
    } else {
        std::string whole = digits.substr(0, std::min(digits.size(), size_t(exponent + 1)));
        whole.append(size_t(exponent + 1) - whole.size(), '0');
        result += whole;
        if (digits.size() > size_t(exponent + 1))
            result += sep + digits.substr(size_t(exponent + 1));
    }
    return result;
}

bool TryStrToFloat(const std::string& s, double& value) {
    std::string t = Trim(s);
    if (t.empty())
        return false;
    const char sep = FormatSettings().DecimalSeparator;
    for (char& c : t) {
        if (c == sep)
            c = '.';
        else if (c == '.' && sep != '.')
            return false;
    }
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    return end && *end == '\0';
}

double StrToFloat(const std::string& s) {
    double v = 0;
    if (!TryStrToFloat(s, v))
        throw EConvertError(Format("'%s' is not a valid floating point value", {s}));
    return v;
}

int64_t Round(double value) {
    return int64_t(std::nearbyint(value));
}
