#include "rtl/format_settings.h"

#include "rtl/lasting.h"
#include "rtl/wide_text.h"

#include <windows.h>

TFormatSettings& FormatSettings() {
    static TLasting<TFormatSettings> settings;
    return *settings;
}

namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
    wchar_t buf[100];
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 100);
    return n > 1 ? FromWide(buf, n - 1) : fallback;
}

// The locale writes minutes as "mm" and months as "MM"; the runtime's patterns use "nn" for
// minutes and either case for months.
std::string RuntimeTimePattern(std::string pattern) {
    for (size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == 'm')
            pattern[i] = 'n';
        else if (pattern[i] == 'H')
            pattern[i] = 'h';
    return pattern;
}

} // namespace

void LoadLocaleFormatSettings() {
    TFormatSettings& s = FormatSettings();
    s.DecimalSeparator = LocaleText(LOCALE_SDECIMAL, ".")[0];
    s.ThousandSeparator = LocaleText(LOCALE_STHOUSAND, " ")[0];
    s.DateSeparator = LocaleText(LOCALE_SDATE, ".")[0];
    s.TimeSeparator = LocaleText(LOCALE_STIME, ":")[0];
    s.CurrencyString = LocaleText(LOCALE_SCURRENCY, "");
    s.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "dd.MM.yyyy");
    s.LongTimeFormat = RuntimeTimePattern(LocaleText(LOCALE_STIMEFORMAT, "H:mm:ss"));
}
