#pragma once

// The first step of a setter: stores the value and tells whether anything changed.
template <class T> bool AssignChanged(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}
