#include "vcl/core/menus.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/forms.h"
#include "vcl/core/screen.h"

#include <algorithm>

namespace {
unsigned NextCommand() {
    static unsigned last = 0;
    return ++last;
}

class TMenuHandle {
public:
    explicit TMenuHandle(HMENU menu) : FMenu(menu) {}
    ~TMenuHandle() { DestroyMenu(FMenu); }
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    HMENU Menu() const { return FMenu; }

private:
    HMENU FMenu;
};

void AppendItems(HMENU menu, const TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item->Caption();
        if (item->ShortCut() != scNone)
            text += "\t" + ShortCutToText(item->ShortCut());
        std::wstring caption = ToWide(text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = MFT_STRING | (item->RadioItem() ? MFT_RADIOCHECK : 0);
        info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->Enabled() ? 0 : MFS_GRAYED) |
                      (item->Default() ? MFS_DEFAULT : 0);
        info.wID = item->Command();
        info.dwTypeData = caption.data();
        if (item->Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
            AppendItems(info.hSubMenu, item);
        }
        InsertMenuItemW(menu, UINT(GetMenuItemCount(menu)), TRUE, &info);
    }
}
} // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TMenuItem", &TComponent::StaticClassInfo())
            .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    return *info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

void TMenuItem::BeforeDestruction() {
    Clear();
    if (FParent)
        FParent->Remove(this);
    TComponent::BeforeDestruction();
}

int TMenuItem::MenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item->FParent)
        throw EMenuError("Menu item is already inserted");
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    FItems[size_t(index)]->FParent = nullptr;
    FItems.erase(FItems.begin() + index);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
}

void TMenuItem::Clear() {
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        FItems.pop_back();
        item->FParent = nullptr;
        item->Free();
    }
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
    if (command == FCommand)
        return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindCommand(command))
            return found;
    return nullptr;
}

void TMenuItem::SetChecked(bool value) {
    FChecked = value;
    if (!value || !FRadioItem || !FParent)
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
            sibling->FChecked = false;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    for (TMenuItem* item : FItems) {
        if (!item->FVisible || !item->FEnabled)
            continue;
        if (item->FShortCut == shortCut && item->Count() == 0)
            return item;
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    }
    return nullptr;
}

void TMenuItem::Click() {
    if (FEnabled)
        Fire(OnClick, this);
}

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(CreateComponent<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;

bool TMenu::IsShortCut(const TWMKey& Message) {
    TShiftState shift = KeyboardShiftState();
    shift.Set(ssAlt, shift.Contains(ssAlt) || HeldWithAlt(Message.KeyData));
    TMenuItem* item = FItems->FindShortCut(ShortCut(Message.CharCode, shift));
    if (!item)
        return false;
    item->Click();
    return true;
}

HMENU TMenu::BuildMenu(bool popup) const {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    AppendItems(menu, FItems.get());
    return menu;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TPopupMenu", &TComponent::StaticClassInfo());
    return *info;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    Fire(OnPopup, this);
    TMenuHandle menu(BuildMenu(true));
    HWND owner = GetActiveWindow();
    if (auto* control = dynamic_cast<TWinControl*>(FPopupComponent))
        owner = control->Handle();
    unsigned command = unsigned(TrackPopupMenu(
        menu.Menu(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, X, Y, 0, owner, nullptr));
    if (command)
        if (TMenuItem* item = Items()->FindCommand(command))
            item->Click();
}
