#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/loc_messages.h"
#include "qvr/qvr_config.h"
#include "qztree/tree/tree.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/file_names.h"
#include "rtl/modality/message_box.h"
#include "rtl/published.h"
#include "tools/file_paths.h"
#include "tools/form_localization.h"
#include "vcl/base/win_api.h"
#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/core/screen.h"
#include "vcl/dialogs/dialogs.h"

#include <cmath>

TfmQVRSet* fmQVRSet = nullptr;

const TClassInfo& TfmQVRSet::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TfmQVRSet", &TForm::StaticClassInfo())
            .Method("FormCreate", &TfmQVRSet::FormCreate)
            .Method("FormShow", &TfmQVRSet::FormShow)
            .Method("CorrectControlsPosition", &TfmQVRSet::CorrectControlsPosition);
    return *info;
}

TfmQVRSet::TfmQVRSet(TComponent* AOwner) : TForm(AOwner) {
    SetName("fmQVRSet");
    SetCaption("QVR Set");
    SetBounds(0, 0, 822, 546);
    SetPosition(poScreenCenter);
    BuildBottomPanel();
    BuildPageTree();
    BuildPages();
    // The bottom strip is made first, for the alignment; the keys come to its buttons last.
    pnlBottom->SetTabOrder(int(ControlCount()));
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnShortCut = [this](TWMKey& msg, bool& handled) { FormShortCut(msg, handled); };
    OnCanResize = [this](TObject* s, int& width, int& height, bool& resize) {
        FormCanResize(s, width, height, resize);
    };
}

void TfmQVRSet::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.Style &= ~WS_MINIMIZEBOX;
}

void TfmQVRSet::BeforeDestruction() {
    if (fmQVRSet == this)
        fmQVRSet = nullptr;
    TForm::BeforeDestruction();
}

void TfmQVRSet::FormCreate(TObject*) {
    CurrentShortcut.Clear();
    // The settings pages follow the page tree, the connection and crypto-source pages their
    // radio groups; no page shows a tab.
    for (TPageControl* pages : {pcConnection, pcConfigs, pcCryptoEngine})
        for (int i = 0; i < pages->PageCount(); ++i)
            pages->Pages(i)->SetTabVisible(false);
    pcConfigs->SetActivePageIndex(0);
    // Two thirds of the screen, rounded half to even as the default rounding mode does.
    SetWidth(int(std::nearbyint(Screen->Width() * 2.0 / 3.0)));
    SetHeight(int(std::nearbyint(Screen->Height() * 2.0 / 3.0)));
    LocalizeForm(this, "C_QVR_");
    ExternalCfg = false;
    btnShedulerWindow->SetEnabled(false);
}

void TfmQVRSet::FormShow(TObject*) {
    CurrentShortcut.Clear();
    // Without the tree's rows no page but the first could be reached.
    BuildConfigTree();
    FillControls();
    // Each opening starts where the keys lead everywhere: the page tree, the first Tab stop.
    SetActiveControl(tvChoseConfigOptions);
}

void TfmQVRSet::FormCloseQuery(TObject*, bool& CanClose) {
    CurrentShortcut.Clear();
    if (ModalResult() != mrOk)
        return;
    try {
        ReadValues();
        QVRConfig->WriteQVRParameters();
    } catch (const std::exception& e) {
        CanClose = false;
        ShowMessageBox(e.what(), "QVR Error", MB_ICONERROR);
    }
}

void TfmQVRSet::FormShortCut(TWMKey& Msg, bool&) {
    if (!Visible())
        return;
    // Letters typed with Alt are mnemonics, not part of the sequence.
    if (Msg.Msg == CN_KEYDOWN)
        CurrentShortcut.KeyDown(Msg.CharCode);
    if (CurrentShortcut.Matches())
        ApplyHiddenSettings();
}

void TfmQVRSet::ApplyHiddenSettings() {
    TQVRConfig& config = *QVRConfig;
    if (config.ShemeName.empty()) {
        config.ShemeName = " ";
        BuildConfigTree();
    }
    if (!config.UseSignForPackets) {
        config.UseSignForPackets = true;
        BuildConfigTree();
        cbSignDataToZWIClick(cbSignDataToZWI);
        cbCheckZWIDataSignClick(cbCheckZWIDataSign);
    }
    config.UseConnectionType = true;
    SetConnectionType();
}

void TfmQVRSet::btnLoadDefaultClick(TObject*) {
    QVRConfig->SetQVRDefaultParams();
    FillControls();
}

void TfmQVRSet::ChooseTrayIcon(TEdit* edit) {
    if (OpenPictureDialog1->Execute())
        edit->SetText(OpenPictureDialog1->FileName);
}

void TfmQVRSet::btnChooseDefaultIconClick(TObject*) {
    ChooseTrayIcon(edDefaultTrayIcon);
}

void TfmQVRSet::Button1Click(TObject*) {
    ChooseTrayIcon(edErrorIcons);
}

void TfmQVRSet::BeforeChooseFPHandler(TObject*, int, std::string& Path) {
    Path = SplitPathName(QVRConfig->RunQVRDirectory, Path);
}

void TfmQVRSet::pcBeforeOpen(TObject*, bool& Allowed, std::string& Path) {
    constexpr int64_t LargeFile = 0x100000;
    Path = SplitPathName(QVRConfig->RunQVRDirectory, Path);
    if (!FileExists(Path) || GetFileSize(Path) <= LargeFile)
        return;
    switch (ShowMessageBox(GetLocalizedMessage("msgTooLageFile", {Path}),
                           GetLocalizedMessage("msgQuestionCaption"),
                           MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        Path = ExtractFilePath(Path);
        break;
    case IDNO:
        break;
    default:
        Allowed = false;
    }
}
