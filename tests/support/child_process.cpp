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

ProgramRun RunProgram(const std::string& commandLine, unsigned timeoutMs) {
    ProgramRun run;
    TempFolder folder;
    const std::string errorFile = folder.File("stderr.txt");
    {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        TWin32Handle error(CreateFileW(ToWide(errorFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                       &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = error.Get();
        std::wstring command = ToWide(commandLine);
        PROCESS_INFORMATION process = {};
        if (!error.Valid() || !CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0,
                                              nullptr, nullptr, &startup, &process))
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
    run.StandardError = ReadWholeFile(errorFile);
    return run;
}
