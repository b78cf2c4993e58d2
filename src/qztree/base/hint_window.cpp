#include "qztree/base/hint_window.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& TQZHintWindow::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TQZHintWindow", &THintWindow::StaticClassInfo());
    return *info;
}

TQZHintWindow::TQZHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), FFont(std::make_unique<TFont>()) {}

TQZHintWindow::~TQZHintWindow() = default;

unsigned TQZHintWindow::WrapFlags() const {
    return FWordWrap ? DT_WORDBREAK : 0;
}

// A hint has no parent: it reads right to left when the control that shows it does.
unsigned TQZHintWindow::ReadingOrderFlags() const {
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control || !control->HandleAllocated())
        return 0;
    LONG_PTR exStyle = GetWindowLongPtrW(control->WindowHandle(), GWL_EXSTYLE);
    return (exStyle & WS_EX_RTLREADING) != 0 ? DT_RTLREADING : 0;
}

TRect TQZHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
    Canvas()->Font()->Assign(FFont.get());
    TRect r = Rect(0, 0, MaxWidth, 0);
    if (AHint.empty())
        r = TRect{};
    else
        Canvas()->DrawText(AHint, r, DT_CALCRECT | DT_NOPREFIX | WrapFlags() | ReadingOrderFlags());
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void TQZHintWindow::Paint() {
    TRect r = ClientRect();
    Canvas()->Font()->Assign(FFont.get());
    r.Left += 2;
    r.Top += 2;
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->DrawText(Caption(), r, DT_NOPREFIX | WrapFlags());
}

void TQZHintWindow::FitToText() {
    if (FActivating)
        return;
    const TRect r = FramedRect(CalcHintRect(10000, Caption(), nullptr));
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

void TQZHintWindow::TextChanged() {
    FitToText();
    THintWindow::TextChanged();
}

void TQZHintWindow::SetWordWrap(bool value) {
    if (FWordWrap == value)
        return;
    FWordWrap = value;
    FitToText();
}
