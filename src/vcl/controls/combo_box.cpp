#include "vcl/controls/combo_box.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"

#include <commctrl.h>

#include <algorithm>

// Keys typed into the edit part, and the focus it takes, belong to the combo box: a user sees
// one control, and its OnKeyDown, OnKeyUp, OnEnter and OnExit follow what happens in the edit.
struct TComboEditPart {
    static LRESULT CALLBACK Proc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        auto* combo = reinterpret_cast<TCustomComboBox*>(data);
        try {
            switch (msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_KEYUP:
            case WM_SYSKEYUP:
                if (!Key(combo, msg, wParam))
                    return 0;
                break;
            case WM_SETFOCUS:
                if (TCustomForm* form = GetParentForm(combo))
                    form->FocusControlChanged(combo);
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(edit, Proc, 1);
                break;
            default:
                break;
            }
        } catch (...) {
            Application->HandleException(combo);
        }
        return DefSubclassProc(edit, msg, wParam, lParam);
    }

    // False when a handler took the key.
    static bool Key(TCustomComboBox* combo, UINT msg, WPARAM wParam) {
        uint16_t key = uint16_t(wParam);
        TShiftState shift = KeyboardShiftState();
        if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
            combo->KeyDown(key, shift);
        else
            combo->KeyUp(key, shift);
        return key != 0;
    }

    static void Hook(TCustomComboBox* combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(combo->WindowHandle(), &info) && info.hwndItem &&
            info.hwndItem != combo->WindowHandle())
            SetWindowSubclass(info.hwndItem, Proc, 1, DWORD_PTR(combo));
    }
};

const TClassInfo& TComboBox::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TComboBox", &TWinControl::StaticClassInfo())
            .Strings("Items", &TComboBox::Items)
            .String("Text", &TComboBox::Text, &TComboBox::SetText)
            .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
            .Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    return *info;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()) {
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
    FItems->OnChange = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = L"COMBOBOX";
    static const unsigned styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | styles[FStyle];
    // The window's height is that of the box with its list dropped down.
    Params.Height = DroppedHeight();
}

void TCustomComboBox::CreateWnd() {
    std::string text = TControl::GetText();
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), CB_LIMITTEXT, FMaxLength, 0);
    FillWindow();
    SendMessageW(WindowHandle(), CB_SETCURSEL, FItemIndex, 0);
    if (FStyle != csDropDownList && FItemIndex < 0)
        SetWindowTextW(WindowHandle(), ToWide(text).c_str());
    if (FStyle != csDropDownList)
        TComboEditPart::Hook(this);
    UpdateBoundsFromWindow();
}

void TCustomComboBox::DestroyWnd() {
    FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::FillWindow() {
    HWND h = WindowHandle();
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < FItems->Count(); ++i)
        SendMessageW(h, CB_ADDSTRING, 0, LPARAM(ToWide(FItems->Get(i)).c_str()));
}

void TCustomComboBox::ItemsChanged() {
    // The selection follows its item's text; an edit part keeps what stands in it.
    std::string selected = ItemIndex() >= 0 ? Text() : std::string();
    std::string text = Text();
    int index = -1;
    for (int i = 0; i < FItems->Count() && index < 0 && !selected.empty(); ++i)
        if (FItems->Get(i) == selected)
            index = i;
    FItemIndex = index;
    if (!HandleAllocated())
        return;
    FillWindow();
    SendMessageW(WindowHandle(), CB_SETCURSEL, index, 0);
    if (FStyle != csDropDownList && index < 0)
        SetWindowTextW(WindowHandle(), ToWide(text).c_str());
}

int TCustomComboBox::ItemIndex() const {
    if (!HandleAllocated())
        return FItemIndex;
    return int(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
    if (value < -1 || value >= FItems->Count())
        value = -1;
    FItemIndex = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), CB_SETCURSEL, value, 0);
    else if (FStyle != csDropDownList)
        TControl::SetTextValue(value >= 0 ? FItems->Get(value) : std::string());
}

std::string TCustomComboBox::GetText() const {
    if (!HandleAllocated() && FStyle == csDropDownList)
        return FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
    return TWinControl::GetText();
}

void TCustomComboBox::SetTextValue(const std::string& value) {
    // A list without an edit part can only show one of its items; an exact item is selected.
    int index = FItems->IndexOf(value);
    if (index >= 0 && FItems->Get(index) != value)
        index = -1;
    if (FStyle == csDropDownList) {
        SetItemIndex(index);
        return;
    }
    TWinControl::SetTextValue(value);
    FItemIndex = index;
    if (HandleAllocated() && index >= 0)
        SendMessageW(WindowHandle(), CB_SETCURSEL, index, 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
    if (value == FDropDownCount || value < 1)
        return;
    FDropDownCount = value;
    ApplyDroppedHeight();
}

void TCustomComboBox::SetMaxLength(int value) {
    if (value == FMaxLength)
        return;
    FMaxLength = std::max(value, 0);
    if (HandleAllocated())
        SendMessageW(WindowHandle(), CB_LIMITTEXT, FMaxLength, 0);
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0);
}

void TCustomComboBox::SetDroppedDown(bool value) {
    SendMessageW(Handle(), CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetText("");
}

int TCustomComboBox::ItemHeight() const {
    if (HandleAllocated())
        return std::max(1, int(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0)));
    return 16;
}

int TCustomComboBox::DroppedHeight() const {
    // A simple combo box shows its list always, inside its own height.
    if (FStyle == csSimple)
        return Height();
    return Height() + FDropDownCount * ItemHeight() + 2;
}

void TCustomComboBox::ApplyDroppedHeight() {
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), nullptr, 0, 0, Width(), DroppedHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TWinControl::BoundsChanged(OldBounds, Resized);
    ApplyDroppedHeight();
}

void TCustomComboBox::CNCommand(TMessage& Message) {
    switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE: {
        // The list reports also a key that found no other item; only a new pick counts. The edit
        // part shows the picked item only after this notice; the handlers see it now.
        int index = ItemIndex();
        if (index == FItemIndex)
            break;
        FItemIndex = index;
        if (FStyle != csDropDownList && index >= 0)
            SetWindowTextW(WindowHandle(), ToWide(FItems->Get(index)).c_str());
        Select();
        Change();
        break;
    }
    case CBN_EDITCHANGE:
        FItemIndex = -1;
        Change();
        break;
    case CBN_DROPDOWN:
        Fire(OnDropDown, this);
        break;
    case CBN_CLOSEUP:
        Fire(OnCloseUp, this);
        break;
    default:
        break;
    }
}
