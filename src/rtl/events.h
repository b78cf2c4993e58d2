#pragma once
#include <functional>

class TObject;

// An event is a method bound to its object; it is fired only when assigned, sender first.
using TNotifyEvent = std::function<void(TObject* Sender)>;

template <class Event, class... Args> void Fire(const Event& event, Args&&... args) {
    if (event)
        event(std::forward<Args>(args)...);
}

// Binds a method of an object into an event: Bind(this, &TfmMain::btnOpenClick).
template <class C, class R, class... Args> auto Bind(C* object, R (C::*method)(Args...)) {
    return [object, method](Args... args) -> R {
        return (object->*method)(std::forward<Args>(args)...);
    };
}
