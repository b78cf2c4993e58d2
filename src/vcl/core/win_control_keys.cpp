// The keyboard side of TWinControl as every Windows dialog has it: the tab order, and the keys
// the message loop shows a control before its window gets them (shortcuts, then Tab, arrows,
// Enter and Escape as dialog keys, then mnemonics).
#include "vcl/core/win_control.h"

#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"

#include <algorithm>

int TWinControl::TabOrder() const {
    if (!Parent())
        return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!Parent())
        return;
    auto& list = Parent()->FTabList;
    int current = TabOrder();
    value = std::clamp(value, 0, int(list.size()) - 1);
    if (current < 0 || current == value)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* child : FTabList) {
        List.push_back(child);
        child->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = int(list.size());
    int start = int(std::find(list.begin(), list.end(), Current) - list.begin());
    if (start == count)
        start = GoForward ? count - 1 : 0;
    int i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[size_t(i)];
        if (c->CanFocus() && (!CheckTabStop || c->StopsOnTab()) &&
            (!CheckParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(Current, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

void TWinControl::SelectFirst() {
    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
        first->SetFocus();
}

void TWinControl::Broadcast(TMessage& Message) {
    std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
            continue;
        c->WndProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::DialogKey(TMessage& Message) {
    Broadcast(Message);
}

void TWinControl::DialogChar(TMessage& Message) {
    Broadcast(Message);
}

namespace {
// What a window must say in WM_GETDLGCODE to keep a key from being a dialog key.
unsigned SpecialKeyMask(uint16_t key) {
    switch (key) {
    case VK_TAB:
        return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        return DLGC_WANTALLKEYS;
    default:
        return 0;
    }
}

// The key message on its way, shown with WM_GETDLGCODE as a dialog shows it.
thread_local MSG KeyOnItsWay{};

// The dialog code of the window that has the focus inside this one (a combo box's edit, say),
// else of the control's own window.
unsigned DialogCode(HWND window, uint16_t key) {
    HWND focus = GetFocus();
    if (focus && (focus == window || IsChild(window, focus)))
        window = focus;
    return unsigned(SendMessageW(window, WM_GETDLGCODE, key, LPARAM(&KeyOnItsWay)));
}

TWMKey KeyOf(const TMessage& Message) {
    return {Message.Msg, uint16_t(Message.WParam), Message.LParam};
}
} // namespace

bool TWinControl::IsMenuKey(TMessage& Message) {
    TWMKey key = KeyOf(Message);
    TCustomForm* form = GetParentForm(this);
    if (form && form->IsShortCut(key))
        return true;
    for (TControl* c = this; c; c = c->Parent())
        if (c->PopupMenu() && c->PopupMenu()->IsShortCut(key))
            return true;
    // The main form's shortcuts serve every window; its own keys were asked above already.
    return form != Application->MainForm() &&
           Application->SendAppMessage(CM_APPKEYDOWN, Message.WParam, Message.LParam) != 0;
}

void TWinControl::KeyAheadMessage(TMessage& Message) {
    Message.Result = 1;
    if (IsMenuKey(Message))
        return;
    uint16_t key = uint16_t(Message.WParam);
    unsigned mask = SpecialKeyMask(key);
    // A window wants the key by its kind (DLGC_WANTTAB...) or this very message.
    if (mask && Perform(CM_WANTSPECIALKEY, key, Message.LParam) == 0 &&
        (DialogCode(FHandle, key) & (mask | DLGC_WANTMESSAGE)) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CharAheadMessage(TMessage& Message) {
    Message.Result = 0;
    char key = 0;
    if (!CharFromWide(wchar_t(Message.WParam), key))
        return;
    // With Alt the character is a mnemonic; without, only where the window takes no characters.
    bool alt = Message.Msg == CN_SYSCHAR;
    if (!alt && (DialogCode(FHandle, 0) & DLGC_WANTCHARS) != 0)
        return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, uintptr_t(uint8_t(key)), Message.LParam) != 0)
        Message.Result = 1;
}

bool PreTranslateKeyMessage(HWND window, unsigned msg, uintptr_t wParam, intptr_t lParam) {
    unsigned ahead = 0;
    switch (msg) {
    case WM_KEYDOWN:
        ahead = CN_KEYDOWN;
        break;
    case WM_SYSKEYDOWN:
        ahead = CN_SYSKEYDOWN;
        break;
    case WM_CHAR:
        ahead = CN_CHAR;
        break;
    case WM_SYSCHAR:
        ahead = CN_SYSCHAR;
        break;
    default:
        return false;
    }
    KeyOnItsWay = MSG{window, msg, wParam, lParam, 0, {0, 0}};
    // The control of the window, or of the nearest parent window that has one.
    TWinControl* control = nullptr;
    for (HWND w = window; w && !control; w = GetParent(w))
        control = TWinControl::FindControl(w);
    if (!control)
        return false;
    // As for every message of a window: what a handler raises is shown, and the key is spent.
    try {
        return control->Perform(ahead, wParam, lParam) != 0;
    } catch (...) {
        Application->HandleException(control);
        return true;
    }
}
