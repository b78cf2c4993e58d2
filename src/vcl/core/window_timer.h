#pragma once
#include <cstdint>
#include <functional>

// A Win32 timer on the layer's hidden utility window, stopped when the object goes. The callback
// runs on the GUI thread from the message loop; what it raises is shown by the application.
class TWindowTimer {
public:
    TWindowTimer() = default;
    ~TWindowTimer() { Stop(); }
    TWindowTimer(const TWindowTimer&) = delete;
    TWindowTimer& operator=(const TWindowTimer&) = delete;

    void Start(unsigned interval, std::function<void()> onTimer);
    void Stop();
    bool Running() const { return FId != 0; }

private:
    uintptr_t FId = 0;
};
