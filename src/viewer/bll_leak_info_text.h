#pragma once
#include "rtl/date_time.h"

#include <string>
#include <vector>

class TObject;

// A live time as "hh:nn:ss:zzz"; hours count on past a day, so a three-day-old object shows 72
// hours and more rather than its time of day.
std::string LiveTimeText(TDateTime liveTime);

// The memo text for a row of the business-logic-leak window: the row's text, an empty line,
// then what the row holds. data is a class's stack list (stack text -> its leak records) or a
// stack's list of leak records; a stack's lines are indented by two blanks more per level and
// each record gives one "Live time: ... -> Added info: ..." line two blanks deeper again.
std::vector<std::string> BLLLeakInfoLines(const std::string& rowText, const TObject* data);
