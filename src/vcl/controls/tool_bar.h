#pragma once
#include "vcl/core/graphic_control.h"
#include "vcl/core/win_control.h"

#include <vector>

class TImageList;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// One button of a tool bar; the tool bar draws it and reports its clicks (OnClick).
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    bool Down() const;
    void SetDown(bool value);
    unsigned Command() const { return FCommand; }
    TToolBar* ToolBar() const;

protected:
    void TextChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;

private:
    void Changed();
    int FImageIndex = -1;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    unsigned FCommand;
};

// A bar of buttons over the Win32 tool bar; buttons join it by taking it as their parent, in
// the order they do so.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ButtonCount() const { return int(FButtons.size()); }
    TToolButton* Buttons(int index) const { return FButtons.at(size_t(index)); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    int ButtonWidth() const { return FButtonWidth; }
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonSize(int width, int height);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    // Rebuilds the window's buttons from the button objects.
    void UpdateButtons();
    // Runs the click of the button with this command (what the window reports).
    bool ClickButton(unsigned command);
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::vector<TToolButton*> FButtons;
    TImageList* FImages = nullptr;
    TNotifyEvent FImageChangeLink;
    bool FShowCaptions = false;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FFlat = true;
    bool FAutoSize = false;
};
