#pragma once
#include <vector>

class TControl;

// The largest Left + Width among the controls; 0 for none.
int GetMaxControlsRightPos(const std::vector<TControl*>& controls);

// Puts a column of controls after their labels: unless labelsLeft is -1 every label starts at
// labelsLeft; then every control starts delta pixels after the right edge of the widest label.
// The k-th control belongs to the k-th label.
void CorrectControls(int labelsLeft, const std::vector<TControl*>& labels, int delta,
                     const std::vector<TControl*>& controls);
