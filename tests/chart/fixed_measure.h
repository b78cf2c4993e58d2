#pragma once
#include "chart/text_measure.h"

// Text sizes of a fixed-pitch font, so layouts come out the same on every machine.
class FixedMeasure : public TTextMeasure {
public:
    static constexpr int CharWidth = 6;
    static constexpr int Height = 13;
    int TextWidth(const std::string& text) const override { return CharWidth * int(text.size()); }
    int TextHeight() const override { return Height; }
};
