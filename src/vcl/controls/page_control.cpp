#include "vcl/controls/page_control.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

#include <algorithm>

const TClassInfo& TTabSheet::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TTabSheet", &TWinControl::StaticClassInfo())
            .String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
            .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    return *info;
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csAcceptsControls});
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    SetParent(value);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl)
        return -1;
    auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible)
        return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this)
            return index;
        if (page->FTabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == FTabVisible)
        return;
    FTabVisible = value;
    if (FPageControl)
        FPageControl->TabVisibleChanged(this);
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (FPageControl && FTabVisible)
        FPageControl->UpdateTabs();
}

const TClassInfo& TPageControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TPageControl", &TWinControl::StaticClassInfo());
    return *info;
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    UpdateTabs();
    if (!FActivePage)
        SetActivePage(page);
    else
        ShowActivePage();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end())
        return;
    size_t index = size_t(it - FPages.begin());
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage)
        FActivePage = FPages.empty() ? nullptr : FPages[std::min(index, FPages.size() - 1)];
    if (ComponentState().Contains(csDestroying))
        return;
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::InsertControl(TControl* control) {
    TCustomTabControl::InsertControl(control);
    if (auto* page = dynamic_cast<TTabSheet*>(control); page && page->FPageControl != this)
        InsertPage(page);
}

void TPageControl::RemoveControl(TControl* control) {
    if (auto* page = dynamic_cast<TTabSheet*>(control))
        RemovePage(page);
    TCustomTabControl::RemoveControl(control);
}

std::vector<std::string> TPageControl::TabTexts() const {
    std::vector<std::string> texts;
    for (TTabSheet* page : FPages)
        if (page->TabVisible())
            texts.push_back(page->Caption());
    return texts;
}

bool TPageControl::AnyTabVisible() const {
    return std::any_of(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->TabVisible(); });
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this)
        return;
    FActivePage = page;
    ShowActivePage();
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

void TPageControl::ShowActivePage() {
    SelectTab(FActivePage ? FActivePage->TabIndex() : -1);
    // The new page shows before the old one hides, so the area never flashes empty.
    if (FActivePage) {
        TRect area = ClientRect();
        AdjustClientRect(area);
        FActivePage->SetBoundsRect(area);
        FActivePage->SetVisible(true);
        FActivePage->BringToFront();
    }
    for (TTabSheet* page : FPages)
        if (page != FActivePage)
            page->SetVisible(false);
}

void TPageControl::TabVisibleChanged(TTabSheet* page) {
    UpdateTabs();
    // A shown page whose tab goes gives way to the next page that has a tab, if any.
    if (page == FActivePage && !page->TabVisible() && AnyTabVisible()) {
        int index = page->PageIndex();
        for (int i = 1; i < PageCount(); ++i) {
            TTabSheet* next = FPages[size_t((index + i) % PageCount())];
            if (next->TabVisible()) {
                FActivePage = next;
                break;
            }
        }
    }
    ShowActivePage();
}

void TPageControl::Change() {
    int tab = SelectedTab();
    for (TTabSheet* page : FPages)
        if (page->TabIndex() == tab && tab >= 0)
            FActivePage = page;
    ShowActivePage();
    TCustomTabControl::Change();
}

void TPageControl::AdjustClientRect(TRect& Rect) const {
    // Without a tab the pages take the whole control.
    if (!AnyTabVisible()) {
        TWinControl::AdjustClientRect(Rect);
        return;
    }
    TCustomTabControl::AdjustClientRect(Rect);
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
    for (TTabSheet* page : FPages)
        page->SetBoundsRect(Rect);
    TCustomTabControl::AlignControls(AControl, Rect);
}
