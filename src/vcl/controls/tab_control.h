#pragma once
#include "vcl/core/win_control.h"

#include "rtl/string_list.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// What the tab control and the page control share: a Win32 tab control whose children lie in
// the area below the tabs. A click on a tab asks OnChanging (which may refuse) and then fires
// OnChange; a tab chosen in code fires nothing.
class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    void AdjustClientRect(TRect& Rect) const override;
    // The tab's rectangle in client pixels; empty for a tab that is not there.
    TRect TabRect(int index) const;
    // Without a tab shown the focus would show nowhere: Tab passes by to the pages' controls.
    bool StopsOnTab() const override;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNNotify(TMessage& Message) override;
    // The texts of the tabs the window shows.
    virtual std::vector<std::string> TabTexts() const = 0;
    virtual bool CanChange();
    // The user chose the tab; the heir follows it, then OnChange fires.
    virtual void Change() { Fire(OnChange, this); }
    // Puts the texts of TabTexts into the window; the chosen tab stays where it can.
    void UpdateTabs();
    int SelectedTab() const;
    void SelectTab(int index);

private:
    int FTabIndex = -1;
};

// A row of tabs without pages: Tabs are its texts, TabIndex the chosen one.
class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(const TStrings* value) { FTabs->Assign(*value); }
    int TabIndex() const { return SelectedTab(); }
    void SetTabIndex(int value) { SelectTab(value); }

protected:
    std::vector<std::string> TabTexts() const override;

private:
    std::unique_ptr<TStringList> FTabs;
};
