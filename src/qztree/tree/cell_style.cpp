#include "qztree/tree/cell_style.h"

#include "qztree/tree/cell_control.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"

TQZCellStyle::TQZCellStyle(TQZTreeItem* Owner)
    : FOwner(Owner), FStateStyle(std::make_unique<TQZItemStateStyle>(
                         Owner, Owner ? Owner->DefaultItemStyles() : nullptr)) {}

TQZCellStyle::~TQZCellStyle() {
    SetControl(nullptr);
}

void TQZCellStyle::Assign(const TQZCellStyle* Source) {
    if (!Source || Source == this)
        return;
    TextFlags = Source->TextFlags;
    Picture = Source->Picture;
    CellType = Source->CellType;
    Style = Source->Style;
    FOwnerProps = Source->FOwnerProps;
}

int TQZCellStyle::Section() const {
    TCustomQZTree* tree = FOwner ? FOwner->Owner() : nullptr;
    if (!tree)
        return -1;
    const int main = tree->MainTreeColumn();
    // Column styles leave the main column out; the item's other style is its main one.
    for (int k = 0; k < FOwner->StylesCount(); ++k)
        if (FOwner->Styles(k) == this)
            return k < main ? k : k + 1;
    return main;
}

void TQZCellStyle::SetOwnerProps(bool Value) {
    FOwnerProps = Value;
    if (FOwner && FOwner->UseStyles())
        FOwner->UpdateItem();
}

void TQZCellStyle::SetControl(TQZCellControl* Value) {
    if (Value == FControl)
        return;
    if (TQZCellControl* old = FControl) {
        FControl = nullptr;
        old->FOwner = nullptr;
        // The shared style of virtual rows (no item of its own) only lends its cells the
        // controls a caller keeps; an item's style owns its control unless its tree is virtual.
        const bool treeOwnsCells =
            FOwner && (!FOwner->Owner() || FOwner->Owner()->VirtualityLevel() == vlNone);
        if (treeOwnsCells)
            delete old;
    }
    if (Value) {
        // A control belongs to one style at a time.
        if (Value->FOwner)
            Value->FOwner->ControlGone(Value);
        Value->FOwner = this;
    }
    FControl = Value;
    Update();
}

void TQZCellStyle::ControlGone(TQZCellControl* Control) {
    if (FControl != Control)
        return;
    FControl = nullptr;
    Control->FOwner = nullptr;
    Update();
}

void TQZCellStyle::Update() {
    if (FOwner && FOwner->Owner())
        FOwner->RedrawItem(true);
}
