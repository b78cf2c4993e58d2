#pragma once
#include <vector>

// Those of the given windows that are enabled, disabled for one scope and enabled again however
// it is left: the windows a modal form or box keeps from the user while it is up.
class TDisabledWindows {
public:
    explicit TDisabledWindows(const std::vector<void*>& windows);
    ~TDisabledWindows();
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    std::vector<void*> FWindows;
};

// The top-level windows of the calling thread that a system dialog disables: all but the one the
// keys are asked for with (IsKeysRequestWindow).
std::vector<void*> ThreadWindows();
