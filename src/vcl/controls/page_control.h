#pragma once
#include "vcl/controls/tab_control.h"

class TPageControl;

// One page of a page control; its caption is the text of its tab. A page whose tab is hidden
// (TabVisible false) can still be the active page, shown by code.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The index of its tab among the shown tabs, -1 when hidden.
    int TabIndex() const;

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// Pages behind tabs over the Win32 tab control. Only the active page shows. A click on a tab
// asks OnChanging, shows that page and fires OnChange; ActivePage set in code fires nothing.
class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(size_t(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int index);
    void AdjustClientRect(TRect& Rect) const override;

protected:
    std::vector<std::string> TabTexts() const override;
    void Change() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void TabVisibleChanged(TTabSheet* page);
    void ShowActivePage();
    bool AnyTabVisible() const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
