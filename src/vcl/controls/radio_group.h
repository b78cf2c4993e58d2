#pragma once
#include "vcl/controls/group_box.h"
#include "vcl/controls/radio_button.h"

#include "rtl/string_list.h"

#include <memory>
#include <vector>

class TRadioGroup;

// One button of a radio group: its clicks and arrow keys go to the group.
class TGroupButton : public TRadioButton {
public:
    TGroupButton(TRadioGroup* group, int index);
    int Index() const { return FIndex; }
    void WndProc(TMessage& Message) override;

protected:
    void Toggle() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;

private:
    TRadioGroup* FGroup;
    int FIndex;
};

// A group box with one radio button per line of Items, laid out in Columns (top to bottom, then
// the next column). ItemIndex is the checked one; a user's choice fires OnClick, a choice made in
// code fires nothing. The arrow keys move the choice within the group, round at the ends.
class TRadioGroup : public TCustomGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings* value) { FItems->Assign(*value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ButtonCount() const { return int(FButtons.size()); }
    TRadioButton* Buttons(int index) const { return FButtons.at(size_t(index)); }

protected:
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    friend class TGroupButton;
    void ItemsChanged();
    void ArrangeButtons();
    void ButtonChosen(int index);
    void MoveChoice(int from, int step);

    std::unique_ptr<TStringList> FItems;
    std::vector<TGroupButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
};
