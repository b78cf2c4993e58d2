#pragma once
#include "vcl/base/component.h"
#include "vcl/base/controls_types.h"
#include "vcl/base/messages.h"
#include "vcl/base/win_types.h"

#include "rtl/events.h"

#include <string>
#include <vector>

class EMenuError : public Exception {
    using Exception::Exception;
};

// One command of a menu; it may hold further items (a submenu). An item frees the items it
// holds; Delete and Remove only take an item out, Clear frees them all.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value) { FRadioItem = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    // The menu's default command, shown in bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    // The key that runs the item from its menu's control or form; shown beside the caption.
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    std::string Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }

    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(size_t(index)); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();

    // The number the item has in a built menu; FindCommand finds the item again.
    unsigned Command() const { return FCommand; }
    TMenuItem* FindCommand(unsigned command);
    // The enabled, visible item inside with this shortcut, or null.
    TMenuItem* FindShortCut(TShortCut shortCut);

    virtual void Click();
    TNotifyEvent OnClick;

protected:
    void BeforeDestruction() override;

private:
    std::string FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FDefault = false;
    TShortCut FShortCut = scNone;
    bool FEnabled = true;
    bool FVisible = true;
    std::string FHint;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    unsigned FCommand;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    TMenuItem* Items() const { return FItems.get(); }
    // A key that is the shortcut of one of the items runs that item; true when one ran.
    bool IsShortCut(const TWMKey& Message);

protected:
    // A Win32 menu with the visible items (the caller destroys it).
    HMENU BuildMenu(bool popup) const;

private:
    TOwnedPtr<TMenuItem> FItems;
};

// A menu shown at a point on request (or by a right click on a control that names it).
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Shows the menu at a screen point and runs the chosen item's Click.
    virtual void Popup(int X, int Y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
    bool AutoPopup = true;
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FPopupComponent = nullptr;
};
