#pragma once
#include "qvr/stored_object.h"

#include <string>

// One running task thread of the server.
class TTaskInfo : public TStoredObject {
public:
    std::string GetAsString() const override;
    void ReadFromString(std::string_view s, int& pos) override;
    void ReadPooled(std::string_view s, int& pos, TTextPool& pool) override;

    // The texts that stay the same from snapshot to snapshot are shared.
    int ThreadAddress = 0; // the tasks window keeps its selection by it
    std::string ThreadID;
    TSharedText CreateTime; // the same while the task runs
    TSharedText Task;
    std::string WorkingTaskTime;
    std::string PositionID;
    TSharedText Stack;
    std::string BMSessionID;
    int State = 0;       // 0 idle, anything else working
    TSharedText InfoStr; // host and port of the client connection
    TSharedText ConnectionStatus;
    TSharedText SignCryptoParams;
    TSharedText CheckSignCryptoParams;
    bool HugeTask = false;
    int WaitRequestNum = 0;

protected:
    // ThreadAddress to ConnectionStatus, the part every form of the record starts with.
    template <class Self, class Visit> static void VisitHeadFields(Self& r, Visit&& visit) {
        visit(r.ThreadAddress);
        visit(r.ThreadID);
        visit(r.CreateTime);
        visit(r.Task);
        visit(r.WorkingTaskTime);
        visit(r.PositionID);
        visit(r.Stack);
        visit(r.BMSessionID);
        visit(r.State);
        visit(r.InfoStr);
        visit(r.ConnectionStatus);
    }
    template <class Self, class Visit> static void VisitFields(Self& r, Visit&& visit) {
        VisitHeadFields(r, visit);
        visit(r.SignCryptoParams);
        visit(r.CheckSignCryptoParams);
        visit(r.HugeTask);
        visit(r.WaitRequestNum);
    }
};

// The task record as the running-tasks section holds it: the head fields, then either a CRLF
// (short form), the huge-task flag and a CRLF, or the crypto parameters and the flag.
// WaitRequestNum is never there.
class TTaskInfoEx : public TTaskInfo {
public:
    void ReadFromString(std::string_view s, int& pos) override { Read(s, pos, nullptr); }
    void ReadPooled(std::string_view s, int& pos, TTextPool& pool) override { Read(s, pos, &pool); }

private:
    void Read(std::string_view s, int& pos, TTextPool* pool);
};
