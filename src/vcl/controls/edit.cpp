#include "vcl/controls/edit.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    // Text boxes are white with a sunken border whatever their parent's colour.
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
}

namespace {
unsigned CharCaseStyle(TEditCharCase charCase) {
    switch (charCase) {
    case ecUpperCase:
        return ES_UPPERCASE;
    case ecLowerCase:
        return ES_LOWERCASE;
    default:
        return 0;
    }
}
} // namespace

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = L"EDIT";
    Params.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0) | CharCaseStyle(FCharCase);
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), EM_SETLIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == FCharCase)
        return;
    FCharCase = value;
    if (!HandleAllocated())
        return;
    // The style applies to text the window takes from now on.
    LONG_PTR style = GetWindowLongPtrW(WindowHandle(), GWL_STYLE);
    style = (style & ~LONG_PTR(ES_UPPERCASE | ES_LOWERCASE)) | CharCaseStyle(value);
    SetWindowLongPtrW(WindowHandle(), GWL_STYLE, style);
}

void TCustomEdit::SetReadOnly(bool value) {
    if (value == FReadOnly)
        return;
    FReadOnly = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    if (value == FMaxLength)
        return;
    FMaxLength = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETLIMITTEXT, value, 0);
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::CNCommand(TMessage& Message) {
    if (HIWORD(Message.WParam) != EN_CHANGE)
        return;
    FChangeSeen = true;
    Change();
}

void TCustomEdit::TextChanged() {
    // With a window, its WM_SETTEXT has reported the change already.
    if (!HandleAllocated() && !ComponentState().Contains(csLoading))
        Change();
    TWinControl::TextChanged();
}

void TCustomEdit::DialogCodeMessage(TMessage& Message) {
    // The layer does a dialog's work: the edit class is not told of the key, or it would act as
    // in a dialog of its own (a multi-line edit closes its parent on Escape then).
    const auto* key = reinterpret_cast<const MSG*>(Message.LParam);
    Message.LParam = 0;
    DefaultHandler(Message);
    // A memo wants every key but Tab, which moves on.
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB)
        Message.Result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    Message.LParam = intptr_t(key);
}

void TCustomEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE)
        return DialogCodeMessage(Message);
    if (Message.Msg != WM_SETTEXT)
        return TWinControl::WndProc(Message);
    // The edit class does not always report a change of its whole text (multi-line edits
    // never do); each new text counts as one change.
    bool outer = !FSettingText;
    FSettingText = true;
    FChangeSeen = false;
    TWinControl::WndProc(Message);
    if (outer) {
        FSettingText = false;
        if (!FChangeSeen && !ComponentState().Contains(csLoading))
            Change();
    }
}

const TClassInfo& TEdit::StaticClassInfo() {
    static const TLasting<TClassInfo> info = TClassInfo("TEdit", &TWinControl::StaticClassInfo())
                                                 .String("Text", &TEdit::Text, &TEdit::SetText);
    return *info;
}

const TClassInfo& TMemo::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TMemo", &TWinControl::StaticClassInfo()).Strings("Lines", &TMemo::Lines);
    return *info;
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoLines>(this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~ES_AUTOHSCROLL;
    Params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!FWordWrap)
        Params.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        Params.Style |= WS_VSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap)
        Params.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    RecreateWnd();
}

void TMemo::TextChanged() {
    FLines->MarkStale();
    TCustomEdit::TextChanged();
}

void TMemo::Change() {
    FLines->MarkStale();
    TCustomEdit::Change();
}

const TStringList& TMemoLines::Lines() const {
    if (FStale) {
        FLines.SetText(FMemo->Text());
        FStale = false;
    }
    return FLines;
}

TStringList& TMemoLines::Edit() {
    Lines();
    return FLines;
}

void TMemoLines::Push() {
    if (UpdateCount() > 0)
        return;
    // Lines are joined without a line break after the last, as the window shows them.
    std::string text = FLines.Text();
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    FPushing = true;
    FMemo->SetText(text);
    FPushing = false;
    FStale = false;
}

void TMemoLines::SetUpdateState(bool updating) {
    if (!updating)
        Push();
}

int TMemoLines::Count() const {
    return Lines().Count();
}

std::string TMemoLines::Get(int index) const {
    return Lines().Get(index);
}

void TMemoLines::Put(int index, const std::string& s) {
    Edit().Put(index, s);
    Push();
}

void TMemoLines::Insert(int index, const std::string& s) {
    Edit().Insert(index, s);
    Push();
}

void TMemoLines::Delete(int index) {
    Edit().Delete(index);
    Push();
}

void TMemoLines::Clear() {
    FLines.Clear();
    FStale = false;
    Push();
}

std::string TMemoLines::Text() const {
    return Lines().Text();
}

void TMemoLines::SetText(const std::string& text) {
    FLines.SetText(text);
    FStale = false;
    Push();
}
