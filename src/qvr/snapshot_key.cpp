#include "qvr/snapshot_key.h"

#include "rtl/exceptions.h"
#include "rtl/format.h"
#include "tools/conversions.h"

#include <cmath>
#include <limits>

namespace {

bool HasTimeStampForm(const std::string& key) {
    bool digit = false;
    for (char c : key) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.' && c != ' ' && c != ':')
            return false;
    }
    return digit;
}

constexpr int64_t NoTime = std::numeric_limits<int64_t>::min();

int64_t KeyMillisecondsOrNone(const std::string& key) {
    int64_t msecs = 0;
    return TrySnapshotKeyMilliseconds(key, msecs) ? msecs : NoTime;
}

} // namespace

TDateTime SnapshotKeyTime(const std::string& key) {
    if (!HasTimeStampForm(key))
        throw EConvertError(Format("'%s' is not a valid date and time", {key}));
    return QZDateStrToDateTime(key);
}

bool TrySnapshotKeyMilliseconds(const std::string& key, int64_t& msecs) {
    if (!HasTimeStampForm(key))
        return false;
    try {
        msecs = DateTimeToMilliseconds(QZDateStrToDateTime(key));
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

int64_t DateTimeToMilliseconds(TDateTime time) {
    return std::llround(time * MSecsPerDay);
}

int CompareSnapshotKeys(const std::string& a, const std::string& b) {
    const int64_t ta = KeyMillisecondsOrNone(a);
    const int64_t tb = KeyMillisecondsOrNone(b);
    if (ta != tb)
        return ta < tb ? -1 : 1;
    // std::string compares its bytes as unsigned, as memcmp does.
    const int bytes = a.compare(b);
    return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}
