// Construction of the main window: one builder per band, top to bottom.
#include "viewer/time_line_form.h"

#include "tools/progress_cyl.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/controls/track_bar.h"
#include "vcl/dialogs/dialogs.h"
#include "vcl/graphics/img_list.h"
#include "viewer/tool_bar_images.h"

namespace {
// Bands aligned to the top keep the order of their Top; each new one starts below the last.
int BottomOf(const TControl* control) {
    return control->Top() + control->Height();
}

template <class T> T* Make(TComponent* owner, TWinControl* parent, const std::string& name) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

TToolButton* MakeButton(TComponent* owner, TToolBar* bar, const std::string& name,
                        TToolButtonStyle style, int image) {
    auto* button = Make<TToolButton>(owner, bar, name);
    button->SetStyle(style);
    button->SetImageIndex(image);
    return button;
}
} // namespace

TfmTimeLineForm::TfmTimeLineForm(TComponent* AOwner) : TfmDebugInfo(AOwner) {
    SetName("fmTimeLineForm");
    SetCaption("QVRDebugViewer");
    SetBounds(0, 0, 808, 216);
    SetPosition(poDefault);
    SetWindowState(wsMaximized);
    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    AddTimeLineImages(*ImageList1);
    BuildMenuToolBar();
    BuildTimeLine();
    BuildWindowBar();
    BuildProgressBar();
    OnCloseQuery = ::Bind(this, &TfmTimeLineForm::FormCloseQuery);
}

void TfmTimeLineForm::BuildMenuToolBar() {
    MenuToolBar = Make<TToolBar>(this, this, "MenuToolBar");
    MenuToolBar->SetAlign(alTop);
    MenuToolBar->SetImages(ImageList1);
    ToolButton1 = MakeButton(this, MenuToolBar, "ToolButton1", tbsButton, ImageOpenFile);
    ToolButton1->OnClick = ::Bind(this, &TfmTimeLineForm::ToolButton1Click);
    ToolButton2 = MakeButton(this, MenuToolBar, "ToolButton2", tbsSeparator, -1);
    ToolButton3 = MakeButton(this, MenuToolBar, "ToolButton3", tbsButton, ImageClearAll);
    ToolButton3->OnClick = ::Bind(this, &TfmTimeLineForm::ToolButton3Click);
}

void TfmTimeLineForm::BuildTimeLine() {
    pnlTimeLineGround = Make<TPanel>(this, this, "pnlTimeLineGround");
    pnlTimeLineGround->SetBounds(0, BottomOf(MenuToolBar), Width(), 75);
    pnlTimeLineGround->SetAlign(alTop);

    tbTime = Make<TTrackBar>(this, pnlTimeLineGround, "tbTime");
    tbTime->SetBounds(0, 0, pnlTimeLineGround->Width(), 32);
    tbTime->SetAlign(alTop);
    tbTime->SetMax(0);
    tbTime->SetFrequency(1);
    tbTime->SetTickMarks(tmBottomRight);
    tbTime->SetTickStyle(tsAuto);
    tbTime->OnChange = ::Bind(this, &TfmTimeLineForm::tbTimeChange);

    Label1 = Make<TLabel>(this, pnlTimeLineGround, "Label1");
    Label1->SetCaption("Current time:");
    edCurrentTime = Make<TEdit>(this, pnlTimeLineGround, "edCurrentTime");
    edCurrentTime->SetReadOnly(true);
    seTime = Make<TUpDown>(this, pnlTimeLineGround, "seTime");
    seTime->SetOrientation(udHorizontal);
    seTime->SetMin(0);
    seTime->SetMax(0);
    seTime->SetWrap(false);
    seTime->OnChangingEx = ::Bind(this, &TfmTimeLineForm::seTimeChangingEx);

    struct TCommand {
        TButton* TfmTimeLineForm::*Field;
        const char* Name;
        const char* Caption;
        void (TfmTimeLineForm::*Click)(TObject*);
    };
    static const TCommand commands[] = {
        {&TfmTimeLineForm::btnSetStartPos, "btnSetStartPos", "Set start",
         &TfmTimeLineForm::btnSetStartPosClick},
        {&TfmTimeLineForm::btnSetEndPos, "btnSetEndPos", "Set end",
         &TfmTimeLineForm::btnSetEndPosClick},
        {&TfmTimeLineForm::Button1, "Button1", "Set all area", &TfmTimeLineForm::Button1Click},
    };
    for (const TCommand& command : commands) {
        TButton* button = Make<TButton>(this, pnlTimeLineGround, command.Name);
        button->SetCaption(command.Caption);
        button->OnClick = ::Bind(this, command.Click);
        this->*command.Field = button;
    }
}

void TfmTimeLineForm::LayOutTimeLineRow() {
    // Left to right; the label has the width of its text only once the window is loaded.
    int left = 8;
    auto place = [&left](TControl* control, int top, int width, int height) {
        control->SetBounds(left, top, width, height);
        left += width + 6;
    };
    place(Label1, 44, Label1->Width(), Label1->Height());
    place(edCurrentTime, 40, 160, 21);
    place(seTime, 40, 33, 21);
    for (TButton* button : {btnSetStartPos, btnSetEndPos, Button1})
        place(button, 38, 90, 25);
}

void TfmTimeLineForm::BuildWindowBar() {
    pnlViewFormsGround = Make<TPanel>(this, this, "pnlViewFormsGround");
    pnlViewFormsGround->SetBounds(0, BottomOf(pnlTimeLineGround), Width(), 32);
    pnlViewFormsGround->SetAlign(alTop);
    tbForms = Make<TToolBar>(this, pnlViewFormsGround, "tbForms");
    tbForms->SetAlign(alClient);
    tbForms->SetShowCaptions(true);
    tbForms->SetButtonSize(59, 24);
    tbForms->SetAutoSize(true);
}

void TfmTimeLineForm::BuildProgressBar() {
    ProgressBar = Make<TQZProgressCyl>(this, this, "ProgressBar");
    ProgressBar->SetBounds(0, BottomOf(pnlViewFormsGround), Width(), 22);
    ProgressBar->SetAlign(alTop);
    ProgressBar->SetMax(100);
    ProgressBar->SetText("%");
    ProgressBar->Font()->SetName("Arial");
    ProgressBar->Font()->SetStyle({fsBold});
    ProgressBar->SetVisible(false);
}
