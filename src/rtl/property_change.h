#pragma once
#include "rtl/events.h"

// The one shape of a setter: a value that does not change does nothing; true when it changed.
template <class T> bool ChangeValue(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

// ...and fires an event (when assigned) after a change.
template <class T, class Event> bool ChangeValue(T& field, const T& value, const Event& onChange) {
    if (!ChangeValue(field, value))
        return false;
    Fire(onChange);
    return true;
}
