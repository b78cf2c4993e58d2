// The window placement part of the form storage: the keys of the form's section and the
// placement and state they give back.
#include "tools/form_storage.h"

#include "rtl/strings.h"
#include "tools/window_placement.h"
#include "vcl/base/windows_clean.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"

#include <algorithm>
#include <climits>

namespace {

const char* const sFlags = "Flags";
const char* const sShowCmd = "ShowCmd";
const char* const sPixels = "PixelsPerInch";
const char* const sMinMaxPos = "MinMaxPos";
const char* const sNormPos = "NormPos";
const char* const sActiveControl = "ActiveControl";
const char* const sVisible = "Visible";

std::string ScreenSuffix() {
    return PlacementScreenSuffix(Screen->Width(), Screen->Height());
}

bool ApplicationMinimized() {
    TCustomForm* main = Application->MainForm();
    return main && main->HandleAllocated() && IsIconic(main->WindowHandle());
}

bool Sizeable(const TCustomForm* form) {
    return form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
}

// The normal rectangle of a placement is in workspace coordinates: the primary monitor's work
// area starts at 0, 0 (tool windows excepted, which use the screen's).
TPoint WorkspaceOrigin(HWND window) {
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        return {0, 0};
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return {int(primary.rcWork.left - primary.rcMonitor.left),
            int(primary.rcWork.top - primary.rcMonitor.top)};
}

// A rectangle moved by an offset, held within the integer range.
TRect OffsetWithin(const TRect& r, TPoint by) {
    auto move = [](int value, int offset) {
        return int(std::clamp<long long>(static_cast<long long>(value) + offset, INT_MIN, INT_MAX));
    };
    return Rect(move(r.Left, by.X), move(r.Top, by.Y), move(r.Right, by.X), move(r.Bottom, by.Y));
}

// The restored rectangle as it will be shown on the nearest monitor's work area. The monitor is
// found from the rectangle in screen coordinates; the work area is taken into workspace
// coordinates, not the stored numbers into screen ones, which may be anything a file holds.
RECT OnNearestWorkArea(HWND window, const TRect& normal, TSize designed) {
    const TPoint origin = WorkspaceOrigin(window);
    const TRect onScreen = OffsetWithin(normal, origin);
    const RECT lookup{onScreen.Left, onScreen.Top, onScreen.Right, onScreen.Bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&lookup, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& w = monitor.rcWork;
    const TRect work = Rect(w.left, w.top, w.right, w.bottom).Offset(-origin.X, -origin.Y);
    const int titleHeight = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    const TRect shown = RectOnWorkArea(normal, designed, work, titleHeight);
    return {shown.Left, shown.Top, shown.Right, shown.Bottom};
}

} // namespace

void TZWFormStorage::SavePlacement() {
    TCustomForm* form = Form();
    if (!form)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(form->Handle(), &placement);
    if (form == Application->MainForm() && ApplicationMinimized())
        placement.showCmd = SW_SHOWMINIMIZED;
    if (form->FormStyle() == fsMDIChild && form->WindowState() == wsMinimized)
        placement.flags |= WPF_SETMINPOSITION;
    const std::string section = fIniSectionName;
    const std::string minMax =
        FormatPlacementNumbers({int(placement.ptMinPosition.x), int(placement.ptMinPosition.y),
                                int(placement.ptMaxPosition.x), int(placement.ptMaxPosition.y)});
    const RECT& normal = placement.rcNormalPosition;
    const std::string norm = FormatPlacementNumbers(
        {int(normal.left), int(normal.top), int(normal.right), int(normal.bottom)});
    DoWriteString(section, sFlags, IntToStr(placement.flags));
    DoWriteString(section, sShowCmd, IntToStr(placement.showCmd));
    DoWriteString(section, sPixels, IntToStr(Screen->PixelsPerInch()));
    DoWriteString(section, sMinMaxPos + ScreenSuffix(), minMax);
    DoWriteString(section, sMinMaxPos, minMax);
    DoWriteString(section, sNormPos + ScreenSuffix(), norm);
    DoWriteString(section, sNormPos, norm);
    if (FOptions.Contains(fpActiveControl) && form->ActiveControl())
        DoWriteString(section, sActiveControl, form->ActiveControl()->Name());
    DoWriteString(section, sVisible, form->Visible() ? "1" : "0");
}

void TZWFormStorage::RestorePlacement() {
    TCustomForm* form = Form();
    if (!form || !(FOptions.Contains(fpPosition) || FOptions.Contains(fpState)))
        return;
    if (FOptions.Contains(fpPosition))
        ReadPosition(form);
    if (FOptions.Contains(fpState) && !ReadState(form))
        return;
    form->Repaint();
}

std::string TZWFormStorage::ReadScreenKey(const std::string& key) {
    std::string value = DoReadString(fIniSectionName, key + ScreenSuffix(), "");
    return value.empty() ? DoReadString(fIniSectionName, key, "") : value;
}

void TZWFormStorage::ReadPosition(TCustomForm* form) {
    HWND window = form->Handle();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    // Applying the placement must not show a window that is still hidden.
    if (!IsWindowVisible(window))
        placement.showCmd = SW_HIDE;
    placement.flags = UINT(StrToIntDef(
        DoReadString(fIniSectionName, sFlags, IntToStr(placement.flags)), int(placement.flags)));
    bool found = false;
    std::string minMax = ReadScreenKey(sMinMaxPos);
    if (!minMax.empty()) {
        found = true;
        std::array<int, 4> n = ParsePlacementNumbers(minMax, {0, 0, 0, 0});
        placement.ptMinPosition = {n[0], n[1]};
        placement.ptMaxPosition = {n[2], n[3]};
    }
    std::string norm = ReadScreenKey(sNormPos);
    if (!norm.empty()) {
        found = true;
        std::array<int, 4> n =
            ParsePlacementNumbers(norm, {form->Left(), form->Top(), form->Left() + form->Width(),
                                         form->Top() + form->Height()});
        placement.rcNormalPosition = {n[0], n[1], n[2], n[3]};
    }
    const int pixels = Screen->PixelsPerInch();
    if (StrToIntDef(DoReadString(fIniSectionName, sPixels, IntToStr(pixels)), pixels) != pixels)
        found = false;
    if (!found)
        return;
    const RECT& r = placement.rcNormalPosition;
    const TSize designed{form->Width(), form->Height()};
    const std::optional<TRect> normal =
        RestoredNormalRect(Rect(r.left, r.top, r.right, r.bottom), designed, !Sizeable(form));
    if (!normal)
        return;
    placement.rcNormalPosition = OnNearestWorkArea(window, *normal, designed);
    if (form->Position() == poScreenCenter)
        form->SetPosition(poDesigned);
    SetWindowPlacement(window, &placement);
}

bool TZWFormStorage::ReadState(TCustomForm* form) {
    const bool main = form == Application->MainForm();
    TWindowState state = wsNormal;
    if (main && (form->FormStyle() == fsMDIForm ||
                 (form->FormStyle() == fsNormal && form->Position() == poDefault)))
        state = wsMaximized;
    state =
        ShowCmdToWindowState(StrToIntDef(DoReadString(fIniSectionName, sShowCmd, "0"), 0), state);
    if (state == wsMinimized && main) {
        form->SetWindowState(wsNormal);
        PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return false;
    }
    form->SetWindowState(state);
    return true;
}
