#pragma once

// A sum of doubles kept as the rounded sum and what the roundings lost, so that the difference
// of two sums over mostly the same terms keeps its precision instead of drowning in the
// roundings of the large parts. Needs double rounding (TDoubleRounding on x87).
class TTwoPartSum {
public:
    void Add(double x) {
        const double sum = FHigh + x;
        const double fromX = sum - FHigh;
        FLow += (FHigh - (sum - fromX)) + (x - fromX); // exactly what rounding sum lost
        FHigh = sum;
    }
    double Value() const { return FHigh + FLow; }
    // This sum less another, rounded once: exactly 0 for the same terms added in the same order.
    double Minus(const TTwoPartSum& other) const {
        return (FHigh - other.FHigh) + (FLow - other.FLow);
    }

private:
    double FHigh = 0, FLow = 0;
};
