#include "support/fault_guard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* FaultName(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
        return "access violation";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return "array bounds exceeded";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
        return "datatype misalignment";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return "illegal instruction";
    case EXCEPTION_IN_PAGE_ERROR:
        return "in-page error";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return "integer division by zero";
    case EXCEPTION_INT_OVERFLOW:
        return "integer overflow";
    case EXCEPTION_PRIV_INSTRUCTION:
        return "privileged instruction";
    case EXCEPTION_STACK_OVERFLOW:
        return "stack overflow";
    case EXCEPTION_NONCONTINUABLE_EXCEPTION:
        return "noncontinuable exception";
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
        return "floating-point fault";
    default:
        return nullptr;
    }
}

bool InTheProgram(const void* address) {
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module) &&
           module == GetModuleHandleW(nullptr);
}

// Sees every exception before any handler does, and leaves its handling as it was.
LONG CALLBACK FailOnFault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    const char* name = FaultName(record.ExceptionCode);
    if (!name || !InTheProgram(record.ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    char text[160];
    std::snprintf(text, sizeof(text), "%s (0x%08lX) at %p", name, record.ExceptionCode,
                  record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
        std::snprintf(text + std::strlen(text), sizeof(text) - std::strlen(text), ", %s address %p",
                      record.ExceptionInformation[0] ? "writing" : "reading",
                      reinterpret_cast<void*>(record.ExceptionInformation[1]));
    // What is left of a stack that overflowed is no place for the test framework's work.
    if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        std::fprintf(stderr, "fault in the program: %s\n", text);
    else
        ADD_FAILURE() << "fault in the program: " << text;
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void GuardAgainstFaults() {
    AddVectoredExceptionHandler(1, FailOnFault);
}
