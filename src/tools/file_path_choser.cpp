#include "tools/file_path_choser.h"

#include "rtl/file_names.h"
#include "rtl/published.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "tools/browse_for_folder.h"
#include "tools/chooser_paths.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/graphics/gdi_objects.h"

#include <shellapi.h>

namespace {

TShellOpenHook& ShellOpenHook() {
    static TShellOpenHook hook;
    return hook;
}

void ShellOpen(const std::string& path) {
    if (ShellOpenHook())
        ShellOpenHook()(path);
    else
        ShellExecuteW(GetDesktopWindow(), L"open", ToWide(path).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
}

TButton* MakeButton(TQZFilePathChoser* owner, const char* name, const char* caption) {
    auto* button = new TButton(owner);
    button->SetName(name);
    button->SetCaption(caption);
    button->SetWidth(ChoserButtonWidth);
    button->SetParent(owner);
    return button;
}

} // namespace

TShellOpenHook SetShellOpenHook(TShellOpenHook hook) {
    TShellOpenHook previous = std::move(ShellOpenHook());
    ShellOpenHook() = std::move(hook);
    return previous;
}

const TClassInfo& TQZFilePathChoser::StaticClassInfo() {
    using C = TQZFilePathChoser;
    static const TLasting<TClassInfo> info =
        TClassInfo("TQZFilePathChoser", &TCustomControl::StaticClassInfo())
            .String("Caption", &C::Caption, &C::SetCaption)
            .String("Text", &C::Text, &C::SetText)
            .Boolean("ChooseFile", &C::ChooseFile, &C::SetChooseFile)
            .Boolean("ChoosePath", &C::ChoosePath, &C::SetChoosePath)
            .Set("DirOptions", &C::DirOptions, &C::SetDirOptions,
                 {"sdAllowCreate", "sdPerformCreate", "sdPrompt"})
            .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt)
            .String("Filter", &C::Filter, &C::SetFilter)
            .String("InitialDir", &C::InitialDir, &C::SetInitialDir)
            .Set("FileOptions", &C::FileOptions, &C::SetFileOptions,
                 {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                  "ofAllowMultiSelect", "ofPathMustExist", "ofFileMustExist", "ofEnableSizing"})
            .String("RelativePath", &C::RelativePath, &C::SetRelativePath)
            .Boolean("ShowBorder", &C::ShowBorder, &C::SetShowBorder)
            .Boolean("Ctl3D", &C::Ctl3D, &C::SetCtl3D)
            .Boolean("ReadOnly", &C::ReadOnly, &C::SetReadOnly)
            .Boolean("OpenButtonVisible", &C::OpenButtonVisible, &C::SetOpenButtonVisible)
            .Integer("OpenShortCut", &C::OpenShortCut, &C::SetOpenShortCut);
    return *info;
}

TQZFilePathChoser::TQZFilePathChoser(TComponent* AOwner) : TCustomControl(AOwner) {
    lbCaption = new TLabel(this);
    lbCaption->SetParent(this);
    edPathFile = new TEdit(this);
    edPathFile->SetName("edFPChooser");
    edPathFile->SetParent(this);
    edPathFile->OnChange = [this](TObject*) { Fire(onChange, this); };
    btnChoose = MakeButton(this, "btnChoose", "...");
    btnChoose->OnClick = [this](TObject*) {
        Fire(onBeforeButtonClick, this);
        Choose();
    };
    btnOpen = MakeButton(this, "btnOpen", "O");
    btnOpen->SetHint("Open...");
    btnOpen->SetShowHint(true);
    btnOpen->SetVisible(false);
    btnOpen->OnClick = [this](TObject*) { Open(); };
    for (TWinControl* part :
         {static_cast<TWinControl*>(edPathFile), static_cast<TWinControl*>(btnChoose),
          static_cast<TWinControl*>(btnOpen)})
        part->OnKeyUp = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) {
            KeyReleased(Sender, Key, Shift);
        };
    OpenDialog = new TOpenDialog(this);
    SetBounds(0, 0, 250, 40);
    LayOut();
}

std::string TQZFilePathChoser::Caption() const {
    return lbCaption->Caption();
}

void TQZFilePathChoser::SetCaption(const std::string& value) {
    if (value == Caption())
        return;
    lbCaption->SetCaption(value);
    LayOut();
}

std::string TQZFilePathChoser::Text() const {
    return edPathFile->Text();
}

void TQZFilePathChoser::SetText(const std::string& value) {
    edPathFile->SetText(value);
}

void TQZFilePathChoser::SetReadOnly(bool value) {
    FReadOnly = value;
    edPathFile->SetReadOnly(value);
    btnChoose->SetEnabled(!value);
}

bool TQZFilePathChoser::OpenButtonVisible() const {
    return btnOpen->Visible();
}

void TQZFilePathChoser::SetOpenButtonVisible(bool value) {
    if (value == OpenButtonVisible())
        return;
    btnOpen->SetVisible(value);
    LayOut();
}

void TQZFilePathChoser::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.ClassStyle &= ~unsigned(CS_HREDRAW | CS_VREDRAW);
}

void TQZFilePathChoser::SetFocus() {
    if (FReadOnly)
        TCustomControl::SetFocus();
    else
        edPathFile->SetFocus();
}

int TQZFilePathChoser::CaptionHeight() const {
    if (Caption().empty())
        return 0;
    TWindowDC screen(nullptr);
    TCanvas canvas(screen.DC());
    canvas.SetFont(Font());
    return canvas.TextHeight("0");
}

TChoserLayout TQZFilePathChoser::Layout() const {
    TChoserLayoutInput in;
    in.Client = TCustomControl::ClientRect();
    in.ShowBorder = FShowBorder;
    in.Ctl3D = FCtl3D;
    in.CaptionHeight = CaptionHeight();
    in.LabelWidth = lbCaption->Width();
    in.OpenButtonVisible = OpenButtonVisible();
    return LayOutChoser(in);
}

void TQZFilePathChoser::AdjustClientRect(TRect& Rect) const {
    if (btnOpen) // the parts are made
        Rect = Layout().Inner;
}

void TQZFilePathChoser::LayOut() {
    if (!btnOpen)
        return; // still being made
    const TChoserLayout layout = Layout();
    lbCaption->SetVisible(!FShowBorder);
    lbCaption->SetBoundsRect(layout.Label);
    edPathFile->SetBoundsRect(layout.Edit);
    btnChoose->SetBoundsRect(layout.ChooseButton);
    if (OpenButtonVisible())
        btnOpen->SetBoundsRect(layout.OpenButton);
    Invalidate();
}

void TQZFilePathChoser::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TCustomControl::BoundsChanged(OldBounds, Resized);
    if (Resized)
        LayOut();
}

void TQZFilePathChoser::FontChanged() {
    TCustomControl::FontChanged();
    LayOut();
}

void TQZFilePathChoser::Paint() {
    if (!FShowBorder)
        return;
    TCanvas* canvas = Canvas();
    const TChoserLayout layout = Layout();
    const TRect client = TCustomControl::ClientRect();
    const TRect frame = Rect(client.Left, layout.FrameTop, client.Right, client.Bottom);
    canvas->Brush()->SetColor(FCtl3D ? clBtnHighlight : clWindowFrame);
    if (FCtl3D) {
        canvas->FrameRect(Rect(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom));
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FrameRect(Rect(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1));
    } else {
        canvas->FrameRect(frame);
    }
    if (Caption().empty())
        return;
    canvas->Brush()->SetColor(Color());
    TRect text = Rect(8, client.Top, client.Right, client.Top + layout.Inner.Top);
    canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_CALCRECT);
    canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

bool TQZFilePathChoser::Choose() {
    std::string path = Text();
    if (onBeforeChoose)
        onBeforeChoose(this, FChooseDlgType, path);
    bool ok = false;
    if (onChoose)
        onChoose(this, ok, path);
    else
        ok = FChooseDlgType == 0 ? ChooseFileName(path) : ChooseFolder(path);
    if (!ok)
        return false;
    if (onAfterChoose)
        onAfterChoose(this, FChooseDlgType, path);
    SetText(path);
    return true;
}

bool TQZFilePathChoser::ChooseFileName(std::string& path) {
    const std::string start = FileChooserStartFolder(path, FRelativePath);
    OpenDialog->InitialDir = !start.empty()           ? start
                             : !FRelativePath.empty() ? FRelativePath
                                                      : FInitialDir;
    OpenDialog->FileName = start.empty() ? path : ExtractFileName(path);
    OpenDialog->Filter = FFilter;
    OpenDialog->Options = FFileOptions;
    OpenDialog->DefaultExt = FDefaultExt;
    if (!OpenDialog->Execute())
        return false;
    path = ChosenPath(OpenDialog->FileName, FRelativePath);
    return true;
}

bool TQZFilePathChoser::ChooseFolder(std::string& path) {
    std::string folder = FolderChooserStartFolder(path, FRelativePath);
    if (folder.empty())
        folder = !FRelativePath.empty() ? FRelativePath : FInitialDir;
    if (!QZSelectDirectory(Handle(), "Select directory", folder))
        return false;
    path = ChosenPath(folder, FRelativePath);
    return true;
}

void TQZFilePathChoser::Open() {
    bool allowed = !Trim(Text()).empty();
    std::string path = Text();
    if (onBeforeOpen)
        onBeforeOpen(btnOpen, allowed, path);
    if (allowed)
        ShellOpen(path);
}

void TQZFilePathChoser::KeyReleased(TObject*, uint16_t& Key, TShiftState Shift) {
    if (ShortCut(Key, Shift) == FOpenShortCut)
        Open();
}
