#include "rtl/modality/background_look.h"

#include <windows.h>

#include <mutex>
#include <thread>

namespace {

const DWORD LookEvery = 100;

} // namespace

// Shared with the thread, which outlives the object by up to one look.
struct TBackgroundLook::TState {
    std::mutex Lock;
    TLook Look; // none while stopped
    HWND Window = nullptr;
    unsigned Round = 0; // a new one at each start and stop
    bool Ended = false;
};

TBackgroundLook::TBackgroundLook() : FState(std::make_shared<TState>()) {
    // A plain sleep asks nothing of the system's server, where a wait on an event would.
    std::thread([state = FState] {
        for (;;) {
            Sleep(LookEvery);
            TLook look;
            HWND window = nullptr;
            unsigned round = 0;
            {
                std::lock_guard<std::mutex> lock(state->Lock);
                if (state->Ended)
                    return;
                look = state->Look;
                window = state->Window;
                round = state->Round;
            }
            if (!look || !look())
                continue;
            {
                std::lock_guard<std::mutex> lock(state->Lock);
                // Stopped or started anew while it looked: what it found is no longer asked for.
                if (state->Round != round)
                    continue;
                state->Look = nullptr;
                ++state->Round;
            }
            SendNotifyMessageW(window, WakeMessage(), 0, 0);
        }
    }).detach();
}

TBackgroundLook::~TBackgroundLook() {
    std::lock_guard<std::mutex> lock(FState->Lock);
    FState->Ended = true;
    FState->Look = nullptr;
}

void TBackgroundLook::Start(TLook look, void* window) {
    std::lock_guard<std::mutex> lock(FState->Lock);
    FState->Look = std::move(look);
    FState->Window = static_cast<HWND>(window);
    ++FState->Round;
}

void TBackgroundLook::Stop() {
    std::lock_guard<std::mutex> lock(FState->Lock);
    if (FState->Look) {
        FState->Look = nullptr;
        ++FState->Round;
    }
}

unsigned TBackgroundLook::WakeMessage() {
    static const UINT message = RegisterWindowMessageW(L"QVRModalKeeperWake");
    return message;
}
