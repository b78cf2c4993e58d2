#pragma once
#include <string>

// The program-wide number and date formats; start-up fixes them once (InitQVRConfig).
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ' ';
    char DateSeparator = '.';
    char TimeSeparator = ':';
    std::string CurrencyString;
    std::string ShortDateFormat = "dd.mm.yyyy";
    std::string LongTimeFormat = "hh:nn:ss";
};

TFormatSettings& FormatSettings();

// Takes the separators and formats of the user's locale, as the runtime does when it starts.
void LoadLocaleFormatSettings();
