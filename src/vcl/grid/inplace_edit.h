#pragma once
#include "vcl/controls/edit.h"

class TCustomGrid;

// The edit a grid shows over its current cell. Its text goes to the cell with every change;
// Enter ends the editing, Escape ends it and puts the text back as it was, and the keys that
// move between cells are passed to the grid.
class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;

private:
    TCustomGrid* FGrid;
};
