#pragma once
#include "qztree/base/xp_themed_control.h"
#include "qztree/header/header_sections.h"
#include "rtl/scope_guards.h"

#include <functional>
#include <memory>

class TImageList;
class TBitmap;
class TComboBox;

enum TQZHintType { shtMainText, shtHintOnly, shtHintOrText };
enum TQZHResizingStates { trsBegin, trsMove, trsEnd };
enum TQZSectionPart { espResizeArea, espText, espExpandSign, espLookupSign, espFilterSign };
enum TAdjustCondition { acAll, acAutoSizedOnly };

using TQZSectionEvent = std::function<void(TObject* Sender, TQZHeaderSection* Section)>;
using TQZSectionMoveEvent =
    std::function<void(TObject* Sender, TQZHeaderSection* Section, int OldPos, int NewPos)>;
using TQZSectionResizingEvent = std::function<void(TObject* Sender, TQZHeaderSection* Section,
                                                   TQZHResizingStates State, int Width)>;
using TQZSectionDrawEvent = std::function<void(
    TObject* Sender, TCanvas* Canvas, TQZHeaderSection* Section, const TRect& R, bool Pressed)>;
using TQZSectionChangeEvent =
    std::function<void(TObject* Sender, TQZHeaderSection* Section, TSectionChangeMode Change)>;
using TQZPictureNeededEvent =
    std::function<void(TObject* Sender, TQZHeaderSection* Section, int& ImageIndex)>;
using TQZMeasureSectionEvent =
    std::function<void(TObject* Sender, TQZHeaderSection* Section, TPoint& Size)>;
using TQZHeaderLookupEvent =
    std::function<void(TObject* Sender, TQZHeaderSection* Section, std::string& Text)>;
using TQZHeaderLookupDoneEvent = std::function<void(TObject* Sender, TQZHeaderSection* Section,
                                                    const std::string& Text, bool Accepted)>;

// The multi-column header: sections with sort marks, signs, images and texts, resized and moved
// with the mouse; optionally its sections always fill its width (sticky sections).
class TCustomQZHeader : public TQZXPThemedControl {
public:
    explicit TCustomQZHeader(TComponent* AOwner);
    ~TCustomQZHeader() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TQZHeaderSections* Sections() const { return FSections.get(); }
    void SetSections(const TQZHeaderSections* Value);

    // Update lock: deletions and additions inside it are reported once at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    void Update() override;
    // While a collection of sections comes in whole (a stream read, an assignment), the redraw
    // of each new section waits and the header is invalidated once at the end; the events of
    // each section fire as without it.
    bool RedrawLocked() const { return FRedrawLock > 0; }
    bool IsLoading() const;
    // Counts as loading without the component's loading state (the owner sets sections up).
    void BeginLoadingCount() { ++LoadingCount; }
    void EndLoadingCount() { --LoadingCount; }

    int LeftPos() const { return FHPos; }
    void SetLeftPos(int Value);
    TQZHeaderSection* LockedSection() const { return FLockedSection; }
    void SetLockedSection(TQZHeaderSection* Value);
    bool WrapCaptions() const { return FWrapCaptions; }
    virtual void SetWrapCaptions(bool Value);
    bool InvertSortArrows() const { return FInvertSortArrows; }
    void SetInvertSortArrows(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor FilterColor() const { return FFilterColor; }
    void SetFilterColor(TColor Value);
    TColor ActiveFilterColor() const { return FActiveFilterColor; }
    void SetActiveFilterColor(TColor Value);
    bool LockHeight() const { return FLockHeight; }
    void SetLockHeight(bool Value);
    bool RightAlignedText() const { return FRightAlignedText; }
    void SetRightAlignedText(bool Value);
    bool RightAlignedOrder() const { return FRightAlignedOrder; }
    void SetRightAlignedOrder(bool Value);
    bool StickySections() const { return FStickySections; }
    void SetStickySections(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value) { FDefaultWidth = Value; }
    bool MultiSort() const { return FMultiSort; }
    void SetMultiSort(bool Value) { FMultiSort = Value; }
    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    void SetIsDesigning(bool Value) { SetComponentState(csDesigning, Value); }

    // Moving sections by dragging them, and whether they move while dragged or on the drop.
    bool AllowDrag() const { return FAllowDrag; }
    void SetAllowDrag(bool Value) { FAllowDrag = Value; }
    bool MoveOnDrag() const { return FMoveOnDrag; }
    void SetMoveOnDrag(bool Value) { FMoveOnDrag = Value; }
    // Widths follow the mouse while a section is resized, instead of a line.
    bool ResizeOnDrag() const { return FResizeOnDrag; }
    void SetResizeOnDrag(bool Value) { FResizeOnDrag = Value; }
    TQZHintType HintType() const { return FHintType; }
    void SetHintType(TQZHintType Value) { FHintType = Value; }

    // Geometry: what painting, hit testing and the mouse all read.
    TRect GetSectionRect(int Index) const;
    int SectionsWidth() const;
    void InvalidateRight(int Index);
    int CalcHeaderHeight();
    void AdjustHeaderHeight();
    int MeasureSectionWidth(TQZHeaderSection* Section, int* TextWidth = nullptr,
                            int* TextHeight = nullptr);
    TQZHeaderSection* GetSectionAt(int X, int Y) const;
    virtual bool InResizeArea(int X, TQZHeaderSection*& HitSection) const;
    TQZHeaderSection* GetSectionAtEx(int X, int Y, TQZSectionPart& SectionPart) const;
    // Where a section is shown: its unscrolled edges minus LeftPos, unless it is locked.
    int ScreenOffset(const TQZHeaderSection* Section) const;
    // The right edge of the column where a section's signs lie, on screen.
    int SignsRight(const TQZHeaderSection* Section) const;

    // Sticky sections.
    void MarkStickySections();
    void AdjustStickySize(TQZHeaderSection* Caller);
    int GetResizableWidth() const;
    int ResizableWidth(const std::vector<bool>& Shown) const;
    bool InStick() const { return FInStick; }

    // Mouse state, read by the tree and the tests.
    bool Resizing() const { return FResizing; }
    TQZHeaderSection* ResizeSection() const { return FResizeSection; }
    TQZHeaderSection* PressedItem() const { return FPressedItem; }
    TQZHeaderSection* TrackSection() const { return FTrackSection; }
    TQZHeaderSection* DropSource() const { return FDropSrc; }
    TQZHeaderSection* DropTarget() const { return FDropTrg; }
    TQZHeaderSection* LookupSection() const { return FLookupSection; }
    TQZHeaderSection* HintSection() const { return FHintSection; }
    int HeaderLine() const { return FHeaderLine; }
    TComboBox* LookupEditor() const { return FLookup; }
    bool DoingLookup() const { return FDoingLookup; }
    void OpenLookup(TQZHeaderSection* Section);
    void CloseLookup(bool Accept);

    void WndProc(TMessage& Message) override;

    TQZSectionEvent OnSectionClick;
    TQZSectionEvent OnSectionResize;
    TQZSectionDrawEvent OnSectionDraw;
    TQZSectionResizingEvent OnSectionResizing;
    TQZSectionEvent OnSectionDelete;
    TQZSectionMoveEvent OnSectionMove;
    TQZSectionEvent OnSectionShowHide;
    TQZPictureNeededEvent OnPictureNeeded;
    TQZSectionChangeEvent OnSectionChange;
    TQZSectionEvent OnSectionCreate;
    TQZHeaderLookupEvent OnHeaderLookup;
    TQZHeaderLookupDoneEvent OnHeaderLookupDone;
    TQZSectionEvent OnSectionExpand;
    TQZSectionEvent OnSectionCollapse;
    TQZMeasureSectionEvent OnMeasureSection;
    TQZSectionEvent OnSectionAutoSize;
    TQZSectionEvent OnFilterCall;

    // Event triggers, one per event, so heirs can intercept them.
    virtual int DoGetPicture(TQZHeaderSection* Section);
    virtual void DoVisChanged(TQZHeaderSection* Section);
    virtual void DoSectionDelete(TQZHeaderSection* Section);
    virtual void DoSectionMove(TQZHeaderSection* Section, int OldPos, int NewPos);
    virtual void DoSectionResizing(TQZHeaderSection* Section, TQZHResizingStates State, int Width);
    virtual void DoSectionResize(TQZHeaderSection* Section);
    virtual void DoSectionClick(TQZHeaderSection* Section);
    virtual void DoSectionDraw(TCanvas* ACanvas, TQZHeaderSection* Section, const TRect& R,
                               bool Pressed);
    virtual void DoNotifySectionChange(TQZHeaderSection* Section, TSectionChangeMode Change);
    virtual void DoSectionExpandEvent(TQZHeaderSection* Section);
    virtual void DoSectionCollapseEvent(TQZHeaderSection* Section);
    virtual void DoSectionCreate(TQZHeaderSection* Section);
    virtual void DoSectionLookupEvent(TQZHeaderSection* Section, std::string& Text);
    virtual void DoSectionLookupDoneEvent(TQZHeaderSection* Section, const std::string& Text,
                                          bool Accepted);
    virtual void TriggerSectionAutoSizeEvent(TQZHeaderSection* Section);
    virtual void TriggerFilterCallEvent(TQZHeaderSection* Section);
    virtual TPoint TriggerMeasureSectionEvent(TQZHeaderSection* Section);

    // Paints one section into any canvas (Dithered: the drag image's look).
    void RedrawSection(TCanvas* ACanvas, TQZHeaderSection* Section, const TRect& R, bool Dithered);

protected:
    std::wstring GetThemedClassName() const override { return L"HEADER"; }
    virtual TQZHeaderSections* CreateSections();
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void FontChanged() override;
    void BeforeDestruction() override;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void VisibleChanged() override;
    void DblClick() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void DoExit() override;
    void CancelMode() override;
    bool HintShow(THintInfo& HintInfo) override;
    void DragMessage(TDragMessage DragMsg, TDragRec& DragRec, TMessage& Message) override;

private:
    friend class TQZHeaderSection;
    friend class TQZHeaderSections;
    friend class THeaderPainter;

    void RedrawSections();
    void BeginRedrawLock() { ++FRedrawLock; }
    void EndRedrawLock();
    using TRedrawLock = TPairedCall<TCustomQZHeader, &TCustomQZHeader::BeginRedrawLock,
                                    &TCustomQZHeader::EndRedrawLock>;
    void RedrawFilterSigns(bool Active);
    void RedrawSectionOf(TQZHeaderSection* Section);
    void ImageListChanged(TObject* Sender);
    void EnsureSignHeight();
    void StickyResize();
    // Forgets every reference to a section that is going, and ends what it took part in.
    void SectionGoing(TQZHeaderSection* Section);
    void SectionsCleared();

    // Mouse.
    void LeftDown(int X, int Y);
    void LeftUp(int X, int Y);
    void StartResize(TQZHeaderSection* Section, int X);
    void EndResize();
    void ReleaseLineDC();
    void MoveResize(int X);
    void StartDrag(int X, int Y);
    void MoveDrag(int X, int Y);
    void EndDrag(int X, int Y);
    void CancelDrag();
    void ToggleResizeLine();
    void BuildDragImage(int X);
    void FreeDragImage();
    TColor DragTransparentColor() const;
    void DrawDragImageAt(int X);
    void TrackHot(int X, int Y);
    void UpdateCursorAndHint(int X, int Y);
    // The split cursor is the whole screen's: the header takes it back when it goes or hides.
    void GiveBackSplitCursor();
    void SetHotSection(TQZHeaderSection* Section);
    void LookupChange(TObject* Sender);
    void LookupKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void LookupKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void LookupExit(TObject* Sender);

    bool FMouseInControl = false;
    bool FWrapCaptions = false;
    TQZHeaderSection* FLockedSection = nullptr;
    int FHPos = 0;
    bool FInvertSortArrows = false;
    bool FFlat = false;
    TColor FActiveFilterColor = 0;
    TColor FFilterColor = clBtnText;
    bool FLockHeight = false;
    bool FRightAlignedText = false;
    bool FRightAlignedOrder = false;
    bool FStickySections = false;
    TImageList* FImages = nullptr;
    TNotifyEvent FImageChangeLink;
    std::unique_ptr<TQZHeaderSections> FSections;
    bool FTracking = false;
    bool FPainting = false;
    std::unique_ptr<TBitmap> DragBmp, SaveBmp, DragBmpMask;
    TRect DragRect;
    TPoint FDragCoord;
    bool FDragImageShown = false;
    TComboBox* FLookup = nullptr;
    TPoint FPressCoord;
    bool FPressed = false;
    TQZHeaderSection* FPressedItem = nullptr;
    // The double click just fitted a column: its press is the grip's, not a section's.
    bool FFittedByDoubleClick = false;
    TQZHeaderSection* FHintSection = nullptr;
    TQZHeaderSection* FLookupSection = nullptr;
    TQZHeaderSection* FTrackSection = nullptr;
    bool FResizing = false;
    TQZHeaderSection* FResizeSection = nullptr;
    TQZHeaderSection* FDropSrc = nullptr;
    TQZHeaderSection* FDropTrg = nullptr;
    int FHeaderLine = 0;
    int FLineTab = 0;
    bool FHeaderLineVis = false;
    bool FIgnoreLookupChange = false;
    bool FDoingLookup = false;
    HDC FLineDC = nullptr;
    HWND FLineWnd = nullptr;
    HWND FFocusedCtl = nullptr;
    int LoadingCount = 0;
    bool DeletionHappened = false;
    bool AdditionHappened = false;
    bool FInStick = false;
    int FOldWidth = 0;
    int FUpdateCount = 0;
    int FRedrawLock = 0;
    int FDefaultWidth = 120;
    bool FMultiSort = false;
    bool FAllowDrag = false;
    bool FMoveOnDrag = false;
    bool FResizeOnDrag = false;
    TQZHintType FHintType = shtHintOnly;
};

// The published header.
class TQZHeader : public TCustomQZHeader {
public:
    using TCustomQZHeader::TCustomQZHeader;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// The shared pictures of the headers: sort marks, drop arrows and the lookup point, drawn by
// the program once.
enum THeaderGlyph { hgAscending, hgDescending, hgLeft, hgRight, hgPoint };
const TBitmap& HeaderGlyph(THeaderGlyph Glyph);
// The horizontal split cursor of the resize grips.
HCURSOR HeaderSplitCursor();
