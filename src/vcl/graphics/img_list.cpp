#include "vcl/graphics/img_list.h"

#include "rtl/property_change.h"
#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TImageList::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TImageList", &TComponent::StaticClassInfo());
    return *info;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
    if (FHandle)
        ImageList_Destroy(FHandle);
}

HIMAGELIST TImageList::Handle() const {
    if (!FHandle)
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4);
    return FHandle;
}

void TImageList::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        ImageList_Destroy(FHandle);
    FHandle = nullptr;
    Change();
}

int TImageList::Count() const {
    return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

namespace {
// A TBitmap stays selected into its own context, and the image list must select what it adds:
// it gets a copy that no context holds.
HBITMAP FreeCopy(const TBitmap* image) {
    TMemoryDC dc(image->DC());
    HBITMAP copy = CreateCompatibleBitmap(image->DC(), image->Width(), image->Height());
    TSelectObject selected(dc.DC(), copy);
    BitBlt(dc.DC(), 0, 0, image->Width(), image->Height(), image->DC(), 0, 0, SRCCOPY);
    return copy;
}
} // namespace

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
    if (!image || image->Empty())
        return -1;
    TGdiObject<HBITMAP> picture(FreeCopy(image));
    TGdiObject<HBITMAP> maskCopy(mask && !mask->Empty() ? FreeCopy(mask) : nullptr);
    int index = ImageList_Add(Handle(), picture.Handle(), maskCopy.Handle());
    Change();
    return index;
}

int TImageList::AddMasked(const TBitmap* image, uint32_t maskColor) {
    if (!image || image->Empty())
        return -1;
    TGdiObject<HBITMAP> picture(FreeCopy(image));
    int index = ImageList_AddMasked(Handle(), picture.Handle(), maskColor);
    Change();
    return index;
}

int TImageList::AddIcon(HICON icon) {
    int index = ImageList_AddIcon(Handle(), icon);
    Change();
    return index;
}

void TImageList::Delete(int index) {
    if (FHandle && ImageList_Remove(FHandle, index))
        Change();
}

void TImageList::Clear() {
    if (FHandle)
        ImageList_RemoveAll(FHandle);
    Change();
}

namespace {
// The one drag image of the program and whether it shows now.
bool DragImageActive = false;
bool DragImageShown = false;

COLORREF ListColor(TColor color, COLORREF none) {
    return color == clNone ? none : COLORREF(ColorToRGB(color));
}
} // namespace

unsigned TImageList::DrawFlags(TDrawingStyle style, bool enabled, int overlay) const {
    static const unsigned styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    unsigned flags = styles[style];
    if (FBkColor == clNone)
        flags |= ILD_TRANSPARENT;
    if (!enabled)
        flags |= ILD_BLEND50;
    if (overlay >= 0 && overlay < 15)
        flags |= INDEXTOOVERLAYMASK(unsigned(overlay) + 1);
    return flags;
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    Draw(canvas, x, y, index, FDrawingStyle, enabled);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled,
                      int overlay) const {
    if (!FHandle || index < 0 || index >= Count())
        return;
    ImageList_DrawEx(FHandle, index, canvas->Handle(), x, y, 0, 0, ListColor(FBkColor, CLR_NONE),
                     ListColor(FBlendColor, CLR_DEFAULT), DrawFlags(style, enabled, overlay));
}

void TImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay,
                             bool enabled) const {
    Draw(canvas, x, y, index, FDrawingStyle, enabled, overlay);
}

bool TImageList::Overlay(int imageIndex, int overlay) {
    if (overlay < 0 || overlay >= 15 || imageIndex < 0 || imageIndex >= Count())
        return false;
    return ImageList_SetOverlayImage(Handle(), imageIndex, overlay + 1) != FALSE;
}

void TImageList::SetDrawingStyle(TDrawingStyle value) {
    if (ChangeValue(FDrawingStyle, value))
        Change();
}

void TImageList::SetBkColor(TColor value) {
    if (ChangeValue(FBkColor, value))
        Change();
}

void TImageList::SetBlendColor(TColor value) {
    if (ChangeValue(FBlendColor, value))
        Change();
}

void TImageList::SetDragImage(int index, int hotSpotX, int hotSpotY) {
    FDragIndex = index;
    FDragHotSpotX = hotSpotX;
    FDragHotSpotY = hotSpotY;
}

bool TImageList::BeginDrag(int screenX, int screenY) {
    EndDrag();
    if (FDragIndex < 0 || FDragIndex >= Count() ||
        !ImageList_BeginDrag(Handle(), FDragIndex, FDragHotSpotX, FDragHotSpotY))
        return false;
    DragImageActive = true;
    // Entered hidden: the drag shows it once the pointer is over a control that wants it.
    ImageList_DragEnter(nullptr, screenX, screenY);
    ImageList_DragShowNolock(FALSE);
    DragImageShown = false;
    return true;
}

void TImageList::DragMove(int screenX, int screenY) {
    if (DragImageActive)
        ImageList_DragMove(screenX, screenY);
}

void TImageList::ShowDragImage() {
    if (DragImageActive && !DragImageShown) {
        ImageList_DragShowNolock(TRUE);
        DragImageShown = true;
    }
}

void TImageList::HideDragImage() {
    if (DragImageActive && DragImageShown) {
        ImageList_DragShowNolock(FALSE);
        DragImageShown = false;
    }
}

bool TImageList::DragImageVisible() const {
    return DragImageActive && DragImageShown;
}

void TImageList::EndDrag() {
    if (!DragImageActive)
        return;
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
    DragImageActive = DragImageShown = false;
}

bool TImageList::Dragging() {
    return DragImageActive;
}

void TImageList::RegisterChanges(TNotifyEvent* link) {
    if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end())
        FLinks.push_back(link);
}

void TImageList::UnRegisterChanges(TNotifyEvent* link) {
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
}

void TImageList::Change() {
    std::vector<TNotifyEvent*> links = FLinks;
    for (TNotifyEvent* link : links)
        Fire(*link, this);
    Fire(OnChange, this);
}
