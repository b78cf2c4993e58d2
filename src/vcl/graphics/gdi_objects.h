#pragma once
// Scoped Win32 drawing resources: each gives back what it took when it goes out of scope, so an
// early return or an exception leaves no device context, selection or capture behind.
#include "vcl/base/win_types.h"
#include "vcl/base/windows_clean.h"

// A context of a window's client area, or of the whole window with its frame (for painting the
// non-client area).
class TWindowDC {
public:
    explicit TWindowDC(HWND window, bool wholeWindow = false)
        : FWindow(window), FDC(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    // A context of the client area that draws over the child windows too.
    static TWindowDC OverChildren(HWND window) {
        return TWindowDC(window, GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS));
    }
    ~TWindowDC() { ReleaseDC(FWindow, FDC); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC DC() const { return FDC; }

private:
    TWindowDC(HWND window, HDC dc) : FWindow(window), FDC(dc) {}
    HWND FWindow;
    HDC FDC;
};

class TPaintDC {
public:
    explicit TPaintDC(HWND window) : FWindow(window) { BeginPaint(window, &FPaint); }
    ~TPaintDC() { EndPaint(FWindow, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC DC() const { return FPaint.hdc; }
    const RECT& PaintRect() const { return FPaint.rcPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint;
};

class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith = nullptr) : FDC(CreateCompatibleDC(compatibleWith)) {}
    ~TMemoryDC() { DeleteDC(FDC); }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
};

// Saves the whole state of a device context (selections, origin, clipping) and restores it.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC() { RestoreDC(FDC, FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// Selects one object into a device context for a scope.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// Holds the mouse capture for a scope.
class TMouseCapture {
public:
    explicit TMouseCapture(HWND window) { SetCapture(window); }
    ~TMouseCapture() { ReleaseCapture(); }
    TMouseCapture(const TMouseCapture&) = delete;
    TMouseCapture& operator=(const TMouseCapture&) = delete;
};

// Keeps a window from redrawing while many changes are made.
class TRedrawLock {
public:
    explicit TRedrawLock(HWND window) : FWindow(window) {
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawLock() {
        SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(FWindow, nullptr, TRUE);
    }
    TRedrawLock(const TRedrawLock&) = delete;
    TRedrawLock& operator=(const TRedrawLock&) = delete;

private:
    HWND FWindow;
};
