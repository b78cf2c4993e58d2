#pragma once
#include <string>

// Days since 30.12.1899, the time of day as the fraction.
using TDateTime = double;

constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;

// The calendar the date functions take: 01.01.0001 to 31.12.9999. Date arithmetic that would
// pass either end stops there, since nothing beyond can be encoded or shown.
constexpr int MinYear = 1;
constexpr int MaxYear = 9999;
// 01.01.0001 00:00:00.000 and 31.12.9999 23:59:59.999.
constexpr TDateTime MinDateTime = -693593;
constexpr TDateTime MaxDateTime = 2958465 + (MSecsPerDay - 1) / MSecsPerDay;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);               // raises EConvertError
TDateTime EncodeTime(int hour, int minute, int second, int msec); // raises EConvertError
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

struct _SYSTEMTIME;
// A time of the system's, which runs to the year 30827: one past the calendar gives its last
// moment.
TDateTime SystemTimeToDateTime(const _SYSTEMTIME& time);

TDateTime Now();
TDateTime Date();

// Patterns: d dd (day), m mm (month, minutes right after an hour), yy yyyy, h hh, n nn, s ss,
// z zzz, "/" and ":" for the global separators, 'quoted' or "quoted" text; anything else as is.
std::string FormatDateTime(const std::string& pattern, TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);

// Text to date and time under the global format settings: the date's fields in the order of
// ShortDateFormat, split by DateSeparator; the time as h[:n[:s[.z]]], split by TimeSeparator.
// False (nothing raised) for a text that is no such value.
bool TryStrToDate(const std::string& text, TDateTime& value);
bool TryStrToTime(const std::string& text, TDateTime& value);
bool TryStrToDateTime(const std::string& text, TDateTime& value);
