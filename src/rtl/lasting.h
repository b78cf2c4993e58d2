#pragma once
#include <utility>

// A static object that the program's end leaves as it is: its destructor does nothing. At the
// end the application frees what it still owns and the program's static objects go, in an order
// that follows the link; the state they may use on their way out (class descriptions, the
// screen, caches, shared drawing objects) must be there whichever goes first. The system takes
// back the memory and handles with the process. Made at compile time where T allows it, so it is
// there before any code runs.
template <class T> class TLasting {
public:
    template <class... Args>
    constexpr explicit TLasting(Args&&... args) : FValue(std::forward<Args>(args)...) {}
    // For an object built by a chain of calls on a temporary.
    TLasting(const T& value) : FValue(value) {} // NOLINT: converting on purpose
    ~TLasting() {}                              // FValue is left alone
    TLasting(const TLasting&) = delete;
    TLasting& operator=(const TLasting&) = delete;

    constexpr T& operator*() { return FValue; }
    constexpr const T& operator*() const { return FValue; }
    constexpr T* operator->() { return &FValue; }
    constexpr const T* operator->() const { return &FValue; }

private:
    union {
        T FValue;
    };
};
