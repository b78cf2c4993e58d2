#include "bench_reporting.h"

#include "rtl/exceptions.h"

#include <cstdio>

int RunReporting(const std::function<int()>& run) {
    try {
        return run();
    } catch (...) {
        std::printf("failed: %s\n", ExceptionMessage(std::current_exception()).c_str());
        return 2;
    }
}
