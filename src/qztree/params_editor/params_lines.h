#pragma once
#include <string>
#include <vector>

// The text form of the parameters editor's rows: one line per row, the values joined by the
// separator. Values after the first are escaped ('#' and two hex digits for '#', the separator
// and control characters), so that they survive; the first value is written as it stands.
std::string ParamsRowToLine(const std::vector<std::string>& Values, char Separator);
// The first value and, with two or more columns, one more value per further column, each
// decoded; values beyond the columns are dropped.
std::vector<std::string> ParamsLineToRow(const std::string& Line, char Separator, int Columns);
