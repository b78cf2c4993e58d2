#include "vcl/menus.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/forms.h"
#include "vcl/screen.h"
#include "vcl/win_api.h"

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
        UINT flags =
            MF_STRING | (item->Checked() ? MF_CHECKED : 0) | (item->Enabled() ? 0 : MF_GRAYED);
        std::wstring caption = ToWide(item->Caption());
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, item);
            AppendMenuW(menu, flags | MF_POPUP, UINT_PTR(sub), caption.c_str());
        } else {
            AppendMenuW(menu, flags, item->Command(), caption.c_str());
        }
    }
}
} // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TMenuItem", &TComponent::StaticClassInfo())
            .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    return info;
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

void TMenuItem::Click() {
    if (FEnabled)
        Fire(OnClick, this);
}

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(CreateComponent<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;

HMENU TMenu::BuildMenu(bool popup) const {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    AppendItems(menu, FItems.get());
    return menu;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info("TPopupMenu", &TComponent::StaticClassInfo());
    return info;
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
