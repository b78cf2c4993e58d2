#pragma once
#include "vcl/component.h"
#include "vcl/win_types.h"

#include "rtl/events.h"

#include <vector>

class TBitmap;
class TCanvas;

// Pictures of one size in a Win32 image list, drawn by index. Users that must follow changes
// (a control showing the images) register a change link.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    int Count() const;
    HIMAGELIST Handle() const;

    // Adds a picture (with an optional mask); the index of the first added image, -1 on failure.
    int Add(const TBitmap* image, const TBitmap* mask = nullptr);
    // Adds a picture whose pixels of the given colour are transparent.
    int AddMasked(const TBitmap* image, uint32_t maskColor);
    int AddIcon(HICON icon);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    void RegisterChanges(TNotifyEvent* link);
    void UnRegisterChanges(TNotifyEvent* link);
    TNotifyEvent OnChange;

private:
    void Change();
    int FWidth = 16;
    int FHeight = 16;
    mutable HIMAGELIST FHandle = nullptr;
    std::vector<TNotifyEvent*> FLinks;
};
