#pragma once
#include <functional>
#include <memory>

// A look at the program's windows taken ten times a second by a thread of its own while the
// program's thread sleeps: under Wine each wake-up of the program's thread costs a handful of
// calls into the system, where such a look costs one. The first look that finds something stops
// the looking and sends WakeMessage to the window given, on the program's thread; a hook of its
// sent messages hears it there.
class TBackgroundLook {
public:
    using TLook = std::function<bool()>;

    TBackgroundLook();
    // The thread ends on its own, at its next look at the latest.
    ~TBackgroundLook();
    TBackgroundLook(const TBackgroundLook&) = delete;
    TBackgroundLook& operator=(const TBackgroundLook&) = delete;

    // Looks with look, from its thread, until it finds something or Stop.
    void Start(TLook look, void* window);
    void Stop();

    static unsigned WakeMessage();

private:
    struct TState;
    std::shared_ptr<TState> FState;
};
