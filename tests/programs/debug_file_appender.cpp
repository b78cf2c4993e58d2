// Appends page-sized snapshot records to a debug-info file the way the server does, until the
// stop event is set. Arguments: file, "hold" (one handle kept open) or "reopen" (open, append,
// close for every record), the first record's index, the stop event's name. The exit code is
// the number of appends that failed, 100 for wrong arguments.
#include "support/debug_file_samples.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

HANDLE OpenForAppending(const char* name) {
    // The server lets readers in; whether they let it in is what is tried here.
    HANDLE h = CreateFileA(name, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return h;
}

bool Append(HANDLE h, const std::string& record) {
    DWORD written = 0;
    return WriteFile(h, record.data(), DWORD(record.size()), &written, nullptr) &&
           written == record.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return 100;
    const char* file = argv[1];
    const bool hold = std::string(argv[2]) == "hold";
    int index = std::atoi(argv[3]);
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (!stop)
        return 100;
    HANDLE held = hold ? OpenForAppending(file) : INVALID_HANDLE_VALUE;
    if (hold && held == INVALID_HANDLE_VALUE)
        return 100;
    int failed = 0;
    while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
        const std::string record = PageRecord(index);
        HANDLE h = hold ? held : OpenForAppending(file);
        const bool ok = h != INVALID_HANDLE_VALUE && Append(h, record);
        if (!hold && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        if (ok)
            ++index;
        else
            ++failed;
        Sleep(0);
    }
    if (hold)
        CloseHandle(held);
    CloseHandle(stop);
    return failed > 99 ? 99 : failed;
}
