#include "tools/qz_string.h"

#include "rtl/strings.h"
#include "tools/fast_str.h"

namespace {

size_t SkipWhile(const std::string& s, size_t i, const TCharSet& delims, bool inSet) {
    while (i < s.size() && delims.Contains(s[i]) == inSet)
        ++i;
    return i;
}

} // namespace

std::string CharsToCode(const std::string& s, TCharSet codingChars, char codingChar) {
    if (codingChars.Empty())
        return s;
    codingChars.Include(codingChar); // the escape character itself must be escaped too
    static const char digits[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(s.size());
    for (char c : s) {
        if (!codingChars.Contains(c)) {
            result += c;
            continue;
        }
        const unsigned char code = static_cast<unsigned char>(c);
        result += codingChar;
        result += digits[code >> 4];
        result += digits[code & 15];
    }
    return result;
}

std::string CodeToChars(const std::string& s, char codingChar, int startPos) {
    std::string result;
    size_t i = startPos < 1 ? 0 : size_t(startPos - 1);
    while (i < s.size()) {
        if (s[i] == codingChar && i + 2 < s.size()) {
            result += char(Hex2Dec(s.substr(i + 1, 2)));
            i += 3;
        } else {
            result += s[i++];
        }
    }
    return result;
}

int Hex2Dec(const std::string& hexStr) {
    return StrToIntDef(hexStr.find('$') != std::string::npos ? hexStr : "$" + hexStr, 0);
}

int WordCount(const std::string& s, const TCharSet& wordDelims) {
    int count = 0;
    for (size_t i = SkipWhile(s, 0, wordDelims, true); i < s.size();
         i = SkipWhile(s, i, wordDelims, true)) {
        ++count;
        i = SkipWhile(s, i, wordDelims, false);
    }
    return count;
}

int WordPosition(int n, const std::string& s, const TCharSet& wordDelims) {
    int count = 0;
    for (size_t i = SkipWhile(s, 0, wordDelims, true); i < s.size();
         i = SkipWhile(s, i, wordDelims, true)) {
        if (++count == n)
            return int(i) + 1;
        i = SkipWhile(s, i, wordDelims, false);
    }
    return 0;
}

std::string ExtractWord(int n, const std::string& s, const TCharSet& wordDelims) {
    int position = WordPosition(n, s, wordDelims);
    if (position == 0)
        return {};
    size_t first = size_t(position - 1);
    return s.substr(first, SkipWhile(s, first, wordDelims, false) - first);
}

std::string ReplaceStr(const std::string& s, const std::string& srch, const std::string& replace) {
    if (srch.empty())
        return s;
    std::string result;
    size_t from = 0;
    for (size_t p = s.find(srch); p != std::string::npos; p = s.find(srch, from)) {
        result.append(s, from, p - from);
        result += replace;
        from = p + srch.size();
    }
    result.append(s, from, std::string::npos);
    return result;
}

std::string GetSubstring(std::string& source, const std::string& startStr,
                         const std::string& endStr, int flagDeleteSubStr) {
    if (startStr.empty() || endStr.empty())
        return {};
    int startPos = Q_PosText(startStr, source, 1);
    if (startPos == 0)
        return {};
    const size_t textFirst = size_t(startPos - 1) + startStr.size();
    int endPos = Q_PosText(endStr, source, int(textFirst) + 1);
    if (endPos == 0)
        return {};
    const size_t textLength = size_t(endPos - 1) - textFirst;
    std::string result = source.substr(textFirst, textLength);
    if (flagDeleteSubStr == 1)
        source.erase(size_t(startPos - 1), textFirst + textLength + endStr.size() - (startPos - 1));
    else if (flagDeleteSubStr == 2)
        source.erase(textFirst, textLength);
    return result;
}

std::string GetNextParam(std::string& s, const std::string& symbol) {
    int p = Q_PosText(symbol, s, 1);
    std::string result;
    if (p == 0) {
        result.swap(s);
        return result;
    }
    result = s.substr(0, size_t(p - 1));
    s.erase(0, size_t(p - 1) + symbol.size());
    return result;
}

std::string DelBSymbols(const std::string& s, char symbol) {
    size_t first = s.find_first_not_of(symbol);
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string DelESymbols(const std::string& s, char symbol) {
    size_t last = s.find_last_not_of(symbol);
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

std::string DelSymbols(const std::string& s, char symbol) {
    return DelBSymbols(DelESymbols(s, symbol), symbol);
}
