#pragma once
#include "rtl/object.h"
#include "vcl/base/controls_types.h"
#include "vcl/graphics/colors.h"
#include "vcl/graphics/graphics.h"

#include <memory>
#include <string>

class TQZTreeItem;
class TQZItemStateStyle;

// One look of a row or cell. A value whose Use flag is clear comes from the look of the same
// kind in the owner set, up the chain of sets.
class TQZStateStyle : public TObject {
public:
    // Which look of a set this is.
    enum { idDefault = 1, idFocused = 2, idSelected = 3, idFocSel = 4, idHideSelect = 5 };

    TQZStateStyle(TQZTreeItem* OwnerItem, int ID, TQZItemStateStyle* ItemStyles);

    virtual void Assign(const TQZStateStyle* Source, bool Clear);

    // Name is left as it is when no look of the chain gives one.
    std::string FontName(const std::string& Name = std::string()) const;
    void SetFontName(const std::string& Value);
    int GetDefFontSize(int Default) const;
    void SetFontSize(int Value);
    TFontStyles GetFontStyle(TFontStyles Default) const;
    void SetFontStyle(TFontStyles Value);
    TColor FontColor() const;
    void SetFontColor(TColor Value);
    TColor BGColor() const;
    void SetBGColor(TColor Value);
    bool UseBGColor() const { return BGColor() != clNone; }
    int ImageIndex() const;
    void SetImageIndex(int Value);
    void ClearStyle();

    // Puts the effective name or size into Font; True when there was something to apply.
    bool SetFontName2Font(TFont& Font) const;
    bool SetFontSize2Font(TFont& Font, int Default) const;
    // Font becomes Base with this look's name, size and style on it.
    void ApplyFont(TFont& Font, const TFont& Base) const;

    bool UseFontName() const { return FUseFontName; }
    bool UseFontSize() const { return FUseFontSize; }
    bool UseFontStyle() const { return FUseFontStyle; }
    bool UseFontColor() const { return FUseFontColor; }
    bool OwnBGColor() const { return FUseBGColor; }

    const int ID;
    TQZItemStateStyle* const ItemStyles;
    int ExpandImageIndex = -1;
    int CollapseImageIndex = -1;
    int NoChildImageIndex = -1;

private:
    // The look of the same kind in the owner set, or null at the end of the chain.
    const TQZStateStyle* Inherited() const;

    TQZTreeItem* FOwnerItem;
    std::string FFontName;
    int FFontSize = 0;
    TFontStyles FFontStyle;
    TColor FFontColor = 0;
    TColor FBGColor = clNone;
    bool FUseFontName = false;
    bool FUseFontSize = false;
    bool FUseFontStyle = false;
    bool FUseFontColor = false;
    bool FUseBGColor = false;
};

// The five looks of a row: default, focused (hot-tracked), selected, focused and selected, and
// selected while the tree has no focus. Values not given fall back to the owner set.
class TQZItemStateStyle : public TObject {
public:
    TQZItemStateStyle(TQZTreeItem* OwnerItem, TQZItemStateStyle* OwnerISS);

    TQZStateStyle* GetByID(int ID) const;
    // The look that applies to the row of Item (the set's own item when it has one).
    TQZStateStyle* GetStateStyle(const TQZTreeItem* Item) const;
    // The look that applies to a cell of the row.
    TQZStateStyle* GetCellStateStyle(const TQZTreeItem* Item) const;
    // The row is the tree's hot-tracked item (the set's own item, else Item).
    bool ItemIsTracing(const TQZTreeItem* Item = nullptr) const;
    int ImageIndex() const;
    void SetImageIndex(int Value);
    TCursor GetItemCursor(TCursor Default) const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    TQZTreeItem* OwnerItem() const { return FOwnerItem; }
    TQZItemStateStyle* const OwnerISS;
    const std::unique_ptr<TQZStateStyle> HideSelectState;
    const std::unique_ptr<TQZStateStyle> DefaultState;
    const std::unique_ptr<TQZStateStyle> FocusedState;
    const std::unique_ptr<TQZStateStyle> SelectedState;
    const std::unique_ptr<TQZStateStyle> FocSelState;

private:
    TQZTreeItem* FOwnerItem;
    bool FUseCursor = false;
    TCursor FCursor = 0;
};
