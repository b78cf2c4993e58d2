#pragma once

// Gives a variable a value for as long as it lives and puts the old one back however the scope
// is left: a raised count, a flag, a setting switched off for one call.
template <class T> class TValueScope {
public:
    TValueScope(T& variable, T value) : FVariable(variable), FSaved(variable) { FVariable = value; }
    ~TValueScope() { FVariable = FSaved; }
    TValueScope(const TValueScope&) = delete;
    TValueScope& operator=(const TValueScope&) = delete;

private:
    T& FVariable;
    T FSaved;
};
