#pragma once
#include "rtl/object.h"

class TQZCellStyle;

// A small control that a cell style carries and the tree paints into its cell. This is the
// part the style relies on: the link to its style, which the control drops when it goes.
class TQZCellControl : public TObject {
    friend class TQZCellStyle;

public:
    TQZCellControl() = default;
    ~TQZCellControl() override;

    TQZCellStyle* Owner() const { return FOwner; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Asks the style to repaint its item.
    void Update();

private:
    TQZCellStyle* FOwner = nullptr;
    bool FVisible = true;
};
