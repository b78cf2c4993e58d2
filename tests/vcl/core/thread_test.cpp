#include "vcl/core/thread.h"

#include "../vcl_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

// Runs a function as its Execute.
class TFunctionThread : public TThread {
public:
    explicit TFunctionThread(std::function<void(TFunctionThread&)> body) : FBody(std::move(body)) {}
    ~TFunctionThread() override {
        EndThread();
        if (Freed)
            *Freed = true;
    }
    using TThread::SetReturnValue;
    using TThread::Terminated;
    std::atomic<bool>* Freed = nullptr;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TFunctionThread&)> FBody;
};

} // namespace

TEST(Thread, SynchronizeAndOnTerminateRunOnTheWindowThreadAndWaitForGivesTheResult) {
    DWORD windowThread = GetCurrentThreadId();
    DWORD executeThread = 0, syncThread = 0, terminateThread = 0;
    TFunctionThread thread([&](TFunctionThread& self) {
        executeThread = GetCurrentThreadId();
        self.Synchronize([&] { syncThread = GetCurrentThreadId(); });
        self.SetReturnValue(42);
    });
    thread.OnTerminate = [&](TObject* sender) {
        EXPECT_EQ(sender, &thread);
        terminateThread = GetCurrentThreadId();
    };
    thread.Start();
    EXPECT_THROW(thread.Start(), EThread);
    EXPECT_EQ(thread.WaitFor(), 42);
    EXPECT_TRUE(thread.Finished());
    EXPECT_NE(executeThread, windowThread);
    EXPECT_EQ(syncThread, windowThread);
    EXPECT_EQ(terminateThread, windowThread);
}

TEST(Thread, TerminateEndsALoopAndTheMessageLoopRunsOnTerminate) {
    std::atomic<int> rounds{0};
    TFunctionThread thread([&](TFunctionThread& self) {
        while (!self.Terminated()) {
            ++rounds;
            Sleep(5);
        }
    });
    bool terminated = false;
    thread.OnTerminate = [&](TObject*) { terminated = true; };
    thread.Start();
    ASSERT_TRUE(PumpUntil([&] { return rounds > 2; }));
    EXPECT_FALSE(terminated);
    thread.Terminate();
    // The handler waits for the window thread's messages, not for WaitFor.
    EXPECT_TRUE(PumpUntil([&] { return terminated; }));
    thread.WaitFor();
}

TEST(Thread, FreeOnTerminateFreesTheThreadAfterOnTerminate) {
    std::atomic<bool> freed{false};
    bool freedAtTerminate = true;
    auto* thread = new TFunctionThread([](TFunctionThread&) { Sleep(20); });
    thread->Freed = &freed;
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject*) { freedAtTerminate = freed; };
    thread->Start();
    EXPECT_TRUE(PumpUntil([&] { return bool(freed); }));
    EXPECT_FALSE(freedAtTerminate);
}

TEST(Thread, ARemovedOnTerminateIsNotCalled) {
    // The tree's search thread: the view takes its handler off and lets the thread go.
    std::atomic<bool> freed{false};
    bool called = false;
    auto* thread = new TFunctionThread([](TFunctionThread& self) {
        while (!self.Terminated())
            Sleep(5);
    });
    thread->Freed = &freed;
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject*) { called = true; };
    thread->Start();
    thread->OnTerminate = nullptr;
    thread->Terminate();
    EXPECT_TRUE(PumpUntil([&] { return bool(freed); }));
    EXPECT_FALSE(called);
}

TEST(Thread, ErrorsOfExecuteAndOfSynchronizedCallsAreKept) {
    bool syncErrorSeen = false;
    TFunctionThread thread([&](TFunctionThread& self) {
        try {
            self.Synchronize([] { throw std::runtime_error("in sync"); });
        } catch (const std::runtime_error&) {
            syncErrorSeen = true;
        }
        throw Exception("in execute");
    });
    bool terminateRan = false;
    thread.OnTerminate = [&](TObject*) { terminateRan = true; };
    thread.Start();
    thread.WaitFor();
    EXPECT_TRUE(syncErrorSeen);
    EXPECT_TRUE(terminateRan);
    ASSERT_TRUE(thread.FatalException());
    EXPECT_EQ(ExceptionMessage(thread.FatalException()), "in execute");
}

TEST(Thread, FreeingARunningThreadTerminatesAndWaits) {
    std::atomic<bool> ended{false};
    {
        TFunctionThread thread([&](TFunctionThread& self) {
            while (!self.Terminated())
                Sleep(5);
            // Still able to reach the window thread while it waits in the destructor.
            self.Synchronize([] {});
            ended = true;
        });
        thread.Start();
    }
    EXPECT_TRUE(ended);
    TFunctionThread never([](TFunctionThread&) {});
    EXPECT_THROW(never.WaitFor(), EThread);
}
