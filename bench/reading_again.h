#pragma once
#include <functional>
#include <string>

// Opening a loaded file again, as the operator does to see what the server wrote since: the
// file is read into a store once, then `times` more times into the same store, and each reading
// is printed against the first, with the memory held after it and the peak while it ran.
// read reads the file into the store; clear empties the store; beforeEach, when given, is done
// before each reading, untimed. Returns whether every goal was met.
bool ReportReadingAgain(const std::function<void()>& read, const std::function<void()>& clear,
                        int times, const std::function<void()>& beforeEach = {});
