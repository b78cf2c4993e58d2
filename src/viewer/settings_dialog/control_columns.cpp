#include "viewer/settings_dialog/control_columns.h"

#include "vcl/core/control.h"

#include <algorithm>

int GetMaxControlsRightPos(const std::vector<TControl*>& controls) {
    int right = 0;
    for (const TControl* control : controls)
        right = std::max(right, control->Left() + control->Width());
    return right;
}

void CorrectControls(int labelsLeft, const std::vector<TControl*>& labels, int delta,
                     const std::vector<TControl*>& controls) {
    if (labelsLeft != -1)
        for (TControl* label : labels)
            label->SetLeft(labelsLeft);
    const int left = GetMaxControlsRightPos(labels) + delta;
    for (TControl* control : controls)
        control->SetLeft(left);
}
