#include "support/system_calls.h"

#include <windows.h>

#include <cstring>

namespace {

// Each step: "inc dword ptr [calls]" then "jmp dword ptr [original]", with the original's
// address kept behind the step. 32-bit code: the test program is built for that.
const size_t StepSize = 16;

void WriteStep(uint8_t* step, volatile unsigned long* calls, uintptr_t original) {
    auto* kept = reinterpret_cast<uintptr_t*>(step + 12);
    *kept = original;
    const auto callsAt = uint32_t(reinterpret_cast<uintptr_t>(calls));
    const auto keptAt = uint32_t(reinterpret_cast<uintptr_t>(kept));
    step[0] = 0xFF;
    step[1] = 0x05;
    std::memcpy(step + 2, &callsAt, 4);
    step[6] = 0xFF;
    step[7] = 0x25;
    std::memcpy(step + 8, &keptAt, 4);
}

// The entries of the program's import table that lead into the library.
std::vector<uintptr_t*> ImportEntries(const char* library) {
    std::vector<uintptr_t*> entries;
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return entries;
    for (auto* descriptor =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0)
            continue;
        for (auto* entry = reinterpret_cast<uintptr_t*>(base + descriptor->FirstThunk); *entry;
             ++entry)
            entries.push_back(entry);
    }
    return entries;
}

void Replace(uintptr_t* entry, uintptr_t value) {
    DWORD protection = 0;
    VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &protection);
    *entry = value;
    VirtualProtect(entry, sizeof(*entry), protection, &protection);
}

} // namespace

TSystemCallCount::TSystemCallCount(const char* library) {
    const std::vector<uintptr_t*> entries = ImportEntries(library);
    if (entries.empty())
        return;
    FSteps = static_cast<uint8_t*>(VirtualAlloc(nullptr, entries.size() * StepSize,
                                                MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!FSteps)
        return;
    for (size_t i = 0; i < entries.size(); ++i) {
        uint8_t* step = FSteps + i * StepSize;
        WriteStep(step, &FCalls, *entries[i]);
        FSlots.push_back({entries[i], *entries[i]});
        Replace(entries[i], reinterpret_cast<uintptr_t>(step));
    }
    FlushInstructionCache(GetCurrentProcess(), FSteps, entries.size() * StepSize);
}

TSystemCallCount::~TSystemCallCount() {
    for (const TSlot& slot : FSlots)
        Replace(slot.Entry, slot.Original);
    // A call that went through a step jumped on from it: nothing returns there.
    if (FSteps)
        VirtualFree(FSteps, 0, MEM_RELEASE);
}
