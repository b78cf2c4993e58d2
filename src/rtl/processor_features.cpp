#include "rtl/processor_features.h"

// Asked before the library would have asked the processor itself. The library counts the
// 32-byte instructions only where the system keeps their registers across task switches.
const bool ProcessorHasSSE2 = (__builtin_cpu_init(), __builtin_cpu_supports("sse2") != 0);
const bool ProcessorHasAVX2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
