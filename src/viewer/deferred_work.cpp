#include "viewer/deferred_work.h"

#include "rtl/scope_guards.h"
#include "vcl/core/application.h"

void TDeferredWork::Run(std::function<void()> work) {
    FQueue.push_back(std::move(work));
    if (FRunning)
        return;
    TFlagScope running(FRunning);
    while (!FQueue.empty()) {
        std::function<void()> next = std::move(FQueue.front());
        FQueue.pop_front();
        try {
            next();
        } catch (...) {
            Application->HandleException(nullptr);
        }
    }
}

void TDeferredWork::RunNow(std::function<void()> work) {
    if (FRunning)
        work();
    else
        Run(std::move(work)); // nothing waits while nothing runs, so it runs at once
}
