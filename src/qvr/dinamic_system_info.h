#pragma once
#include "qvr/stored_object.h"

#include <string>
#include <string_view>

// The server counters of one snapshot, published so that windows can ask them by name.
class TDinamicSystemInfo : public TStoredObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The first seven counters, 4 bytes each; WorkThreads has no place in it.
    std::string GetAsString() const override;
    void ReadFromString(std::string_view s, int& pos) override;
    // "Name: Value" lines; six names set counters, other lines change nothing.
    void SetAsDebugString(std::string_view s);

    int TotalAllocatedMemory() const { return FTotalAllocatedMemory; }
    int SystemMemory() const { return FSystemMemory; }
    int VirtualMemory() const { return FVirtualMemory; }
    int RunTasksThreads() const { return FRunTasksThreads; }
    int OpenSessions() const { return FOpenSessions; }
    int LoginUsers() const { return FLoginUsers; }
    int Errors() const { return FErrors; }
    int WorkThreads() const { return FWorkThreads; }
    void SetTotalAllocatedMemory(int value) { FTotalAllocatedMemory = value; }
    void SetSystemMemory(int value) { FSystemMemory = value; }
    void SetVirtualMemory(int value) { FVirtualMemory = value; }
    void SetRunTasksThreads(int value) { FRunTasksThreads = value; }
    void SetOpenSessions(int value) { FOpenSessions = value; }
    void SetLoginUsers(int value) { FLoginUsers = value; }
    void SetErrors(int value) { FErrors = value; }
    void SetWorkThreads(int value) { FWorkThreads = value; }

private:
    template <class Self, class Visit> static void VisitFields(Self& r, Visit&& visit) {
        visit(r.FTotalAllocatedMemory);
        visit(r.FSystemMemory);
        visit(r.FVirtualMemory);
        visit(r.FRunTasksThreads);
        visit(r.FOpenSessions);
        visit(r.FLoginUsers);
        visit(r.FErrors);
    }

    int FTotalAllocatedMemory = 0;
    int FSystemMemory = 0;
    int FVirtualMemory = 0;
    int FRunTasksThreads = 0;
    int FOpenSessions = 0;
    int FLoginUsers = 0;
    int FErrors = 0;
    int FWorkThreads = 0;
};
