#pragma once
#include "rtl/events.h"
#include "rtl/exceptions.h"
#include "rtl/object.h"
#include "rtl/win32_handle.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>

class EThread : public Exception {
    using Exception::Exception;
};

// A thread of the program that runs Execute. Synchronize and OnTerminate run their code on the
// window thread, between its messages; the window thread that waits for a thread (WaitFor, the
// destructor) keeps running what the thread hands over, so the two never wait for each other.
// A thread made with FreeOnTerminate frees itself after OnTerminate; nobody may touch it then.
// The thread runs from Start on: the object is whole only once its most derived constructor is
// done, so no thread may reach Execute before that.
class TThread : public TObject {
public:
    TThread();
    // Ends the thread first: Terminate, then WaitFor.
    ~TThread() override;

    void Start();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits until Execute and OnTerminate are done; the window thread handles messages meanwhile.
    // Returns ReturnValue.
    int WaitFor();
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
    int ReturnValue() const { return FReturnValue; }
    // What Execute raised, or null; OnTerminate runs all the same.
    std::exception_ptr FatalException() const { return FFatalException; }
    unsigned ThreadID() const { return FThreadID; }

    // Runs Method on the window thread and waits for it; what it raises is raised here again.
    // On the window thread itself it runs at once.
    void Synchronize(const std::function<void()>& Method);

    TNotifyEvent OnTerminate;

    // Runs what threads handed to the window thread; true when something ran.
    static bool CheckSynchronize();
    static bool IsWindowThread();

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();
    // Terminates the thread and waits until it ended (nothing on the thread itself). An heir whose
    // Execute uses the heir's own members calls it in its destructor, before those members go.
    void EndThread();
    void SetReturnValue(int value) { FReturnValue = value; }

private:
    static unsigned __stdcall ThreadProc(void* parameter);
    void Run();
    void WaitUntilEnded();

    TWin32Handle FHandle;
    unsigned FThreadID = 0;
    bool FStarted = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    int FReturnValue = 0;
    std::exception_ptr FFatalException;
};
