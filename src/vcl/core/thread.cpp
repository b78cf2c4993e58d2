#include "vcl/core/thread.h"

#include "rtl/critical_section.h"
#include "rtl/lasting.h"
#include "vcl/core/application.h"
#include "vcl/core/window_class.h"

#include <process.h>

#include <atomic>
#include <deque>

namespace {

const DWORD WindowThreadId = GetCurrentThreadId();
constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x51;

// One call a thread hands to the window thread; the thread waits on Done.
struct TSyncRequest {
    const std::function<void()>* Method = nullptr;
    std::exception_ptr Error;
    HANDLE Done = nullptr;
};

struct TSyncQueue {
    TCriticalSection Lock;
    std::deque<TSyncRequest*> Requests;
    // Set whenever a request arrives: a window thread waiting in WaitFor wakes on it.
    HANDLE Arrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);
};

TSyncQueue& Queue() {
    static TLasting<TSyncQueue> queue;
    return *queue;
}

LRESULT CALLBACK SyncWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYNCHRONIZE) {
        TThread::CheckSynchronize();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Made on the window thread by the first thread object built there; a thread only posts to it.
std::atomic<HWND> TheSyncWindow{nullptr};

void MakeSyncWindow() {
    if (!TheSyncWindow)
        TheSyncWindow = CreateHelperWindow(L"QVR.ThreadSync", SyncWindowProc, HWND_MESSAGE, 0, 0);
}

} // namespace

bool TThread::IsWindowThread() {
    return GetCurrentThreadId() == WindowThreadId;
}

TThread::TThread() {
    if (IsWindowThread())
        MakeSyncWindow();
}

TThread::~TThread() {
    EndThread();
}

void TThread::Start() {
    if (FStarted)
        throw EThread("Thread is already running");
    FStarted = true;
    unsigned id = 0;
    // Suspended until its id is known: a thread that frees itself compares it in the destructor.
    FHandle.Reset(reinterpret_cast<void*>(
        _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id)));
    if (!FHandle.Valid()) {
        FStarted = false;
        throw EThread("Cannot create a thread");
    }
    FThreadID = id;
    ResumeThread(FHandle.Get());
}

unsigned __stdcall TThread::ThreadProc(void* parameter) {
    static_cast<TThread*>(parameter)->Run();
    return 0;
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        // An heir's DoTerminate that raises still lets the thread end.
    }
    int result = FReturnValue;
    bool freeIt = FFreeOnTerminate;
    FFinished = true;
    if (freeIt)
        delete this;
    _endthreadex(unsigned(result));
}

void TThread::DoTerminate() {
    // OnTerminate is read on the window thread, where the program sets and clears it; what it
    // raises is shown there.
    Synchronize([this] {
        try {
            Fire(OnTerminate, this);
        } catch (...) {
            Application->HandleException(this);
        }
    });
}

void TThread::EndThread() {
    // A thread that frees itself is past everything it waits for.
    if (!FHandle.Valid() || GetCurrentThreadId() == FThreadID)
        return;
    Terminate();
    WaitUntilEnded();
}

int TThread::WaitFor() {
    if (!FStarted)
        throw EThread("Thread was never started");
    if (GetCurrentThreadId() == FThreadID)
        throw EThread("A thread cannot wait for itself");
    if (FFreeOnTerminate)
        throw EThread("A thread that frees itself cannot be waited for");
    WaitUntilEnded();
    return FReturnValue;
}

void TThread::WaitUntilEnded() {
    HANDLE thread = FHandle.Get();
    if (!IsWindowThread()) {
        WaitForSingleObject(thread, INFINITE);
    } else {
        // The thread may be waiting for the window thread: run its calls and the messages other
        // threads send until it ends.
        HANDLE handles[] = {thread, Queue().Arrived};
        for (;;) {
            CheckSynchronize();
            DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0)
                break;
            if (r == WAIT_OBJECT_0 + 2) {
                MSG msg;
                PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
        }
        CheckSynchronize();
    }
}

void TThread::Synchronize(const std::function<void()>& Method) {
    if (IsWindowThread()) {
        Method();
        return;
    }
    TWin32Handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    TSyncRequest request;
    request.Method = &Method;
    request.Done = done.Get();
    {
        TLockGuard<TCriticalSection> lock(Queue().Lock);
        Queue().Requests.push_back(&request);
    }
    SetEvent(Queue().Arrived);
    if (HWND window = TheSyncWindow)
        PostMessageW(window, WM_SYNCHRONIZE, 0, 0);
    WaitForSingleObject(done.Get(), INFINITE);
    if (request.Error)
        std::rethrow_exception(request.Error);
}

bool TThread::CheckSynchronize() {
    if (!IsWindowThread())
        return false;
    bool ran = false;
    for (;;) {
        TSyncRequest* request = nullptr;
        {
            TLockGuard<TCriticalSection> lock(Queue().Lock);
            if (Queue().Requests.empty())
                return ran;
            request = Queue().Requests.front();
            Queue().Requests.pop_front();
        }
        try {
            (*request->Method)();
        } catch (...) {
            request->Error = std::current_exception();
        }
        ran = true;
        SetEvent(request->Done);
    }
}
