#pragma once
#include <functional>

// The setters' shape: a value that does not change announces nothing.
template <class T>
void AssignAndNotify(T& field, const T& value, const std::function<void()>& onChange) {
    if (field == value)
        return;
    field = value;
    if (onChange)
        onChange();
}
