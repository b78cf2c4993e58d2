#pragma once
#include "qvr/read_progress.h"
#include "vcl/controls/up_down.h"
#include "viewer/debug_info_form.h"
#include "viewer/deferred_work.h"
#include "viewer/time_line_positions.h"

#include <chrono>
#include <string>

class TButton;
class TEdit;
class TImageList;
class TLabel;
class TOpenDialog;
class TPanel;
class TQZProgressCyl;
class TToolBar;
class TToolButton;
class TTrackBar;

// The main window: a thin bar across the top of the screen with the open and clear-all
// commands, the time line over all snapshots (the track bar's position is the current snapshot,
// its selection the interval), the current snapshot's time, the interval buttons, the window
// bar and the progress shown while a file is read. It drives the other windows by calling their
// published methods by name.
class TfmTimeLineForm : public TfmDebugInfo, public TReadProgress {
public:
    explicit TfmTimeLineForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Remembers the current snapshot and the interval by key, reads the file and broadcasts
    // "FillControls", also when the reading failed. While other work of the window runs (a
    // file being read) the open waits for it.
    void OpenFile(const std::string& FileName) override;
    void Clear() override;
    // Sets the time line's range to the snapshots and puts the interval and the position back on
    // the remembered snapshots (the position on the last snapshot without one).
    void FillControls() override;
    void UpdateCurrentDebugInfoIndex() override;
    void UpdateDebugInfoInterval() override {}
    // The main window's own set-up; it has no button on the window bar.
    void FormCreate(TObject* Sender) override;

    void CallDebugInfoFormsMethod(const std::string& MethodName);
    // SelType is a TSelectionCommand; the new interval is broadcast in every case.
    void SetStartEndPosition(int SelType);
    // Drops every snapshot and clears the windows.
    void ClearAll();

    // The reader's progress: the cylinder is shown under the window bar while a file is read,
    // and pending messages are handled so that the window keeps painting.
    void StartProgress() override;
    void Progress(int Percent) override;
    void EndProgres() override;
    bool Reading() const { return FReading; }
    // Work that waits for the reading (or other work of the window) to end.
    int WaitingWork() const { return FWork.Waiting(); }

    void ToolButton1Click(TObject* Sender);
    void ToolButton3Click(TObject* Sender);
    void tbTimeChange(TObject* Sender);
    void seTimeChangingEx(TObject* Sender, bool& AllowChange, short NewValue,
                          TUpDownDirection Direction);
    void btnSetStartPosClick(TObject* Sender);
    void btnSetEndPosClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);

    TToolBar* MenuToolBar = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TToolButton* ToolButton2 = nullptr;
    TToolButton* ToolButton3 = nullptr;
    TPanel* pnlTimeLineGround = nullptr;
    TTrackBar* tbTime = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* edCurrentTime = nullptr;
    TUpDown* seTime = nullptr;
    TButton* btnSetStartPos = nullptr;
    TButton* btnSetEndPos = nullptr;
    TButton* Button1 = nullptr;
    TPanel* pnlViewFormsGround = nullptr;
    TToolBar* tbForms = nullptr;
    TQZProgressCyl* ProgressBar = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TImageList* ImageList1 = nullptr;

    bool FlagFillControls = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void BeforeDestruction() override;

private:
    void BuildMenuToolBar();
    void BuildTimeLine();
    void LayOutTimeLineRow();
    void BuildWindowBar();
    void BuildProgressBar();

    // chosen: the operator picked the file, so a missing one is reported.
    void ReadAndFill(const std::string& FileName, bool chosen = false);
    TTimeLinePlace CurrentPlace() const;
    void ShowPlace(const TTimeLinePlace& place);
    // The time line waits while a file is read. Otherwise it moves at once, and an open or a
    // clear that arrives while the windows follow it (a message box of theirs runs the message
    // loop) waits for them.
    void UnlessReading(std::function<void()> work);
    // A thin bar across the top of the work area.
    void PlaceAcrossTheWorkArea();
    // Gives the window the client height down to that control and fixes its height there.
    void FixClientHeightAt(const TControl* lowest);

    TTimeLineKeys FKeys;
    TDeferredWork FWork;
    bool FReading = false;
    std::chrono::steady_clock::time_point FLastMessages;
};

extern TfmTimeLineForm* fmTimeLineForm;
