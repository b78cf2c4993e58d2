#include "qztree/params_editor/params_lines.h"

#include "tools/qz_string.h"

namespace {

constexpr char EscapeChar = '#';

TCharSet EscapedChars(char Separator) {
    TCharSet chars;
    for (int c = 0; c < 32; ++c)
        chars.Include(char(c));
    chars.Include(Separator);
    return chars;
}

} // namespace

std::string ParamsRowToLine(const std::vector<std::string>& Values, char Separator) {
    if (Values.empty())
        return std::string();
    std::string line = Values.front();
    const TCharSet escaped = EscapedChars(Separator);
    for (size_t i = 1; i < Values.size(); ++i)
        line += Separator + CharsToCode(Values[i], escaped, EscapeChar);
    return line;
}

std::vector<std::string> ParamsLineToRow(const std::string& Line, char Separator, int Columns) {
    std::string rest = Line;
    const std::string separator(1, Separator);
    std::vector<std::string> values;
    values.push_back(CodeToChars(GetNextParam(rest, separator), EscapeChar));
    for (int column = 1; column < Columns; ++column)
        values.push_back(CodeToChars(GetNextParam(rest, separator), EscapeChar));
    return values;
}
