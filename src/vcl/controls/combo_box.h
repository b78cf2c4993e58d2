#pragma once
#include "vcl/core/win_control.h"

#include "rtl/string_list.h"

#include <memory>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box over the Win32 combo box class. OnSelect and OnChange fire when the user picks an
// item, OnChange also when the user types into the edit part; changes made by the program
// (ItemIndex, Text, Items) fire nothing, so code that fills a combo runs no handlers.
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings* value) { FItems->Assign(*value); }
    int ItemIndex() const;
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    // How many items the dropped-down list shows without scrolling.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    void Clear();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& Message) override;
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    std::string GetText() const override;
    void SetTextValue(const std::string& value) override;
    void TextChanged() override {}
    virtual void Change() { Fire(OnChange, this); }
    virtual void Select() { Fire(OnSelect, this); }

private:
    friend struct TComboEditPart;
    void ItemsChanged();
    void FillWindow();
    void ApplyDroppedHeight();
    int DroppedHeight() const;
    int ItemHeight() const;

    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
