#include "vcl/controls/tool_bar.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <commctrl.h>

namespace {
unsigned NextCommand() {
    static unsigned last = 0x4000;
    return ++last;
}
} // namespace

const TClassInfo& TToolButton::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TToolButton", &TGraphicControl::StaticClassInfo())
            .String("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
    return *info;
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner), FCommand(NextCommand()) {
    SetControlStyle({csSetCaption});
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar())
        bar->UpdateButtons();
}

void TToolButton::SetImageIndex(int value) {
    if (value == FImageIndex)
        return;
    FImageIndex = value;
    Changed();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

bool TToolButton::Down() const {
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated())
        return SendMessageW(bar->WindowHandle(), TB_ISBUTTONCHECKED, FCommand, 0) != 0;
    return FDown;
}

void TToolButton::SetDown(bool value) {
    FDown = value;
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated())
        SendMessageW(bar->WindowHandle(), TB_CHECKBUTTON, FCommand, value);
}

void TToolButton::TextChanged() {
    Changed();
}

void TToolButton::EnabledChanged() {
    Changed();
}

void TToolButton::VisibleChanged() {
    Changed();
}

const TClassInfo& TToolBar::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TToolBar", &TWinControl::StaticClassInfo());
    return *info;
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csAcceptsControls, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    FImageChangeLink = [this](TObject*) { UpdateButtons(); };
}

TToolBar::~TToolBar() {
    if (FImages)
        FImages->UnRegisterChanges(&FImageChangeLink);
}

void TToolBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = TOOLBARCLASSNAMEW;
    Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS |
                    (FFlat ? TBSTYLE_FLAT : 0);
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    UpdateButtons();
}

void TToolBar::UpdateButtons() {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying))
        return;
    HWND h = WindowHandle();
    while (SendMessageW(h, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(h, TB_DELETEBUTTON, 0, 0);
    SendMessageW(h, TB_SETIMAGELIST, 0, LPARAM(FImages ? FImages->Handle() : nullptr));
    SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    std::vector<std::wstring> captions;
    captions.reserve(FButtons.size());
    for (TToolButton* b : FButtons) {
        if (!b->Visible())
            continue;
        captions.push_back(ToWide(b->Caption()));
        TBBUTTON button{};
        bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
        button.iBitmap = separator ? 6 : b->ImageIndex();
        button.idCommand = int(b->Command());
        button.fsState = BYTE((b->Enabled() ? TBSTATE_ENABLED : 0) |
                              (b->Style() == tbsCheck && b->Down() ? TBSTATE_CHECKED : 0));
        button.fsStyle = BYTE(separator                ? BTNS_SEP
                              : b->Style() == tbsCheck ? BTNS_CHECK
                                                       : BTNS_BUTTON);
        button.iString = FShowCaptions ? INT_PTR(captions.back().c_str()) : -1;
        SendMessageW(h, TB_ADDBUTTONSW, 1, LPARAM(&button));
    }
    // ButtonWidth is the least width; a longer caption widens the buttons.
    if (FShowCaptions)
        SendMessageW(h, TB_SETBUTTONWIDTH, 0, MAKELPARAM(FButtonWidth, 0));
    if (FAutoSize) {
        SendMessageW(h, TB_AUTOSIZE, 0, 0);
        SIZE size{};
        SendMessageW(h, TB_GETMAXSIZE, 0, LPARAM(&size));
        if (size.cy > 0)
            SetHeight(int(size.cy));
    }
}

void TToolBar::InsertControl(TControl* control) {
    TWinControl::InsertControl(control);
    if (auto* button = dynamic_cast<TToolButton*>(control)) {
        FButtons.push_back(button);
        UpdateButtons();
    }
}

void TToolBar::RemoveControl(TControl* control) {
    auto it = std::find(FButtons.begin(), FButtons.end(), control);
    if (it != FButtons.end()) {
        FButtons.erase(it);
        UpdateButtons();
    }
    TWinControl::RemoveControl(control);
}

bool TToolBar::ClickButton(unsigned command) {
    for (TToolButton* b : FButtons)
        if (b->Command() == command && b->Enabled()) {
            b->Click();
            return true;
        }
    return false;
}

void TToolBar::WndProc(TMessage& Message) {
    // A flat bar is transparent and hands its erasing to the parent, but the layer's windows
    // erase only while they paint; so the bar fills itself with its colour.
    if (Message.Msg == WM_ERASEBKGND) {
        EraseBackground(HDC(Message.WParam));
        Message.Result = 1;
        return;
    }
    TWinControl::WndProc(Message);
}

void TToolBar::CNCommand(TMessage& Message) {
    ClickButton(LOWORD(Message.WParam));
}

void TToolBar::SetImages(TImageList* value) {
    if (value == FImages)
        return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = value;
    if (value) {
        value->RegisterChanges(&FImageChangeLink);
        value->FreeNotification(this);
    }
    UpdateButtons();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages = nullptr;
        UpdateButtons();
    }
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == FShowCaptions)
        return;
    FShowCaptions = value;
    UpdateButtons();
}

void TToolBar::SetButtonSize(int width, int height) {
    FButtonWidth = width;
    FButtonHeight = height;
    UpdateButtons();
}

void TToolBar::SetFlat(bool value) {
    if (value == FFlat)
        return;
    FFlat = value;
    RecreateWnd();
}

void TToolBar::SetAutoSize(bool value) {
    FAutoSize = value;
    UpdateButtons();
}
