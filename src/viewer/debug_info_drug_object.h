#pragma once
#include "rtl/string_list.h"
#include "vcl/core/drag_drop.h"

#include <memory>

// Parameter paths dragged from a tree window to the chart: each line of Params is a path, its
// object slot the path's data kind (a TDebugInfoObgect as an integer). Made with new when the
// drag starts; it frees itself, Params with it, when the drag ends, dropped or not.
class TDebugInfoDrugObject : public TDragObject {
public:
    TDebugInfoDrugObject();
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;

    const std::unique_ptr<TStringList> Params;

protected:
    // Only Finished ends it.
    ~TDebugInfoDrugObject() override;
};
