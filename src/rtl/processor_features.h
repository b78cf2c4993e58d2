#pragma once

// Whether the processor (and the system, which must keep their registers) has the 16-byte and
// the 32-byte integer instructions. The build targets the plain instruction set; code that
// gains from them checks this first. Asked while the program starts.
extern const bool ProcessorHasSSE2;
extern const bool ProcessorHasAVX2;
