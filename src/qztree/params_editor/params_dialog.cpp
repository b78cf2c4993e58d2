#include "qztree/params_editor/params_dialog.h"

#include "rtl/string_list.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"

#include <algorithm>

namespace {

constexpr int Gap = 5;
constexpr int LineHeight = 25;
constexpr int ButtonsGap = 10;

TButton* MakeButton(TCustomForm* Owner, const std::string& Caption, TModalResult Result) {
    auto* button = new TButton(Owner);
    button->SetParent(Owner);
    button->SetCaption(Caption);
    button->SetBounds(0, 0, 50, 25);
    button->SetModalResult(Result);
    return button;
}

void CopyLook(TButton* Button, const TButton* Source) {
    if (!Source)
        return;
    Button->SetCaption(Source->Caption());
    Button->SetHint(Source->Hint());
    if (!Source->Hint().empty())
        Button->SetShowHint(true);
    Button->SetWidth(Source->Width());
}

} // namespace

TQZAskParamsValuesDlgEx::TQZAskParamsValuesDlgEx(TComponent* AOwner) : TCustomForm(AOwner) {
    BuildButtons();
}

void TQZAskParamsValuesDlgEx::BuildButtons() {
    FOk = MakeButton(this, "Ok", mrOk);
    FOk->SetDefault(true);
    FCancel = MakeButton(this, "Cancel", mrCancel);
}

void TQZAskParamsValuesDlgEx::Add(const std::string& Caption, const std::string& Value) {
    const int top = FEdits.empty() ? Gap : FEdits.back()->Top() + FEdits.back()->Height() + Gap;

    auto* label = new TLabel(this);
    label->SetParent(this);
    if (Caption.empty()) {
        label->SetAutoSize(false);
        label->SetBounds(0, top, 0, label->Height());
    } else {
        label->SetAutoSize(true);
        label->SetCaption(Caption + ": ");
        label->SetLeft(Gap);
    }
    label->SetTop(top + (LineHeight - label->Height()) / 2);

    auto* edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(label->Left() + label->Width() + Gap, top, 30, edit->Height());
    edit->SetText(Value);
    edit->SetTabOrder(int(FEdits.size()));
    FEdits.push_back(edit);
    FLabels.push_back(label);
    FOk->SetTabOrder(int(FEdits.size()));
    FCancel->SetTabOrder(int(FEdits.size()) + 1);

    const int buttonsTop = edit->Top() + edit->Height() + Gap;
    FOk->SetTop(buttonsTop);
    FCancel->SetTop(buttonsTop);
    SetClientHeight(buttonsTop + FOk->Height() + Gap);
    SetClientWidth(
        std::max({ClientWidth(), edit->Left() + edit->Width() + Gap, 2 * FCancel->Width() + 30}));
    ResizeControls();
}

void TQZAskParamsValuesDlgEx::Resize() {
    TCustomForm::Resize();
    ResizeControls();
}

void TQZAskParamsValuesDlgEx::ResizeControls() {
    if (!FOk || !FCancel)
        return;
    const int width = ClientWidth();
    for (TEdit* edit : FEdits)
        edit->SetWidth(std::max(width - 2 - edit->Left(), 0));
    FOk->SetLeft(std::max((width - 2 * FOk->Width() - ButtonsGap) / 2, 0));
    FCancel->SetLeft(FOk->Left() + FOk->Width() + ButtonsGap);
}

void TQZAskParamsValuesDlgEx::GetResult(TStrings& List) const {
    List.Clear();
    for (const TEdit* edit : FEdits)
        List.Add(edit->Text());
}

void TQZAskParamsValuesDlgEx::CorrectButtons(const TButton* OkLike, const TButton* CancelLike) {
    CopyLook(FOk, OkLike);
    CopyLook(FCancel, CancelLike);
    ResizeControls();
}
