#pragma once
#include "rtl/date_time.h"

#include <string>

// Day, month, year, hour, minute, second, millisecond, each ended by any non-digit.
// An impossible date or time raises EConvertError.
TDateTime QZDateStrToDateTime(const std::string& strDT);
int QZStrToInt(const std::string& s, int defValue);
