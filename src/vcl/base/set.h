#pragma once
#include <cstdint>
#include <initializer_list>

// A set of the values of a small enumeration (at most 64 values), like the option and state sets
// of the controls: ControlStyle, ComponentState, shift state, anchors, font styles.
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items)
            FBits |= Bit(e);
    }

    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

    TSet& Include(E e) {
        FBits |= Bit(e);
        return *this;
    }
    TSet& Exclude(E e) {
        FBits &= ~Bit(e);
        return *this;
    }
    TSet& Set(E e, bool on) { return on ? Include(e) : Exclude(e); }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
    friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }
    friend constexpr bool operator!=(TSet a, TSet b) { return a.FBits != b.FBits; }

private:
    static constexpr uint64_t Bit(E e) { return uint64_t(1) << unsigned(e); }
    uint64_t FBits = 0;
};
