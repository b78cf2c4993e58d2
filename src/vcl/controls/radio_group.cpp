#include "vcl/controls/radio_group.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

#include <algorithm>

TGroupButton::TGroupButton(TRadioGroup* group, int index)
    : TRadioButton(group), FGroup(group), FIndex(index) {
    SetParent(group);
}

void TGroupButton::WndProc(TMessage& Message) {
    TRadioButton::WndProc(Message);
    // The arrows are the group's: a dialog leaves them to the button.
    if (Message.Msg == WM_GETDLGCODE)
        Message.Result |= DLGC_WANTARROWS;
}

void TGroupButton::Toggle() {
    if (!Checked())
        FGroup->ButtonChosen(FIndex);
}

void TGroupButton::KeyDown(uint16_t& Key, TShiftState Shift) {
    TRadioButton::KeyDown(Key, Shift);
    switch (Key) {
    case VK_UP:
    case VK_LEFT:
        FGroup->MoveChoice(FIndex, -1);
        Key = 0;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        FGroup->MoveChoice(FIndex, 1);
        Key = 0;
        break;
    default:
        break;
    }
}

const TClassInfo& TRadioGroup::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TRadioGroup", &TCustomControl::StaticClassInfo())
            .String("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption)
            .Strings("Items", &TRadioGroup::Items)
            .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
            .Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
    return *info;
}

TRadioGroup::TRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() {
    FItems->OnChange = nullptr;
}

void TRadioGroup::ItemsChanged() {
    if (ComponentState().Contains(csDestroying))
        return;
    while (ButtonCount() > FItems->Count()) {
        TGroupButton* last = FButtons.back();
        FButtons.pop_back();
        last->Free();
    }
    while (ButtonCount() < FItems->Count())
        FButtons.push_back(new TGroupButton(this, ButtonCount()));
    for (int i = 0; i < ButtonCount(); ++i) {
        FButtons[size_t(i)]->SetCaption(FItems->Get(i));
        FButtons[size_t(i)]->SetEnabled(Enabled());
    }
    if (FItemIndex >= ButtonCount())
        FItemIndex = -1;
    SetItemIndex(FItemIndex);
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int value) {
    if (value < -1 || value >= ButtonCount())
        value = -1;
    FItemIndex = value;
    for (int i = 0; i < ButtonCount(); ++i) {
        FButtons[size_t(i)]->SetChecked(i == value);
        // Tab reaches the group at its checked button, or at the first when none is.
        FButtons[size_t(i)]->SetTabStop(i == std::max(value, 0));
    }
}

void TRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == FColumns)
        return;
    FColumns = value;
    ArrangeButtons();
}

void TRadioGroup::ButtonChosen(int index) {
    if (index == FItemIndex)
        return;
    SetItemIndex(index);
    Click();
}

void TRadioGroup::MoveChoice(int from, int step) {
    int count = ButtonCount();
    for (int i = 1; i < count; ++i) {
        TGroupButton* next = FButtons[size_t(((from + step * i) % count + count) % count)];
        if (!next->Enabled() || !next->Visible())
            continue;
        if (next->CanFocus())
            next->SetFocus();
        ButtonChosen(next->Index());
        return;
    }
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty())
        return;
    TRect area = ClientRect();
    AdjustClientRect(area);
    int rows = (ButtonCount() + FColumns - 1) / FColumns;
    int width = area.Width() / FColumns;
    int height = std::max(area.Height() / rows, 1);
    for (int i = 0; i < ButtonCount(); ++i) {
        int col = i / rows, row = i % rows;
        FButtons[size_t(i)]->SetBounds(area.Left + 6 + col * width, area.Top + row * height,
                                       std::max(width - 8, 0), height);
    }
}

void TRadioGroup::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TCustomGroupBox::BoundsChanged(OldBounds, Resized);
    if (Resized)
        ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::EnabledChanged() {
    TCustomGroupBox::EnabledChanged();
    for (TGroupButton* button : FButtons)
        button->SetEnabled(Enabled());
}
