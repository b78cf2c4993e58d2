#include "rtl/date_time.h"
#include "rtl/format_settings.h"
#include "rtl/strings.h"

#include <cctype>
#include <vector>

namespace {

// Whole numbers split by Separator; false on anything else or on an empty field.
bool SplitNumbers(const std::string& text, char separator, std::vector<int>& fields,
                  std::vector<size_t>* widths = nullptr) {
    fields.clear();
    size_t i = 0;
    while (true) {
        size_t start = i;
        int value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (i - start >= 9)
                return false;
            value = value * 10 + (text[i] - '0');
            ++i;
        }
        if (i == start)
            return false;
        fields.push_back(value);
        if (widths)
            widths->push_back(i - start);
        if (i == text.size())
            return true;
        if (text[i] != separator)
            return false;
        ++i;
    }
}

// The order of day, month and year as ShortDateFormat writes them.
std::string DateOrder() {
    std::string order;
    for (char c : FormatSettings().ShortDateFormat) {
        const char l = char(std::tolower(static_cast<unsigned char>(c)));
        if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos)
            order += l;
    }
    return order.size() == 3 ? order : "dmy";
}

} // namespace

bool TryStrToDate(const std::string& text, TDateTime& value) {
    std::vector<int> fields;
    std::vector<size_t> widths;
    if (!SplitNumbers(Trim(text), FormatSettings().DateSeparator, fields, &widths))
        return false;
    const std::string order = DateOrder();
    int day = 0, month = 0, year = 0;
    size_t yearWidth = 4;
    if (fields.size() == 3) {
        for (size_t i = 0; i < 3; ++i) {
            if (order[i] == 'd')
                day = fields[i];
            else if (order[i] == 'm')
                month = fields[i];
            else {
                year = fields[i];
                yearWidth = widths[i];
            }
        }
    } else if (fields.size() == 2) {
        // Day and month of the current year, in the order the format gives them.
        int y = 0, m = 0, d = 0;
        DecodeDate(Date(), y, m, d);
        year = y;
        const bool dayFirst = order.find('d') < order.find('m');
        day = dayFirst ? fields[0] : fields[1];
        month = dayFirst ? fields[1] : fields[0];
    } else {
        return false;
    }
    if (yearWidth <= 2)
        year += year < 50 ? 2000 : 1900;
    return TryEncodeDate(year, month, day, value);
}

bool TryStrToTime(const std::string& text, TDateTime& value) {
    std::string t = Trim(text);
    int msec = 0;
    const size_t dot = t.find('.');
    if (dot != std::string::npos && FormatSettings().TimeSeparator != '.') {
        std::vector<int> ms;
        if (!SplitNumbers(t.substr(dot + 1), '\0', ms) || ms.size() != 1)
            return false;
        msec = ms[0];
        t.resize(dot);
    }
    std::vector<int> fields;
    if (!SplitNumbers(t, FormatSettings().TimeSeparator, fields) || fields.size() > 3)
        return false;
    fields.resize(3, 0);
    return TryEncodeTime(fields[0], fields[1], fields[2], msec, value);
}

bool TryStrToDateTime(const std::string& text, TDateTime& value) {
    const std::string t = Trim(text);
    const size_t space = t.find(' ');
    if (space == std::string::npos) {
        // A lone date or a lone time; which one the separators tell.
        if (t.find(FormatSettings().TimeSeparator) != std::string::npos)
            return TryStrToTime(t, value);
        return TryStrToDate(t, value);
    }
    TDateTime date = 0, time = 0;
    if (!TryStrToDate(t.substr(0, space), date) || !TryStrToTime(t.substr(space + 1), time))
        return false;
    value = date < 0 ? date - time : date + time;
    return true;
}
