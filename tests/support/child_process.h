#pragma once
#include <string>

// A program the build put in this test program's folder (or below it, by a relative path).
std::string ProgramBesideThisOne(const std::string& relativePath);

// A program run to its end, with what it wrote to its standard output and error.
struct ProgramRun {
    // -1 when it did not end in time (it is then stopped), -2 when it could not be started.
    long ExitCode = -2;
    std::string StandardOutput;
    std::string StandardError;
};
// Run in the given folder, or in this program's current one.
ProgramRun RunProgram(const std::string& commandLine, const std::string& folder = "",
                      unsigned timeoutMs = 60000);
