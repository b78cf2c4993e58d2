#pragma once

// Win32 handle types named without <windows.h>, so the headers of this layer stay free of its
// macros; the declarations match the ones <windows.h> makes, so both may meet in one file.
struct HWND__;
using HWND = HWND__*;
struct HDC__;
using HDC = HDC__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HPEN__;
using HPEN = HPEN__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HMENU__;
using HMENU = HMENU__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HDROP__;
using HDROP = HDROP__*;
struct _IMAGELIST;
using HIMAGELIST = _IMAGELIST*;

// Deletes any GDI object (font, pen, brush, bitmap); null is ignored.
void DeleteGdiObject(void* object);

// Owns one GDI object and deletes it: the one owner type of the layer for fonts, pens, brushes
// and bitmaps.
template <class H> class TGdiObject {
public:
    explicit TGdiObject(H handle = nullptr) : FHandle(handle) {}
    ~TGdiObject() { DeleteGdiObject(FHandle); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    H Handle() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset(H handle = nullptr) {
        DeleteGdiObject(FHandle);
        FHandle = handle;
    }

private:
    H FHandle;
};
