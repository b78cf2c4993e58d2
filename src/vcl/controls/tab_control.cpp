#include "vcl/controls/tab_control.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"

#include <commctrl.h>

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

bool TCustomTabControl::StopsOnTab() const {
    return TabStop() && !TabTexts().empty();
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = WC_TABCONTROLW;
    Params.Style |= TCS_TABS | TCS_FOCUSONBUTTONDOWN;
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateTabs();
}

void TCustomTabControl::UpdateTabs() {
    if (!HandleAllocated())
        return;
    HWND h = WindowHandle();
    int selected = FTabIndex;
    SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
    std::vector<std::string> texts = TabTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = ToWide(texts[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(h, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    SelectTab(selected < int(texts.size()) ? selected : -1);
    // The area under the tabs changes with their rows.
    Realign();
}

int TCustomTabControl::SelectedTab() const {
    if (!HandleAllocated())
        return FTabIndex;
    return int(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SelectTab(int index) {
    FTabIndex = index;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TCM_SETCURSEL, index, 0);
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) const {
    TWinControl::AdjustClientRect(Rect);
    if (!HandleAllocated())
        return;
    RECT r = ToRECT(Rect);
    SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, LPARAM(&r));
    Rect = FromRECT(r);
}

TRect TCustomTabControl::TabRect(int index) const {
    RECT r{};
    if (!HandleAllocated() || !SendMessageW(WindowHandle(), TCM_GETITEMRECT, index, LPARAM(&r)))
        return TRect();
    return FromRECT(r);
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    Fire(OnChanging, this, allow);
    return allow;
}

void TCustomTabControl::CNNotify(TMessage& Message) {
    switch (reinterpret_cast<NMHDR*>(Message.LParam)->code) {
    case TCN_SELCHANGING:
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
    case TCN_SELCHANGE:
        FTabIndex = SelectedTab();
        return Change();
    default:
        return DefaultHandler(Message);
    }
}

const TClassInfo& TTabControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TTabControl", &TWinControl::StaticClassInfo())
            .Strings("Tabs", &TTabControl::Tabs)
            .Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
    return *info;
}

TTabControl::TTabControl(TComponent* AOwner)
    : TCustomTabControl(AOwner), FTabs(std::make_unique<TStringList>()) {
    FTabs->OnChange = [this](TObject*) { UpdateTabs(); };
}

TTabControl::~TTabControl() {
    FTabs->OnChange = nullptr;
}

std::vector<std::string> TTabControl::TabTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < FTabs->Count(); ++i)
        texts.push_back(FTabs->Get(i));
    return texts;
}
