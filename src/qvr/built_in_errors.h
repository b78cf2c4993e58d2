#pragma once
#include <string>
#include <vector>

// A coded error of the server: the message pattern and the long description.
struct TBuiltInError {
    int Code;
    const char* Pattern;
    std::string Describe;
};

// The catalogue's rows in the order in which they are added.
const std::vector<TBuiltInError>& BuiltInErrors();
