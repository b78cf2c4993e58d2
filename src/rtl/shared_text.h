#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

// An immutable text that copies share: a copy takes one more reference to the same bytes, and
// the bytes go with the last copy. Records hold the texts that repeat from snapshot to snapshot
// (configuration, stacks, class names) this way, so a text written a thousand times is held
// once. Reads like a const std::string.
// The count of copies is a plain integer: a locked update of it cost a tenth of the reading
// time. So the copies of one text are made and dropped by one thread at a time; texts pass to
// another thread only together with a synchronisation (a join, a lock). The viewer reads and
// shows the snapshots on its GUI thread, and no other thread touches them.
class TSharedText {
public:
    TSharedText() noexcept = default;
    TSharedText(std::string text);
    TSharedText(std::string_view text) : TSharedText(std::string(text)) {}
    TSharedText(const char* text) : TSharedText(std::string(text)) {}
    // Inline: records copy and read these texts hundreds of times per snapshot.
    TSharedText(const TSharedText& other) noexcept : FRep(other.FRep) {
        if (FRep)
            ++FRep->Refs;
    }
    TSharedText(TSharedText&& other) noexcept : FRep(other.FRep) { other.FRep = nullptr; }
    TSharedText& operator=(TSharedText other) noexcept {
        std::swap(FRep, other.FRep);
        return *this;
    }
    ~TSharedText() {
        if (FRep && --FRep->Refs == 0)
            delete FRep;
    }

    const std::string& str() const { return FRep ? FRep->Text : EmptyText(); }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    const char* c_str() const { return str().c_str(); }
    const char* data() const { return str().data(); }
    size_t size() const { return str().size(); }
    size_t length() const { return size(); }
    bool empty() const { return size() == 0; }

    // No other copy shares the bytes.
    bool Alone() const { return FRep && FRep->Refs == 1; }
    // The same copy of the bytes, not merely equal bytes.
    bool SharesWith(const TSharedText& other) const { return FRep == other.FRep; }
    // Equal for the copies that share their bytes; lives as long as one of them.
    const void* Identity() const { return FRep; }

private:
    static const std::string& EmptyText();
    struct TRep {
        explicit TRep(std::string text) : Text(std::move(text)) {}
        int Refs = 1;
        const std::string Text;
    };
    TRep* FRep = nullptr; // none for the empty text
};

inline bool operator==(const TSharedText& a, const TSharedText& b) {
    return a.SharesWith(b) || a.str() == b.str();
}
inline bool operator==(const TSharedText& a, const std::string& b) {
    return a.str() == b;
}
inline bool operator==(const std::string& a, const TSharedText& b) {
    return a == b.str();
}
inline bool operator==(const TSharedText& a, const char* b) {
    return a.str() == b;
}
inline bool operator==(const char* a, const TSharedText& b) {
    return a == b.str();
}
template <class T> bool operator!=(const TSharedText& a, const T& b) {
    return !(a == b);
}
inline bool operator!=(const std::string& a, const TSharedText& b) {
    return !(a == b);
}
inline bool operator!=(const char* a, const TSharedText& b) {
    return !(a == b);
}
inline std::string operator+(const TSharedText& a, const std::string& b) {
    return a.str() + b;
}
inline std::string operator+(const std::string& a, const TSharedText& b) {
    return a + b.str();
}
std::ostream& operator<<(std::ostream& out, const TSharedText& text);
