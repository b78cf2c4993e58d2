#include "qztree/qz_cell_control.h"

#include "qztree/qz_cell_style.h"

TQZCellControl::~TQZCellControl() {
    if (FOwner) {
        TQZCellStyle* style = FOwner;
        FOwner = nullptr;
        style->ControlGone(this);
    }
}

void TQZCellControl::SetVisible(bool Value) {
    if (Value == FVisible)
        return;
    FVisible = Value;
    Update();
}

void TQZCellControl::Update() {
    if (FVisible && FOwner)
        FOwner->Update();
}
