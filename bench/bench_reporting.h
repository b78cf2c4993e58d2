#pragma once
#include <functional>

// The benchmark's exit code, or 2 after printing why it failed (a file that could not be
// written, windows that could not be made without a display).
int RunReporting(const std::function<int()>& run);
