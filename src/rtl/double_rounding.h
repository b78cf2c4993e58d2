#pragma once
#if defined(__i386__)
#include <float.h>
#endif

// The x87 unit holds a double in its registers with a 64-bit mantissa and rounds it to 53 bits
// only when it is stored, so the same sum would come out differently as the compiler keeps it in
// a register or in memory. While a TDoubleRounding lives, every x87 result is rounded to a
// double's 53 bits; the old precision comes back however the scope is left. SSE arithmetic
// rounds to double anyway.
class TDoubleRounding {
public:
#if defined(__i386__)
    TDoubleRounding() : FOld(_controlfp(0, 0)) {
        _controlfp(_PC_53, _MCW_PC);
    }
    ~TDoubleRounding() {
        _controlfp(FOld, _MCW_PC);
    }
#else
    TDoubleRounding() = default;
#endif
    TDoubleRounding(const TDoubleRounding&) = delete;
    TDoubleRounding& operator=(const TDoubleRounding&) = delete;

private:
#if defined(__i386__)
    unsigned FOld;
#endif
};
