#pragma once
// The scope guards of the program: each takes something for one scope and gives it back however
// the scope is left (early return or exception).

// Calls the member Begin on an object now and the member End when the scope ends.
template <class T, auto Begin, auto End> class TPairedCall {
public:
    explicit TPairedCall(T& object) : FObject(object) { (FObject.*Begin)(); }
    ~TPairedCall() { (FObject.*End)(); }
    TPairedCall(const TPairedCall&) = delete;
    TPairedCall& operator=(const TPairedCall&) = delete;

private:
    T& FObject;
};

// Holds any object with Lock/UnLock (a critical section, a thread-safe object) for one scope.
template <class T> using TLockGuard = TPairedCall<T, &T::Lock, &T::UnLock>;

// Keeps a list (anything with BeginUpdate/EndUpdate) in update for one scope.
template <class T> using TUpdateGuard = TPairedCall<T, &T::BeginUpdate, &T::EndUpdate>;

// Raises a flag for one scope; the flag gets back the value it had.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag), FWas(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FWas; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FWas;
};
