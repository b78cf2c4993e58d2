#pragma once
#include <string>

// Sizes of texts in the font the chart draws with; layout asks, painting supplies.
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int TextHeight() const = 0;
};
