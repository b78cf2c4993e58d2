#pragma once
#include "qztree/tree/tree_types.h"
#include "rtl/variant.h"
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"

#include <functional>
#include <string>

class TObject;
class TStream;
class TCanvas;
class TQZCellStyle;

// The tree's events: each is a handler bound to an object, fired only when assigned, with the
// tree as Sender. Var parameters carry the handler's answer back.
using TDaRudoChangingEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, bool& AllowChange)>;
using TOnItemExpandEvent = std::function<void(TObject* Sender, TQZTreeItem* Item)>;
using TOnItemCheckedEvent = TOnItemExpandEvent;
using TItemSelChangeEvent = TOnItemExpandEvent;
using TOnItemExpanding = std::function<void(TObject* Sender, TQZTreeItem* Item, bool& CanProcess)>;
using TOnItemChangeEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, TItemChangeMode ItemChangeMode)>;
using TOnItemDrawEvent = std::function<void(TObject* Sender, TQZTreeItem* Item, TCanvas* Surface,
                                            TRect R, int SectionIndex)>;
using TDaRudoItemPostDrawEvent = std::function<void(
    TObject* Sender, TCanvas* Canvas, TQZTreeItem* Item, TRect ItemRect, bool& DrawFocusRect)>;
using TOnCompareItems =
    std::function<void(TObject* Sender, TQZTreeItem* Item1, TQZTreeItem* Item2, int& Res)>;
using TOnPicDrawEvent = std::function<void(TObject* Sender, TQZTreeItem* Item, int& ImageIndex)>;
using THotTrackEvent =
    std::function<void(TObject* Sender, TQZTreeItem* OldItem, TQZTreeItem* NewItem)>;
using TQZTreeScrollEvent =
    std::function<void(TObject* Sender, TScrollBarKind ScrollBarKind, int ScrollCode)>;
using TItemSaveEvent = std::function<void(TObject* Sender, TStream* Stream, TQZTreeItem* Item)>;
using TCellStyleSaveEvent =
    std::function<void(TObject* Sender, TStream* Stream, TQZCellStyle* Style)>;
using TColumnNotifyEvent = std::function<void(TObject* Sender, int SectionIndex)>;
using TMeasureItemPartEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, int PartIndex, TPoint& Size)>;
using TDaRudoItemDragTargetEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, TRect ItemRect, int X, int Y)>;
using TVirtualTextNeededEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, int SectionIndex, std::string& Text)>;
using TVirtualHintNeededEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, std::string& Hint)>;
using TVirtualValueNeededEvent = std::function<void(TObject* Sender, TQZTreeItem* Item,
                                                    int SectionIndex, int VarType, Variant& Value)>;
using TVirtualStyleNeededEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, int SectionIndex, TQZCellStyle* Style)>;
using TApplyVisFilterEvent = std::function<void(TObject* Sender, TQZTreeItem* Item, bool& Hidden)>;
using TTreeNotifyEvent = std::function<void(TObject* Sender)>;
class THintWindow;
// A line hint about to show; the cell's column is told by its section's index.
using TOnShowHintEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, int SectionIndex, std::string& Text,
                       THintWindow* HintWindow, TPoint MousePos, bool& DoShowHint)>;
// The moved column is told by its section's index.
using TQZColumnMoveEvent =
    std::function<void(TCustomQZTree* Sender, int SectionIndex, int OldPos, int NewPos)>;

// The handlers a form assigns to the tree. The tree fires each through one virtual trigger, so a
// derived control can intercept it.
struct TQZTreeEvents {
    TDaRudoChangingEvent OnChanging;
    TTreeNotifyEvent OnItemFocused;
    TColumnNotifyEvent OnHeaderColumnResize;
    TColumnNotifyEvent OnHeaderColumnClick;
    TOnItemDrawEvent OnItemDraw;
    TOnItemChangeEvent OnItemChange;
    TOnItemExpanding OnItemExpanding;
    TOnItemExpanding OnItemCollapsing;
    TOnItemCheckedEvent OnItemChecked;
    TOnItemExpandEvent OnItemExpand;
    TOnItemExpandEvent OnItemCollapse;
    TOnItemExpandEvent OnItemDeletion;
    TOnItemExpandEvent OnItemAdded;
    TOnCompareItems OnCompareItems;
    THotTrackEvent OnHotTrack;
    TQZTreeScrollEvent OnScroll;
    TQZColumnMoveEvent OnHeaderColumnMove;
    TItemSaveEvent OnItemSave;
    TItemSaveEvent OnItemLoad;
    TCellStyleSaveEvent OnCellStyleSave;
    TCellStyleSaveEvent OnCellStyleLoad;
    TItemSelChangeEvent OnItemSelectedChange;
    TMeasureItemPartEvent OnMeasureItemPart;
    TApplyVisFilterEvent OnApplyVisFilter;
    TDaRudoItemPostDrawEvent OnItemPostDraw;
    TOnItemDrawEvent OnItemPreDraw;
    TTreeNotifyEvent OnSortBegin;
    TTreeNotifyEvent OnSortEnd;
    TTreeNotifyEvent OnAfterSelectionChange;
    TVirtualTextNeededEvent OnVirtualTextNeeded;
    TVirtualHintNeededEvent OnVirtualHintNeeded;
    TVirtualValueNeededEvent OnVirtualValueNeeded;
    TVirtualStyleNeededEvent OnVirtualStyleNeeded;
    TOnPicDrawEvent OnItemPicDraw;
    TOnPicDrawEvent OnItemPicDraw2;
    TDaRudoItemDragTargetEvent OnDragTargetChange;
    TOnShowHintEvent OnShowLineHint;
    // The header's lookup (the section told by its index) and the vertical bar's track hint.
    std::function<void(TObject* Sender, int SectionIndex, std::string& Text)> OnHeaderLookup;
    std::function<void(TObject* Sender, int SectionIndex, const std::string& Text, bool Accepted)>
        OnHeaderLookupDone;
    std::function<void(TObject* Sender, int TrackPosition, std::string& Hint)>
        OnVertScrollHintNeeded;
};
