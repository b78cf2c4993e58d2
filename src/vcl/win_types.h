#pragma once
#include <memory>
#include <type_traits>

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

// Frees any GDI object (font, pen, brush, bitmap) with DeleteObject.
struct TGdiDeleter {
    void operator()(void* object) const;
};
template <class H> using TGdiHandle = std::unique_ptr<std::remove_pointer_t<H>, TGdiDeleter>;
