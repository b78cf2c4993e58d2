#pragma once
#include "tools/file_path_choser_layout.h"
#include "vcl/base/controls_types.h"
#include "vcl/base/set.h"
#include "vcl/core/custom_control.h"
#include "vcl/dialogs/dialogs.h"

#include <functional>
#include <string>

class TLabel;
class TEdit;
class TButton;

// ChooserType: 0 file, 1 folder.
using TChoosedEvent = std::function<void(TObject* Sender, int ChooserType, std::string& Path)>;
using TCustomChoosedEvent = std::function<void(TObject* Sender, bool& Ok, std::string& Path)>;
using TBeforeOpenEvent = std::function<void(TObject* Sender, bool& Allowed, std::string& Path)>;

enum TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TSet<TSelectDirOpt>;

// Opens a path in the shell; tests put their own in place of the shell.
using TShellOpenHook = std::function<void(const std::string& path)>;
TShellOpenHook SetShellOpenHook(TShellOpenHook hook);

// Edits one file or folder path: a caption (on a frame, or a label before the edit), the edit,
// a "..." button that opens a file or folder chooser on the path, and an optional button that
// opens the path in the shell (also by OpenShortCut).
class TQZFilePathChoser : public TCustomControl {
public:
    explicit TQZFilePathChoser(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Caption() const;
    void SetCaption(const std::string& value);
    std::string Text() const;
    void SetText(const std::string& value);
    bool ChooseFile() const { return FChooseDlgType == 0; }
    void SetChooseFile(bool value) { FChooseDlgType = value ? 0 : 1; }
    bool ChoosePath() const { return FChooseDlgType == 1; }
    void SetChoosePath(bool value) { FChooseDlgType = value ? 1 : 0; }
    TSelectDirOpts DirOptions() const { return FDirOptions; }
    void SetDirOptions(TSelectDirOpts value) { FDirOptions = value; }
    std::string DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    std::string Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    std::string InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& value) { FInitialDir = value; }
    TOpenOptions FileOptions() const { return FFileOptions; }
    void SetFileOptions(TOpenOptions value) { FFileOptions = value; }
    std::string RelativePath() const { return FRelativePath; }
    void SetRelativePath(const std::string& value) { FRelativePath = value; }
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool value) { SetLayoutField(FShowBorder, value); }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { SetLayoutField(FCtl3D, value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool OpenButtonVisible() const;
    void SetOpenButtonVisible(bool value);
    int OpenShortCut() const { return FOpenShortCut; }
    void SetOpenShortCut(int value) { FOpenShortCut = TShortCut(value); }

    // The "..." button's work: the path through onBeforeChoose, the chooser (or onChoose), and
    // onAfterChoose into Text. False when nothing was chosen; Text is then unchanged.
    bool Choose();
    void SetFocus() override;
    void AdjustClientRect(TRect& Rect) const override;
    // Where the parts stand now.
    TChoserLayout Layout() const;

    TNotifyEvent onBeforeButtonClick;
    TNotifyEvent onChange;
    TChoosedEvent onBeforeChoose;
    TChoosedEvent onAfterChoose;
    TCustomChoosedEvent onChoose;
    TBeforeOpenEvent onBeforeOpen;

    TLabel* lbCaption = nullptr;
    TEdit* edPathFile = nullptr;
    TButton* btnChoose = nullptr;
    TButton* btnOpen = nullptr;
    TOpenDialog* OpenDialog = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    void FontChanged() override;

private:
    template <class T> void SetLayoutField(T& field, T value) {
        if (field == value)
            return;
        field = value;
        LayOut();
    }
    int CaptionHeight() const;
    void LayOut();
    bool ChooseFileName(std::string& path);
    bool ChooseFolder(std::string& path);
    void Open();
    void KeyReleased(TObject* Sender, uint16_t& Key, TShiftState Shift);

    int FChooseDlgType = 1;
    TSelectDirOpts FDirOptions;
    std::string FDefaultExt;
    std::string FFilter;
    std::string FInitialDir;
    TOpenOptions FFileOptions{ofHideReadOnly, ofEnableSizing};
    bool FShowBorder = true;
    bool FCtl3D = true;
    std::string FRelativePath;
    bool FReadOnly = false;
    TShortCut FOpenShortCut = scCtrl | 'O';
};
