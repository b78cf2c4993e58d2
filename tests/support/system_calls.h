#pragma once
#include <cstdint>
#include <vector>

// Counts the calls the test program makes into one system library (by its file name, such as
// "user32.dll") for this object's scope: each entry of the program's import table for that
// library leads through a small counting step to the function it named, and back to it alone
// once the object goes. Calls the library makes within itself, and calls of other programs, are
// not counted. Not safe against other threads of the program calling the library meanwhile.
class TSystemCallCount {
public:
    explicit TSystemCallCount(const char* library);
    ~TSystemCallCount();
    TSystemCallCount(const TSystemCallCount&) = delete;
    TSystemCallCount& operator=(const TSystemCallCount&) = delete;

    // Whether the program imports anything from the library at all.
    bool Counting() const { return !FSlots.empty(); }
    unsigned long Calls() const { return FCalls; }
    void Restart() { FCalls = 0; }

private:
    struct TSlot {
        uintptr_t* Entry;
        uintptr_t Original;
    };
    std::vector<TSlot> FSlots;
    // The counting steps, one after the other.
    uint8_t* FSteps = nullptr;
    volatile unsigned long FCalls = 0;
};
