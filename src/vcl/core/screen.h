#pragma once
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"
#include "vcl/base/win_types.h"

#include <map>
#include <vector>

class TCustomForm;
class TWinControl;

// The screen as the program sees it: its forms in the order they were made, its size, the
// active form, the cursor shown everywhere and the table of cursors by number.
class TScreen {
public:
    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(size_t(index)); }
    int Width() const;
    int Height() const;
    // The desktop without the task bars and docks the desktop keeps for itself.
    TRect WorkAreaRect() const;
    int PixelsPerInch() const;

    TCustomForm* ActiveForm() const { return FActiveForm; }
    void SetActiveForm(TCustomForm* form) { FActiveForm = form; }
    TWinControl* ActiveControl() const;

    // A cursor other than crDefault is shown over every window of the program.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The cursor registered under a number; the predefined (negative) ones are the system's.
    HCURSOR Cursors(TCursor index) const;
    void SetCursors(TCursor index, HCURSOR cursor) { FCursors[index] = cursor; }

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
    mutable std::map<TCursor, HCURSOR> FCursors;
};

extern TScreen* const Screen;
