#include "vcl/controls/status_bar.h"

#include "rtl/property_change.h"
#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"

#include <commctrl.h>

void TStatusPanel::SetText(const std::string& value) {
    if (ChangeValue(FText, value))
        FBar->PanelTextChanged(this);
}

void TStatusPanel::SetWidth(int value) {
    if (ChangeValue(FWidth, value))
        FBar->UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (ChangeValue(FAlignment, value))
        FBar->PanelTextChanged(this);
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FBar));
    FBar->UpdatePanels();
    return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
    Items(index); // refuses an index out of range
    FItems.erase(FItems.begin() + index);
    FBar->UpdatePanels();
}

void TStatusPanels::Clear() {
    FItems.clear();
    FBar->UpdatePanels();
}

const TClassInfo& TStatusBar::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TStatusBar", &TWinControl::StaticClassInfo())
            .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
            .Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    return *info;
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
    SetControlStyle({csDoubleClicks});
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = STATUSCLASSNAMEW;
    // The layer places it; the window must not move itself to its parent's bottom.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (FSizeGrip)
        Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool value) {
    if (value == FSimplePanel)
        return;
    FSimplePanel = value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& value) {
    if (value == FSimpleText)
        return;
    FSimpleText = value;
    if (HandleAllocated() && FSimplePanel)
        SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID, LPARAM(ToWide(value).c_str()));
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == FSizeGrip)
        return;
    FSizeGrip = value;
    RecreateWnd();
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated())
        return;
    HWND h = WindowHandle();
    SendMessageW(h, SB_SIMPLE, FSimplePanel, 0);
    if (FSimplePanel) {
        SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, LPARAM(ToWide(FSimpleText).c_str()));
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < FPanels->Count(); ++i) {
        right += FPanels->Items(i)->Width();
        edges.push_back(i + 1 == FPanels->Count() ? -1 : right);
    }
    if (edges.empty())
        edges.push_back(-1);
    SendMessageW(h, SB_SETPARTS, edges.size(), LPARAM(edges.data()));
    for (int i = 0; i < FPanels->Count(); ++i)
        UpdatePanelText(i);
}

void TStatusBar::PanelTextChanged(const TStatusPanel* panel) {
    // A new text is set in its own part; the parts stay as they are.
    if (!HandleAllocated() || FSimplePanel)
        return;
    for (int i = 0; i < FPanels->Count(); ++i)
        if (FPanels->Items(i) == panel)
            return UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int index) {
    const TStatusPanel* panel = FPanels->Items(index);
    // The status window centres a text after one tab and right-aligns it after two.
    static const char* prefixes[] = {"", "\t\t", "\t"};
    std::wstring text = ToWide(prefixes[panel->Alignment()] + panel->Text());
    SendMessageW(WindowHandle(), SB_SETTEXTW, index, LPARAM(text.c_str()));
}
