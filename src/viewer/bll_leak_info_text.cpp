#include "viewer/bll_leak_info_text.h"

#include "qvr/bll_leak_object_info.h"
#include "rtl/format.h"
#include "rtl/lists.h"
#include "tools/sorted_lists.h"

#include <cmath>
#include <cstdio>

namespace {
const std::string kStep = "  ";

void AddTextLines(std::vector<std::string>& lines, const std::string& indent,
                  const std::string& text) {
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(indent + text.substr(start, end - start));
        if (end == std::string::npos)
            return;
        start = end + 2;
    }
}

void AddListLines(std::vector<std::string>& lines, const TObject* list, const std::string& indent) {
    if (auto named = dynamic_cast<const TQZSortedNamedObjects*>(list)) {
        for (int i = 0; i < named->Count(); ++i) {
            AddTextLines(lines, indent, named->Names(i));
            lines.emplace_back();
            AddListLines(lines, named->Objects(i), indent + kStep);
            lines.emplace_back();
        }
    } else if (auto records = dynamic_cast<const TObjectList*>(list)) {
        const std::string recordIndent = indent + kStep;
        for (int i = 0; i < records->Count(); ++i) {
            auto record = dynamic_cast<const TBLLLeakObjectInfo*>(records->Items(i));
            if (record)
                lines.push_back(recordIndent + "Live time: " + LiveTimeText(record->LiveTime) +
                                " -> Added info: " + record->AddInfo);
        }
    }
}
} // namespace

std::string LiveTimeText(TDateTime liveTime) {
    // A damaged record can hold a time no clock shows (not a number, or past any count of
    // milliseconds): it is shown as the number it is.
    if (!(std::fabs(liveTime) < 1e14)) {
        char text[32];
        std::snprintf(text, sizeof(text), "%g", liveTime);
        return text;
    }
    const bool negative = liveTime < 0;
    const int64_t ms = std::llround(std::fabs(liveTime) * 86400000.0);
    const int64_t hours = ms / 3600000;
    return Format("%s%.2d:%.2d:%.2d:%.3d",
                  {negative ? "-" : "", hours, ms / 60000 % 60, ms / 1000 % 60, ms % 1000});
}

std::vector<std::string> BLLLeakInfoLines(const std::string& rowText, const TObject* data) {
    std::vector<std::string> lines{rowText, std::string()};
    AddListLines(lines, data, kStep);
    return lines;
}
