#include "viewer/debug_info_form.h"

#include <algorithm>

#include "rtl/published.h"
#include "tools/form_storage.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"
#include "viewer/time_line_form.h"

const TClassInfo& TfmDebugInfo::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TfmDebugInfo", &TForm::StaticClassInfo())
            .Method("FormCreate", &TfmDebugInfo::FormCreate)
            .Method("Clear", &TfmDebugInfo::Clear)
            .Method("FillControls", &TfmDebugInfo::FillControls)
            .Method("UpdateCurrentDebugInfoIndex", &TfmDebugInfo::UpdateCurrentDebugInfoIndex)
            .Method("UpdateDebugInfoInterval", &TfmDebugInfo::UpdateDebugInfoInterval)
            .Integer("CurrentDebugInfoIndex", &TfmDebugInfo::GetCurrentDebugInfoIndex)
            .Integer("StartDebugInfoIndex", &TfmDebugInfo::GetStartDebugInfoIndex)
            .Integer("EndDebugInfoIndex", &TfmDebugInfo::GetEndDebugInfoIndex);
    return *info;
}

TfmDebugInfo::TfmDebugInfo(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Прародитель всех форм");
    SetBounds(0, 0, 551, 233);
    SetPosition(poScreenCenter);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-13);
    ZWFormStorage1 = new TZWFormStorage(this);
    ZWFormStorage1->SetName("ZWFormStorage1");
    ZWFormStorage1->SetUseRegistry(false);
    ZWFormStorage1->SetStoredPlacement(true);
    ZWFormStorage1->SetActive(true);
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TfmDebugInfo::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_ACCEPTFILES;
}

void TfmDebugInfo::OpenFile(const std::string& FileName) {
    if (fmTimeLineForm)
        fmTimeLineForm->OpenFile(FileName);
}

void TfmDebugInfo::Clear() {
    FillControls();
}

void TfmDebugInfo::FillControls() {
    UpdateCurrentDebugInfoIndex();
    UpdateDebugInfoInterval();
}

void TfmDebugInfo::FormCreate(TObject* Sender) {
    if (!fmTimeLineForm || FWindowBarButton)
        return;
    TToolBar* bar = fmTimeLineForm->tbForms;
    auto* button = new TToolButton(bar);
    button->SetTag(intptr_t(this));
    button->SetCaption(Caption());
    button->OnClick = ::Bind(this, &TfmDebugInfo::ToolBarButtonClickHandler);
    button->SetParent(bar);
    // The button lives on the main window; each side forgets the other when it goes first.
    FWindowBarButton = button;
    button->FreeNotification(this);
    PlaceInCascade(bar->ButtonCount() - 1);
}

void TfmDebugInfo::PlaceInCascade(int index) {
    // Every window would first open where the one before it is, hiding it: they open in a
    // cascade below the main bar, one step further down and right each, so every title bar
    // shows. A stored placement still wins when shown.
    constexpr int Step = 32;
    const TRect work = Screen->WorkAreaRect();
    int top = work.Top;
    if (TCustomForm* bar = Application->MainForm(); bar && bar != this)
        top = std::max(top, bar->Top() + bar->Height());
    const int left =
        std::max(work.Left, std::min(work.Left + 8 + index * Step, work.Right - Width()));
    top = std::max(work.Top, std::min(top + index * Step, work.Bottom - Height()));
    SetPosition(poDesigned);
    SetBounds(left, top, Width(), Height());
}

void TfmDebugInfo::ToolBarButtonClickHandler(TObject* Sender) {
    auto* window = reinterpret_cast<TfmDebugInfo*>(static_cast<TComponent*>(Sender)->Tag());
    if (!window->Visible()) {
        window->FillControls();
        // Shown once, at its stored place: restored before, it would appear where it was and
        // then move.
        window->Show();
    } else {
        ShowWindow(window->Handle(), SW_RESTORE);
    }
    // Shown means in front: a window covered by others is no use to the operator.
    window->BringToFront();
    SetForegroundWindow(window->Handle());
}

void TfmDebugInfo::DoShow() {
    TForm::DoShow(); // the placement storage restores the stored place and state here
    if (WindowState() == wsMinimized)
        SetWindowState(wsNormal);
}

void TfmDebugInfo::DropFiles(const std::vector<std::string>& FileNames) {
    for (const std::string& name : FileNames) {
        try {
            OpenFile(name);
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

void TfmDebugInfo::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWindowBarButton)
        FWindowBarButton = nullptr;
}

void TfmDebugInfo::BeforeDestruction() {
    if (TToolButton* button = FWindowBarButton) {
        FWindowBarButton = nullptr;
        button->Free();
    }
    TForm::BeforeDestruction();
}

namespace {
template <class Read> int FromTimeLine(Read read) {
    return fmTimeLineForm ? read(*fmTimeLineForm->tbTime) : -1;
}
} // namespace

int TfmDebugInfo::GetCurrentDebugInfoIndex() const {
    return FromTimeLine([](const TTrackBar& tb) { return tb.Position(); });
}

int TfmDebugInfo::GetStartDebugInfoIndex() const {
    return FromTimeLine([](const TTrackBar& tb) { return tb.SelStart(); });
}

int TfmDebugInfo::GetEndDebugInfoIndex() const {
    return FromTimeLine([](const TTrackBar& tb) { return tb.SelEnd(); });
}
