#pragma once
// The one window procedure of the layer and the window classes it serves; for the layer's .cpp
// files.
#include "rtl/modality/helper_window.h"
#include "vcl/base/win_api.h"
#include "vcl/core/win_control.h"

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers the control's window class once and returns the procedure that receives what the
// control leaves: the Win32 class's own for controls built on one, else DefWindowProcW. The
// name of the class to create the window with is left in params.WinClassName.
WNDPROC RegisterControlClass(TCreateParams& params);

// The control whose window CreateWindowEx is making now: it is bound to the first message the
// new window receives, which may come before WM_NCCREATE.
void SetCreationControl(TWinControl* control);

// Common controls are initialised once, before the first window is made.
void InitCommonControlsOnce();

// The message loop's step before a key message is dispatched: the control of the window (or of
// its nearest parent) sees it ahead (CN_KEYDOWN, CN_CHAR...); true when it took the key.
bool PreTranslateKeyMessage(HWND window, unsigned msg, uintptr_t wParam, intptr_t lParam);
