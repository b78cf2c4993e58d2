#include "rtl/date_time.h"

#include "rtl/exceptions.h"
#include "rtl/format_settings.h"

#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstdint>

namespace {

// Days from 01.01.0001 to 30.12.1899.
constexpr int64_t DateDelta = 693594;

// Whole milliseconds since 01.01.0001, the way the runtime splits a date-time.
int64_t TimeStampMs(TDateTime value) {
    return int64_t(std::llround(value * MSecsPerDay)) + DateDelta * int64_t(MSecsPerDay);
}

// At least width digits, zeros in front.
std::string Padded(int v, size_t width) {
    const std::string digits = std::to_string(v);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < MinYear || year > MaxYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    int64_t days = day;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    int64_t y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    result = double(days - DateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return false;
    result = (((hour * 60.0 + minute) * 60 + second) * 1000 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r = 0;
    if (!TryEncodeDate(year, month, day, r))
        throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    TDateTime r = 0;
    if (!TryEncodeTime(hour, minute, second, msec, r))
        throw EConvertError("Invalid argument to time encode");
    return r;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    int64_t days = TimeStampMs(value) / int64_t(MSecsPerDay) - 1; // since 01.01.0001, from 0
    int64_t y400 = days / 146097, rest = days % 146097;
    int64_t y100 = std::min<int64_t>(rest / 36524, 3);
    rest -= y100 * 36524;
    int64_t y4 = rest / 1461;
    rest %= 1461;
    int64_t y1 = std::min<int64_t>(rest / 365, 3);
    rest -= y1 * 365;
    year = int(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
    month = 1;
    while (rest >= DaysInMonth(year, month))
        rest -= DaysInMonth(year, month++);
    day = int(rest) + 1;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    int64_t ms = TimeStampMs(value) % int64_t(MSecsPerDay);
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
    if (time.wYear > MaxYear)
        return MaxDateTime;
    return EncodeDate(time.wYear, time.wMonth, time.wDay) +
           EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
}

TDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return SystemTimeToDateTime(t);
}

TDateTime Date() {
    return std::floor(Now());
}

std::string FormatDateTime(const std::string& pattern, TDateTime value) {
    int year, month, day, hour, minute, second, msec;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    const TFormatSettings& fs = FormatSettings();
    std::string out;
    bool afterHour = false;
    for (size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        char lower = char(std::tolower(static_cast<unsigned char>(c)));
        size_t run = 1;
        while (i + run < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[i + run])) == lower)
            ++run;
        switch (lower) {
        case '\'':
        case '"': {
            size_t end = pattern.find(c, i + 1);
            if (end == std::string::npos)
                end = pattern.size();
            out += pattern.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        case 'd':
            out += run >= 2 ? Padded(day, 2) : std::to_string(day);
            break;
        case 'm':
            if (afterHour)
                out += run >= 2 ? Padded(minute, 2) : std::to_string(minute);
            else
                out += run >= 2 ? Padded(month, 2) : std::to_string(month);
            afterHour = false;
            break;
        case 'y':
            out += run >= 3 ? Padded(year, 4) : Padded(year % 100, 2);
            break;
        case 'h':
            out += run >= 2 ? Padded(hour, 2) : std::to_string(hour);
            afterHour = true;
            i += run;
            continue;
        case 'n':
            out += run >= 2 ? Padded(minute, 2) : std::to_string(minute);
            break;
        case 's':
            out += run >= 2 ? Padded(second, 2) : std::to_string(second);
            break;
        case 'z':
            out += run >= 3 ? Padded(msec, 3) : std::to_string(msec);
            break;
        case '/':
            out.append(run, fs.DateSeparator);
            break;
        case ':':
            out.append(run, fs.TimeSeparator);
            i += run;
            continue; // "hh:mm" still means minutes after the colon
        default:
            out.append(pattern, i, run);
            break;
        }
        if (lower != ' ')
            afterHour = false;
        i += run;
    }
    return out;
}

std::string DateToStr(TDateTime value) {
    return FormatDateTime(FormatSettings().ShortDateFormat, value);
}

std::string TimeToStr(TDateTime value) {
    return FormatDateTime(FormatSettings().LongTimeFormat, value);
}

std::string DateTimeToStr(TDateTime value) {
    std::string text = DateToStr(value);
    if (value != std::floor(value))
        text += " " + TimeToStr(value);
    return text;
}
