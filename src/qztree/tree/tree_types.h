#pragma once
#include "rtl/exceptions.h"
#include "vcl/controls/check_box.h"

#include <cstdint>
#include <functional>

class TQZTreeItem;
class TCustomQZTree;

class EQZTreeError : public Exception {
    using Exception::Exception;
};

// Texts of the tree's failures, shown to the user as they stand.
extern const char* const SQZTreeIndexOutOfBounds;
extern const char* const SQZTreeItemNotSpecified;
extern const char* const SQZTreeCantMoveToSubitem;

enum TQZCheckBoxType { ectCheckBox, ect3SCheckBox, ectRadioButton };
enum TQZItemBorderStyle { ibsNone, ibsRaised, ibsFlat, ibsSunken, ibsSpace };
enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };
enum TItemChangeMode { icmText, icmState, icmCheckState, icmColumnText };
enum TVirtualityLevel { vlNone, vlTextAndStyles };
enum TSortModes { smNone, smAdd, smClick, smAddClick };
enum TSortTypes {
    stCustom,
    stText,
    stNumber,
    stFloating,
    stDateTime,
    stDate,
    stTime,
    stBoolean,
    stCurrency
};
enum TSortDirs { sdAscend, sdDescend };
// The part of a row under a point.
enum TSTItemPart {
    ipButton,
    ipMainText,
    ipColumn,
    ipInside,
    ipPicture,
    ipPicture2,
    ipCheckBox,
    ipOutside
};

// State numbers of an item's 16-bit state set.
constexpr int stsFocused = 1;
constexpr int stsSelected = 2;
constexpr int stsExpanded = 7;
constexpr int stiMaxState = 15;

// Bits of an item's flag word.
enum TItemBoolFlag : uint32_t {
    ibfSuppressLines = 0x4,
    ibfImageDrawn = 0x8,
    ibfImageDrawn2 = 0x10,
    ibfForceButtons = 0x20,
    ibfStrikedOutLine = 0x40,
    ibfDrawHLine = 0x80,
    ibfAllowSelection = 0x100,
    ibfAllowEdit = 0x200,
    ibfWordBreak = 0x400,
    ibfDeleting = 0x800,
    ibfUseStyles = 0x1000,
    ibfMultiline = 0x2000,
    ibfHidden = 0x4000,
    ibfEnabled = 0x8000,
    ibfSuppressButtons = 0x10000,
    ibfCheckBoxEnabled = 0x20000,
    ibfShowCheckBox = 0x40000,
    ibfIsHTML = 0x80000,
    ibfOwnerHeight = 0x100000,
    ibfRec = 0x200000,
    ibfHintIsHTML = 0x400000,
};

// Each walk of the item collection calls this for every item it passes; clearing
// ContinueIterate ends the walk.
using TIterateProc = std::function<void(TQZTreeItem* Item, int Index, bool& ContinueIterate,
                                        void* IterateData, TCustomQZTree* Tree)>;
