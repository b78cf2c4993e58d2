#pragma once
#include <chrono>

// The time a piece of work takes, on the steady clock.
template <class F> double SecondsOf(F work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <class F> double MillisecondsOf(F work) {
    return SecondsOf(work) * 1000;
}
