#include "tools/conversions.h"

#include "rtl/strings.h"

#include <cstdint>

TDateTime QZDateStrToDateTime(const std::string& strDT) {
    enum { Day, Month, Year, Hour, Minute, Second, MSec, PartCount };
    uint16_t parts[PartCount] = {};
    uint16_t number = 0; // kept in 16 bits: longer numbers wrap
    int index = Day;
    for (char c : strDT) {
        if (c >= '0' && c <= '9') {
            number = uint16_t(number * 10 + (c - '0'));
            continue;
        }
        if (index < PartCount)
            parts[index++] = number;
        number = 0;
    }
    if (index < PartCount)
        parts[index] = number;
    return EncodeDate(parts[Year], parts[Month], parts[Day]) +
           EncodeTime(parts[Hour], parts[Minute], parts[Second], parts[MSec]);
}

int QZStrToInt(const std::string& s, int defValue) {
    int value = 0, code = 0;
    Val(s, value, code);
    return code == 0 ? value : defValue;
}
