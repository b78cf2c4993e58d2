#include "vcl/img_list.h"

#include "rtl/published.h"
#include "vcl/bitmap.h"
#include "vcl/win_api.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo info("TImageList", &TComponent::StaticClassInfo());
    return info;
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

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
    if (!image || image->Empty())
        return -1;
    int index = ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
    Change();
    return index;
}

int TImageList::AddMasked(const TBitmap* image, uint32_t maskColor) {
    if (!image || image->Empty())
        return -1;
    int index = ImageList_AddMasked(Handle(), image->Handle(), maskColor);
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

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!FHandle || index < 0 || index >= Count())
        return;
    ImageList_DrawEx(FHandle, index, canvas->Handle(), x, y, 0, 0, CLR_NONE, CLR_NONE,
                     enabled ? ILD_TRANSPARENT : ILD_BLEND50);
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
