#pragma once
#include <cstdint>
#include <string>

// The letters last typed in the settings dialog, for its hidden-settings sequence: only the
// letter keys count and only the last nine are kept.
class TQVRHiddenSettingsKeys {
public:
    static constexpr const char* Sequence = "ZEBRAMOTH";

    void Clear() { FLetters.clear(); }
    // A key code; the letter keys 'A' to 'Z' are noted, every other key is ignored.
    void KeyDown(uint16_t key);
    // The last nine letters are the sequence, compared case-sensitively.
    bool Matches() const { return FLetters == Sequence; }
    const std::string& Letters() const { return FLetters; }

private:
    std::string FLetters;
};
