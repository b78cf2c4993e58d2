#pragma once
#include <bitset>
#include <string>

// A set of byte characters.
class TCharSet {
public:
    TCharSet() = default;
    TCharSet(const char* chars) { Add(chars); }
    TCharSet(std::initializer_list<char> chars) {
        for (char c : chars)
            Include(c);
    }
    void Add(const char* chars) {
        for (; chars && *chars; ++chars)
            Include(*chars);
    }
    void Include(char c) { FBits.set(static_cast<unsigned char>(c)); }
    bool Contains(char c) const { return FBits.test(static_cast<unsigned char>(c)); }
    bool Empty() const { return FBits.none(); }

private:
    std::bitset<256> FBits;
};

std::string CharsToCode(const std::string& s, TCharSet codingChars, char codingChar);
std::string CodeToChars(const std::string& s, char codingChar, int startPos = 1);
int Hex2Dec(const std::string& hexStr);
int WordCount(const std::string& s, const TCharSet& wordDelims);
int WordPosition(int n, const std::string& s, const TCharSet& wordDelims);
std::string ExtractWord(int n, const std::string& s, const TCharSet& wordDelims);
std::string ReplaceStr(const std::string& s, const std::string& srch, const std::string& replace);
// The text between startStr and the next endStr (found without regard to case).
// flagDeleteSubStr: 1 deletes marks and text from source, 2 only the text, else nothing.
std::string GetSubstring(std::string& source, const std::string& startStr,
                         const std::string& endStr, int flagDeleteSubStr);
// The text before the first symbol, which leaves s with the symbol; all of s when absent.
std::string GetNextParam(std::string& s, const std::string& symbol);
std::string DelBSymbols(const std::string& s, char symbol);
std::string DelESymbols(const std::string& s, char symbol);
std::string DelSymbols(const std::string& s, char symbol);
