#include "rtl/modality/restore_memory.h"

#include <windows.h>

namespace {

// A window manager's late report of a window's place comes within this time.
const DWORD LateReportWithin = 1000;

bool IsEditField(HWND control) {
    wchar_t name[8] = {};
    return GetClassNameW(control, name, 8) && lstrcmpiW(name, L"Edit") == 0;
}

// Losing the focus leaves an edit field's selection as it is.
std::optional<std::pair<int, int>> SelectionOf(HWND control) {
    if (!control || !IsWindow(control) || !IsEditField(control))
        return std::nullopt;
    DWORD start = 0, end = 0;
    SendMessageW(control, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return std::make_pair(int(start), int(end));
}

} // namespace

void TRestoreMemory::Reset(void* window) {
    const HWND handle = static_cast<HWND>(window);
    *this = TRestoreMemory();
    FMaximised = handle && IsZoomed(handle);
    FocusMoving(window, GetFocus());
}

void TRestoreMemory::PlaceChanging(void* window, void* windowPos) {
    const HWND handle = static_cast<HWND>(window);
    auto& pos = *static_cast<WINDOWPOS*>(windowPos);
    const auto placeNow = [handle] {
        RECT bounds{};
        GetWindowRect(handle, &bounds);
        return TPlace{int(bounds.left), int(bounds.top), int(bounds.right - bounds.left),
                      int(bounds.bottom - bounds.top)};
    };
    // The system marks the window minimised or maximised before it moves it; until then it is
    // where it was.
    if (IsIconic(handle)) {
        if (!FMinimised) {
            FMinimised = true;
            FPlaceBeforeMinimised = FMaximised ? std::nullopt : std::optional(placeNow());
            FFocusToGiveBack = false;
            FSelection = SelectionOf(static_cast<HWND>(FFocus));
        }
        return;
    }
    std::optional<TPlace> place;
    if (FMinimised) {
        FMinimised = false;
        FFocusToGiveBack = FFocus != nullptr;
        place = FPlaceBeforeMinimised;
    }
    const bool maximised = IsZoomed(handle);
    if (maximised && !FMaximised) {
        FPlaceBeforeMaximised = placeNow();
    } else if (!maximised && FMaximised) {
        place = FPlaceBeforeMaximised;
        FMaximisedSize = placeNow();
        FUnmaximisedAt = GetTickCount();
    } else if (!maximised && FMaximisedSize && !(pos.flags & SWP_NOSIZE) &&
               pos.cx == FMaximisedSize->Width && pos.cy == FMaximisedSize->Height &&
               GetTickCount() - FUnmaximisedAt < LateReportWithin) {
        // The window manager's report of the maximised size, come after Wine took the
        // un-maximising: Wine would take it as a size of the window's own.
        place = FPlaceBeforeMaximised;
    }
    FMaximised = maximised;
    if (!place || maximised)
        return;
    pos.x = place->Left;
    pos.y = place->Top;
    pos.cx = place->Width;
    pos.cy = place->Height;
    pos.flags &= ~UINT(SWP_NOMOVE | SWP_NOSIZE);
}

void TRestoreMemory::FocusMoving(void* window, void* control) {
    // What the system focuses while the window is minimised or coming back is not the user's.
    if (!FMinimised && !FFocusToGiveBack && control &&
        IsChild(static_cast<HWND>(window), static_cast<HWND>(control)))
        FFocus = control;
}

void TRestoreMemory::GiveFocusBack(void* window) {
    const HWND handle = static_cast<HWND>(window);
    if (!FFocusToGiveBack || !handle || IsIconic(handle) || GetActiveWindow() != handle)
        return;
    FFocusToGiveBack = false;
    const HWND control = static_cast<HWND>(FFocus);
    if (!IsWindow(control) || !IsChild(handle, control) || !IsWindowVisible(control) ||
        !IsWindowEnabled(control))
        return;
    if (GetFocus() != control)
        SetFocus(control);
    if (FSelection && IsEditField(control))
        SendMessageW(control, EM_SETSEL, FSelection->first, FSelection->second);
}
