#pragma once
#include "rtl/date_time.h"

#include <cstdint>
#include <string>

// A snapshot's key is the server's time stamp, day first ("dd.mm.yyyy hh:nn:ss" with optional
// ".zzz"). It names the snapshot in the store, and the store runs in the order of its time.

// The time the key names. A key with any character other than digits, dots, blanks and colons,
// or naming an impossible date, raises EConvertError.
TDateTime SnapshotKeyTime(const std::string& key);
// As SnapshotKeyTime, in whole milliseconds; false for a key that is no valid time stamp.
bool TrySnapshotKeyMilliseconds(const std::string& key, int64_t& msecs);
// Whole milliseconds of a time: equal keys must compare equal, which doubles need not do.
int64_t DateTimeToMilliseconds(TDateTime time);

// The store's order: earlier time first, then the key's bytes (not the locale collation, which
// ignores some characters). A key that is no time stamp sorts before every valid one.
int CompareSnapshotKeys(const std::string& a, const std::string& b);
