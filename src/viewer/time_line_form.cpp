#include "viewer/time_line_form.h"

#include "qvr/debug_reader.h"
#include "rtl/date_time.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/format.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "tools/form_storage.h"
#include "tools/progress_cyl.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"
#include "vcl/dialogs/dialogs.h"
#include "viewer/method_broadcast.h"

TfmTimeLineForm* fmTimeLineForm = nullptr;

namespace {
// While a file is read, messages are let through at the first line and then this often: the
// window answers well within the tenth of a second a user notices, and the reading is not
// slowed down by a repaint after every line.
constexpr std::chrono::milliseconds MessagesInterval(70);

// The reader shows its progress on the main window while it reads, and only then. The slider
// is disabled meanwhile: the snapshots under its positions change while they are read, and the
// place is restored by key after the read, so a drag now could not be kept.
class TReadingScope {
public:
    TReadingScope(bool& reading, TReadProgress* progress, TControl* slider)
        : FFlag(reading), FSlider(slider), FSliderEnabled(slider->Enabled()) {
        DebugReader->SetProgress(progress);
        FSlider->SetEnabled(false);
    }
    ~TReadingScope() {
        DebugReader->SetProgress(nullptr);
        FSlider->SetEnabled(FSliderEnabled);
    }
    TReadingScope(const TReadingScope&) = delete;
    TReadingScope& operator=(const TReadingScope&) = delete;

private:
    TFlagScope FFlag;
    TControl* FSlider;
    bool FSliderEnabled;
};
} // namespace

const TClassInfo& TfmTimeLineForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmTimeLineForm", &TfmDebugInfo::StaticClassInfo());
    return *info;
}

void TfmTimeLineForm::FormCreate(TObject* Sender) {
    // The main window is always a bar across the top of the screen; nothing to keep.
    ZWFormStorage1->SetActive(false);
    LayOutTimeLineRow();
    FixClientHeightAt(pnlViewFormsGround);
    FlagFillControls = false;
    PlaceAcrossTheWorkArea();
    Clear();
}

void TfmTimeLineForm::PlaceAcrossTheWorkArea() {
    // Not maximised: a window manager makes a maximised window fill the screen, whatever
    // height the window asks for, and the bar would cover every other window.
    SetWindowState(wsNormal);
    SetPosition(poDesigned);
    const TRect area = Screen->WorkAreaRect();
    SetBounds(area.Left, area.Top, area.Width(), Height());
}

void TfmTimeLineForm::BeforeDestruction() {
    if (fmTimeLineForm == this)
        fmTimeLineForm = nullptr;
    TfmDebugInfo::BeforeDestruction();
}

void TfmTimeLineForm::CreateParams(TCreateParams& Params) {
    TfmDebugInfo::CreateParams(Params);
    // The bar grows and shrinks at its bottom while files are read; what stays keeps its
    // pixels instead of the whole window being painted again.
    Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TfmTimeLineForm::FixClientHeightAt(const TControl* lowest) {
    // The pinned height is the new one: the constraints size the window in one step.
    const int height = Height() - ClientHeight() + lowest->Top() + lowest->Height();
    TSizeConstraints constraints = Constraints();
    constraints.MinHeight = constraints.MaxHeight = height;
    SetConstraints(constraints);
}

void TfmTimeLineForm::CallDebugInfoFormsMethod(const std::string& MethodName) {
    BroadcastToDebugInfoForms(MethodName);
}

void TfmTimeLineForm::OpenFile(const std::string& FileName) {
    FWork.Run([this, FileName] { ReadAndFill(FileName); });
}

void TfmTimeLineForm::ReadAndFill(const std::string& FileName, bool chosen) {
    FKeys = RememberTimeLineKeys(DebugReader->DebugInfoList, CurrentPlace());
    try {
        // The reader passes over a missing file in silence; a file the operator chose must be
        // there, or the operator would be left wondering why nothing was read.
        if (chosen && !FileExists(FileName))
            throw EInOutError(Format("Cannot open file \"%s\". %s",
                                     {FileName, SysErrorMessage(ERROR_FILE_NOT_FOUND)}),
                              ERROR_FILE_NOT_FOUND);
        TReadingScope reading(FReading, this, tbTime);
        DebugReader->ReadFile(FileName);
    } catch (...) {
        Application->HandleException(this);
    }
    // The windows show whatever was read, also after a failure.
    CallDebugInfoFormsMethod("FillControls");
}

void TfmTimeLineForm::ClearAll() {
    FWork.Run([this] {
        DebugReader->Clear();
        CallDebugInfoFormsMethod("Clear");
    });
}

void TfmTimeLineForm::Clear() {
    FKeys = TTimeLineKeys();
    SetStartEndPosition(scClear);
    TfmDebugInfo::Clear();
}

TTimeLinePlace TfmTimeLineForm::CurrentPlace() const {
    return {tbTime->Position(), tbTime->SelStart(), tbTime->SelEnd()};
}

void TfmTimeLineForm::ShowPlace(const TTimeLinePlace& place) {
    tbTime->SetSelStart(place.SelStart);
    tbTime->SetSelEnd(place.SelEnd);
    tbTime->SetPosition(place.Position);
}

void TfmTimeLineForm::FillControls() {
    if (DebugReader->Count() == 0)
        SetStartEndPosition(scClear);
    // A position clamped by the new range fires the track bar's change, which updates the
    // windows; so does the restored position when it differs.
    tbTime->SetMax(TimeLineMax(DebugReader->Count()));
    tbTime->SetFrequency(TickFrequency(tbTime->Max(), tbTime->ValueToPixel(tbTime->Max()) -
                                                          tbTime->ValueToPixel(0)));
    seTime->SetMax(tbTime->Max());
    seTime->Invalidate();
    const TTimeLineKeys keys = FKeys;
    FKeys = TTimeLineKeys();
    ShowPlace(RestoreTimeLinePlace(DebugReader->DebugInfoList, keys, CurrentPlace()));
    // The index may be the same while the snapshot under it is new.
    UpdateCurrentDebugInfoIndex();
}

void TfmTimeLineForm::UpdateCurrentDebugInfoIndex() {
    TFlagScope filling(FlagFillControls);
    seTime->SetPosition(tbTime->Position());
    const TDebugInfo* di = DebugReader->GetDebugInfo(tbTime->Position());
    edCurrentTime->SetText(di ? FormatDateTime("dd.mm.yyyy hh:nn:ss", di->Time) : "");
}

void TfmTimeLineForm::SetStartEndPosition(int SelType) {
    ShowPlace(
        ApplySelectionCommand(TSelectionCommand(SelType), CurrentPlace(), DebugReader->Count()));
    CallDebugInfoFormsMethod("UpdateDebugInfoInterval");
}

void TfmTimeLineForm::UnlessReading(std::function<void()> work) {
    if (FReading)
        FWork.Run(std::move(work));
    else
        FWork.RunNow(std::move(work));
}

void TfmTimeLineForm::ToolButton1Click(TObject* Sender) {
    FWork.Run([this] {
        if (OpenDialog1->Execute())
            ReadAndFill(OpenDialog1->FileName, true);
    });
}

void TfmTimeLineForm::ToolButton3Click(TObject* Sender) {
    ClearAll();
}

void TfmTimeLineForm::tbTimeChange(TObject* Sender) {
    UnlessReading([this] { CallDebugInfoFormsMethod("UpdateCurrentDebugInfoIndex"); });
}

void TfmTimeLineForm::seTimeChangingEx(TObject* Sender, bool& AllowChange, short NewValue,
                                       TUpDownDirection Direction) {
    if (FlagFillControls)
        return;
    // The up-down's own value only ever follows the track bar.
    AllowChange = false;
    const int step = Direction == updUp ? 1 : Direction == updDown ? -1 : 0;
    UnlessReading([this, step] { tbTime->SetPosition(tbTime->Position() + step); });
}

void TfmTimeLineForm::btnSetStartPosClick(TObject* Sender) {
    UnlessReading([this] { SetStartEndPosition(scSetStart); });
}

void TfmTimeLineForm::btnSetEndPosClick(TObject* Sender) {
    UnlessReading([this] { SetStartEndPosition(scSetEnd); });
}

void TfmTimeLineForm::Button1Click(TObject* Sender) {
    UnlessReading([this] { SetStartEndPosition(scAllArea); });
}

void TfmTimeLineForm::FormCloseQuery(TObject* Sender, bool& CanClose) {
    if (!FWork.Busy())
        return;
    // Closing would free the windows and the snapshots under the work; the close is asked
    // again once the work has ended.
    CanClose = false;
    FWork.Run([this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); });
}

void TfmTimeLineForm::StartProgress() {
    ProgressBar->SetPosition(0);
    ProgressBar->SetTop(pnlViewFormsGround->Top() + pnlViewFormsGround->Height());
    ProgressBar->Show();
    FixClientHeightAt(ProgressBar);
    FLastMessages = std::chrono::steady_clock::time_point();
}

void TfmTimeLineForm::Progress(int Percent) {
    // The cylinder is painted only while messages are handled, so it moves only then too.
    const auto now = std::chrono::steady_clock::now();
    if (now - FLastMessages < MessagesInterval)
        return;
    FLastMessages = now;
    ProgressBar->SetPosition(Percent);
    Application->ProcessMessages();
}

void TfmTimeLineForm::EndProgres() {
    ProgressBar->Hide();
    FixClientHeightAt(pnlViewFormsGround);
}
