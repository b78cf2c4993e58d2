#pragma once
#include "vcl/base/component.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/colors.h"

#include "rtl/events.h"

#include <vector>

class TBitmap;
class TCanvas;

// How a picture is drawn: blended with the blend colour as focused or selected, or plain.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

// Pictures of one size in a Win32 image list, drawn by index. Users that must follow changes
// (a control showing the images) register a change link. One list at a time gives the drag
// image that follows the pointer over the screen while a drag moves.
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
    // Draws with the list's DrawingStyle; a disabled picture is drawn faded.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled = true,
              int overlay = -1) const;
    // Draws a picture with one of the overlays (0..14) over it.
    void DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay,
                     bool enabled = true) const;
    // Makes the picture at imageIndex the overlay number overlay (0..14); false when refused.
    bool Overlay(int imageIndex, int overlay);

    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle value);
    // Background under the pictures (clNone: transparent) and the colour selection blends with
    // (clNone: the system's highlight).
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor value);
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor value);

    // The drag image: the picture and the point of it under the pointer.
    void SetDragImage(int index, int hotSpotX, int hotSpotY);
    // Starts showing the drag image over the whole screen at a screen point; false when the
    // list has no picture for it.
    bool BeginDrag(int screenX, int screenY);
    static void DragMove(int screenX, int screenY);
    // Shown while the pointer is over a control that displays drag images, else hidden.
    void ShowDragImage();
    void HideDragImage();
    bool DragImageVisible() const;
    // Ends the drag image of whichever list shows one.
    static void EndDrag();
    static bool Dragging();

    void RegisterChanges(TNotifyEvent* link);
    void UnRegisterChanges(TNotifyEvent* link);
    TNotifyEvent OnChange;

private:
    void Change();
    unsigned DrawFlags(TDrawingStyle style, bool enabled, int overlay) const;
    int FWidth = 16;
    TDrawingStyle FDrawingStyle = dsNormal;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    int FDragIndex = 0;
    int FDragHotSpotX = 0;
    int FDragHotSpotY = 0;
    int FHeight = 16;
    mutable HIMAGELIST FHandle = nullptr;
    std::vector<TNotifyEvent*> FLinks;
};
