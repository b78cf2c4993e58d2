#pragma once
#include "qztree/base/section_types.h"
#include "qztree/tree/tree_types.h"
#include "rtl/object.h"

#include <cstdint>
#include <memory>

class TBitmap;
class TQZCellControl;
class TQZItemStateStyle;

// How one cell of an item is drawn: text flags, picture, cell type, an optional cell control,
// and its own five looks that fall back to the item's.
class TQZCellStyle : public TObject {
    friend class TQZCellControl;

public:
    // DT_VCENTER, DT_SINGLELINE, DT_NOPREFIX, DT_END_ELLIPSIS
    static constexpr uint32_t DefaultTextFlags = 0x8824;

    explicit TQZCellStyle(TQZTreeItem* Owner);
    ~TQZCellStyle() override;

    // Copies the drawing settings; tag, control and looks stay.
    void Assign(const TQZCellStyle* Source);
    // Repaints the owner item's row.
    void Update();
    // The header section whose cell this style draws; -1 without an owner item in a tree.
    int Section() const;

    TQZTreeItem* Owner() const { return FOwner; }
    bool OwnerProps() const { return FOwnerProps; }
    void SetOwnerProps(bool Value);
    TQZCellControl* Control() const { return FControl; }
    // Takes the control; the one it replaces is freed unless the tree supplies its cells or the
    // style belongs to no item.
    void SetControl(TQZCellControl* Value);
    TQZItemStateStyle* StateStyle() const { return FStateStyle.get(); }

    intptr_t Tag = 0;
    uint32_t TextFlags = DefaultTextFlags;
    TBitmap* Picture = nullptr;
    TQZFieldType CellType = sftText;
    TQZSectionStyle Style = QZhsText;

private:
    void ControlGone(TQZCellControl* Control);

    TQZTreeItem* FOwner;
    bool FOwnerProps = false;
    TQZCellControl* FControl = nullptr;
    std::unique_ptr<TQZItemStateStyle> FStateStyle;
};
