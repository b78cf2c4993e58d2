#pragma once
#include "qztree/tree/tree_types.h"
#include "rtl/object.h"
#include "vcl/graphics/colors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStrings;
class TStringList;
class TQZList;
class TQZTreeItems;
class TQZCellStyle;
class TQZItemStateStyle;
class TQZSelectedList;
struct TQZSortKey;

// Texts and cell styles of an item; absent while the tree asks for texts itself. The parts
// that many items never use are made on first use.
struct TDaRudoItemStaticData {
    TDaRudoItemStaticData();
    ~TDaRudoItemStaticData();

    std::string FText;
    std::unique_ptr<TStringList> FColText;
    std::string FHint;
    std::unique_ptr<TQZCellStyle> FMainStyle;
    std::unique_ptr<TQZList> FStyles; // owns its cell styles
};

// One node of the tree. Items are made by the item collection; every structural change keeps
// the tree's pre-order list of all items in step and marks the view for recount and repaint.
class TQZTreeItem : public TObject {
    friend class TCustomQZTree;
    friend class TQZTreeItems;
    friend class TQZSelectedList;
    friend class TQZSortKeysScope;

public:
    explicit TQZTreeItem(TCustomQZTree* AOwner);
    ~TQZTreeItem() override;

    // Texts
    std::string Text() const;
    virtual void SetText(const std::string& Value);
    // One text per column besides the main one; null without static data.
    TStrings* ColumnText();
    TStrings* SubItems() { return ColumnText(); }
    std::string Hint() const;
    void SetHint(const std::string& Value);

    // Place in the hierarchy
    TQZTreeItem* Parent() const;
    void SetParent(TQZTreeItem* NewParent) { MoveTo(NewParent); }
    int Level() const;
    int Index() const;
    int AbsoluteIndex() const;
    int VisIndex() const;
    int Count() const;
    int ChildrenCount() const;
    TQZTreeItem* Children(int Index) const;
    TQZTreeItem* Item(int Index) const { return Children(Index); }
    bool HasVisibleChildren() const;
    TQZTreeItem* Ancestor() const;
    TCustomQZTree* Owner() const { return FOwner; }
    TCustomQZTree* TreeView() const { return FOwner; }
    TQZTreeItems* List() const { return FList; }
    bool IsRoot() const { return FRoot == this; }

    TQZTreeItem* GetFirstChild() const;
    TQZTreeItem* GetLastChild() const;
    TQZTreeItem* GetFirstVisibleChild() const;
    TQZTreeItem* GetNextChild(const TQZTreeItem* Child) const;
    TQZTreeItem* GetPrevChild(const TQZTreeItem* Child) const;
    TQZTreeItem* GetNextSibling() const;
    TQZTreeItem* GetLastSubItem() const;
    virtual TQZTreeItem* GetPrev() const;
    virtual TQZTreeItem* GetNext() const;
    bool IsUnder(const TQZTreeItem* Item) const;
    int GetChildIndex(const TQZTreeItem* Child) const;

    // State
    bool Expanded() const { return GetState(stsExpanded); }
    void SetExpanded(bool Value);
    void Expand(bool Recursive);
    void Collapse(bool Recursive);
    bool FullyExpanded() const;
    void MakeFullyExpanded(bool Value);
    bool FullyVisible() const;
    bool GetState(int Index) const;
    void SetState(int Index, bool Value);
    bool Focused() const { return GetState(stsFocused); }
    void SetFocused(bool Value) { SetState(stsFocused, Value); }
    bool Selected() const { return (FIState & tisSelected) != 0; }
    void SetSelected(bool Value);

    // Check box
    bool Checked() const { return FCheckBoxState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState CheckBoxState() const { return FCheckBoxState; }
    void SetCheckBoxState(TCheckBoxState Value);
    TQZCheckBoxType CheckBoxType() const { return FCheckBoxType; }
    void SetCheckBoxType(TQZCheckBoxType Value) { FCheckBoxType = Value; }

    // Look
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int ImageIndex2() const { return FImageIndex2; }
    // The item's own five looks; made on first use, falling back to the tree's.
    TQZItemStateStyle* DefaultItemStyles() const;
    bool HasOwnItemStyles() const { return FDefaultItemStyles != nullptr; }
    // The set that chooses and gives this row's looks: its own when made, else the tree's, which
    // answers the same for an item without looks of its own.
    TQZItemStateStyle* LookStyles() const;
    int Height() const;
    int CalcSubItemsHeight() const;
    bool OwnerHeight() const;
    bool Multiline() const { return HasFlag(ibfMultiline); }
    virtual void SetMultiline(bool Value);
    bool WordBreak() const { return HasFlag(ibfWordBreak); }
    void SetWordBreak(bool Value);
    bool UseStyles() const { return HasFlag(ibfUseStyles); }
    void SetUseStyles(bool Value);
    bool Hidden() const { return HasFlag(ibfHidden); }
    // Hides the item (and with FilteredVisibility its row and subtree).
    void SetHidden(bool Value);
    bool SuppressButtons() const;
    bool HasFlag(TItemBoolFlag Flag) const { return (FBoolData1 & Flag) != 0; }
    // Sets one of the plain flags (lines, buttons, check box, enabled...) and repaints the row.
    void SetFlag(TItemBoolFlag Flag, bool Value);
    bool StrikedOutLine() const { return HasFlag(ibfStrikedOutLine); }
    bool DrawHLine() const { return HasFlag(ibfDrawHLine); }
    bool AllowEdit() const { return HasFlag(ibfAllowEdit); }
    bool ForceButtons() const { return HasFlag(ibfForceButtons); }
    bool SuppressLines() const { return HasFlag(ibfSuppressLines); }
    bool ShowCheckBox() const { return HasFlag(ibfShowCheckBox); }
    bool CheckBoxEnabled() const { return HasFlag(ibfCheckBoxEnabled); }
    bool Enabled() const { return HasFlag(ibfEnabled); }
    bool FullTextOut() const { return FFullTextOut; }

    // Cell styles
    TQZCellStyle* MainStyle();
    TQZCellStyle* Styles(int Index) const;
    int StylesCount() const;
    virtual TQZCellStyle* AddStyle();
    virtual void RemoveStyle(TQZCellStyle* Style);

    // Structure
    int AddChild(TQZTreeItem* Child);
    int InsertChild(int Index, TQZTreeItem* Child);
    void DeleteChild(TQZTreeItem* Child);
    void RemoveChild(TQZTreeItem* Child);
    void Clear();
    virtual void Delete();
    void MoveTo(TQZTreeItem* NewParent);
    void MoveToIns(TQZTreeItem* NewParent, int AnIndex);
    virtual void MoveToItem(TQZTreeItem* Item, TNodeAttachMode Mode);
    void Assign(const TQZTreeItem* Source);
    void Sort(bool Recursive);

    // Repaint
    void RedrawItem(bool DoCheck);
    void RedrawItemPart(bool DoCheck, int Left, int Right);
    void UpdateItem();
    virtual int GetWidth();

    void NewStaticData();
    void DisposeStaticData();
    bool HasStaticData() const { return FStaticData != nullptr; }

    // Application values
    void* Data = nullptr;
    TObject* AnObject = nullptr;
    std::shared_ptr<void> DataInterface;
    intptr_t Tag = 0;
    int TextLeft = 0;
    int TextRight = 0;
    TColor StrikedLineColor = 0;
    TColor BorderSpaceColor = clWindow;
    TQZItemBorderStyle BorderStyle = ibsNone;
    int IndentAdjust = 0;
    int8_t OverlayIndex = -1;
    int8_t OverlayIndex2 = -1;

protected:
    virtual std::string GetHint() const;

private:
    static constexpr int tisSelected = 2;
    static constexpr uint32_t NotMeasured = 0xFFFF;

    TCustomQZTree& Tree() const { return *FOwner; }
    void SetBit(uint32_t Bit, bool Value);
    void SetStateBit(int Index, bool Value);
    bool RangeMayChange() const;
    void ResetRangeIfNeeded();
    void InvalidateMeasuredHeight() {
        FComplexHeight = (FComplexHeight & 0xFFFF0000u) | NotMeasured;
    }
    void MarkHeightChanged();
    bool SortsOnChange(bool ColumnChange) const;
    void SortParentOrMark();
    void OnColTextChange();
    void LayoutChanged();
    void AttachChild(TQZTreeItem* Child);
    TQZTreeItem* HeirOfDeleted(const TQZTreeItem* Child) const;
    void RepaintCheckBox();
    void RedrawRow(bool DoCheck, bool Part, int Left, int Right);
    // Keeps the tree's count of rows of their own height in step with this row.
    void SyncVarHeight();
    bool InOuterUpdate() const;
    void CopyValuesFrom(const TQZTreeItem* Source);
    void CopyChildrenFrom(const TQZTreeItem* Source);
    TQZList* StyleList() const;

    bool FFullTextOut = false;
    std::unique_ptr<TDaRudoItemStaticData> FStaticData;
    mutable uint32_t FComplexHeight = NotMeasured;
    TCheckBoxState FCheckBoxState = cbUnchecked;
    TQZCheckBoxType FCheckBoxType = ectCheckBox;
    uint16_t FState = 0;
    int FIState = 0;
    std::unique_ptr<TQZList> FChildren;
    TCustomQZTree* FOwner;
    TQZTreeItems* FList = nullptr;
    uint32_t FBoolData1 = 0x128380;
    int FImageIndex2 = -1;
    TQZTreeItem* FParent = nullptr;
    TQZTreeItem* FRoot = nullptr;
    mutable std::unique_ptr<TQZItemStateStyle> FDefaultItemStyles;

    // Caches kept by the tree: place in the all-items list, among the siblings, among the
    // visible rows, in the selected list; and what this item added to the count of rows of
    // their own height.
    mutable int FAbsIndex = -1;
    mutable uint32_t FAbsStamp = 0;
    mutable int FChildIndex = -1;
    mutable int FVisIndex = -1;
    int FSelSlot = -1;
    int FVarHeightShare = 0;
    // The cached sort key while a sort of this item's child list runs, and its users.
    std::unique_ptr<TQZSortKey> FSortData;
    int FSortRef = 0;
};
