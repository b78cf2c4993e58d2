#pragma once
#include <string>

// Reads each shape of file (see sample_shapes.h) at its small and its large size and prints the
// rates and their ratio (goal: the large at 0.75 of the small at least); with again, the large
// file is then read again into the same store, in a process of its own (see reading_again.h).
// only names one shape; empty for all. Returns 0 when every goal was met.
int RunShapes(int rounds, bool again, const std::string& only);
