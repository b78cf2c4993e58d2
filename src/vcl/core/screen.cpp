#include "vcl/core/screen.h"

#include "rtl/lasting.h"
#include "vcl/base/win_api.h"
#include "vcl/core/forms.h"

#include <algorithm>

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const {
    RECT area{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

int TScreen::PixelsPerInch() const {
    return ScreenPixelsPerInch();
}

TWinControl* TScreen::ActiveControl() const {
    return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end())
        FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form)
        FActiveForm = nullptr;
}

void TScreen::SetCursor(TCursor value) {
    if (value == FCursor)
        return;
    FCursor = value;
    if (value != crDefault) {
        ::SetCursor(Cursors(value));
    } else {
        // Moving the pointer where it is makes the window under it choose its cursor again.
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, p.y);
    }
}

HCURSOR TScreen::Cursors(TCursor index) const {
    auto found = FCursors.find(index);
    if (found != FCursors.end())
        return found->second;
    static const TLasting<std::map<TCursor, const wchar_t*>> system(
        std::map<TCursor, const wchar_t*>{
            {crArrow, IDC_ARROW},          {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},
            {crSizeNESW, IDC_SIZENESW},    {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
            {crSizeWE, IDC_SIZEWE},        {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},
            {crDrag, IDC_ARROW},           {crNoDrop, IDC_NO},       {crHSplit, IDC_SIZEWE},
            {crVSplit, IDC_SIZENS},        {crMultiDrag, IDC_ARROW}, {crNo, IDC_NO},
            {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},       {crHandPoint, IDC_HAND},
            {crSizeAll, IDC_SIZEALL},
        });
    auto known = system->find(index);
    HCURSOR cursor = LoadCursorW(nullptr, known != system->end() ? known->second : IDC_ARROW);
    FCursors[index] = cursor;
    return cursor;
}
