#include "support/child_process.h"

#include "rtl/file_io.h"
#include "rtl/wide_text.h"
#include "rtl/win32_handle.h"
#include "support/temp_folder.h"

#include <windows.h>

std::string ProgramBesideThisOne(const std::string& relativePath) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self(path, length);
    return FromWide(self.substr(0, self.find_last_of(L'\\') + 1)) + relativePath;
}

namespace {
HANDLE InheritedFileToWrite(const std::string& name) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    return CreateFileW(ToWide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
} // namespace

ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                      unsigned timeoutMs) {
    ProgramRun run;
    TempFolder outputs;
    const std::string outputFile = outputs.File("stdout.txt");
    const std::string errorFile = outputs.File("stderr.txt");
    {
        TWin32Handle output(InheritedFileToWrite(outputFile));
        TWin32Handle error(InheritedFileToWrite(errorFile));
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output.Get();
        startup.hStdError = error.Get();
        std::wstring command = ToWide(commandLine);
        const std::wstring startFolder = ToWide(folder);
        PROCESS_INFORMATION process = {};
        if (!output.Valid() || !error.Valid() ||
            !CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                            folder.empty() ? nullptr : startFolder.c_str(), &startup, &process))
            return run;
        TWin32Handle thread(process.hThread), child(process.hProcess);
        if (WaitForSingleObject(child.Get(), timeoutMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(child.Get(), &code);
            run.ExitCode = long(code);
        } else {
            TerminateProcess(child.Get(), 1);
            WaitForSingleObject(child.Get(), 5000);
            run.ExitCode = -1;
        }
    }
    run.StandardOutput = ReadWholeFile(outputFile);
    run.StandardError = ReadWholeFile(errorFile);
    return run;
}
