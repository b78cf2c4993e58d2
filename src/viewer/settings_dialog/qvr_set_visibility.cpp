// The settings dialog's visibility rules and the handlers that run them. Each rule runs from
// its control's click handler and again from FillControls, since filling a control in code
// fires no handler.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/qvr_config.h"
#include "qvr/qvr_configurator.h"
#include "qztree/tree/tree.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_group.h"
#include "viewer/crypto_params_editor/crypto_params_editor.h"

void TfmQVRSet::SetConnectionType() {
    pnlConnectionType->SetVisible(QVRConfig->UseConnectionType);
    const int type = rgConnectionType->ItemIndex();
    pcConnection->SetActivePageIndex(type);
    // A message queue answers in its own time; the sockets wait for the response time-out.
    const bool socket = type == ctClientSocket || type == ctServerSocket;
    lbResponseTimeOut->SetVisible(socket);
    edResponseTimeOut->SetVisible(socket);
}

void TfmQVRSet::rgConnectionTypeClick(TObject*) {
    SetConnectionType();
}

void TfmQVRSet::CheckDeadTasksControlsVisible() {
    pnlCheckDeadTask->SetVisible(cbCheckForDeadTask->Checked());
}

void TfmQVRSet::cbCheckForDeadTaskClick(TObject*) {
    CheckDeadTasksControlsVisible();
}

void TfmQVRSet::EnabledIntTraceControls() {
    pnlTraceOptionsGround->SetVisible(cbEnabledIntTrace->Checked());
}

void TfmQVRSet::cbEnabledIntTraceClick(TObject*) {
    EnabledIntTraceControls();
}

void TfmQVRSet::IntTraceWriteTypeChangeControl() {
    // The trace goes to one file, or to a file a day in a folder.
    const bool toFile = rgIntTraceWriteType->ItemIndex() == 0;
    fcIntTraceFile->SetChooseFile(toFile);
    fcIntTraceFile->SetCaption(LocilizeControl->Items()->Get(toFile ? 0 : 1));
}

void TfmQVRSet::rgIntTraceWriteTypeClick(TObject*) {
    IntTraceWriteTypeChangeControl();
}

void TfmQVRSet::VisibleErrorsHTMLConfigs() {
    // An answer of the error text alone needs no HTML files.
    const bool files = !cbReturnErrorTextOnly->Checked();
    fcDefaultErrorHTML->SetVisible(files);
    tvErrorsHTMLs->SetVisible(files);
    edErrorHTML->SetVisible(files);
}

void TfmQVRSet::cbReturnErrorTextOnlyClick(TObject*) {
    VisibleErrorsHTMLConfigs();
}

void TfmQVRSet::VisibleCryptoConfig() {
    pnlCryptoConfig->SetVisible(cbInitCryptoEngine->Checked());
    if (cbInitCryptoEngine->Checked())
        cpeUserIdentCryptoParams->FillCryptoControls();
}

void TfmQVRSet::VisibleCryptoParamsControls() {
    pcCryptoEngine->SetActivePageIndex(rgTypeGetCryptoParams->ItemIndex());
}

void TfmQVRSet::cbInitCryptoEngineClick(TObject*) {
    VisibleCryptoConfig();
}

void TfmQVRSet::rgTypeGetCryptoParamsClick(TObject*) {
    VisibleCryptoParamsControls();
}

void TfmQVRSet::VisibleSignPage(TCheckBox* box, TTabSheet* page, TCryptoParamsEditor* editor) {
    page->SetTabVisible(box->Checked());
    if (box->Checked()) {
        editor->FillCryptoControls();
        pcCryptoParamsZWIData->SetActivePage(page);
    }
    VisibleCryptoParamsGround();
}

void TfmQVRSet::VisibleCryptoParamsGround() {
    pnlCryptoParamsGround->SetVisible(cbSignDataToZWI->Checked() || cbCheckZWIDataSign->Checked());
}

void TfmQVRSet::cbSignDataToZWIClick(TObject*) {
    VisibleSignPage(cbSignDataToZWI, tsSignParams, cpeSignParams);
}

void TfmQVRSet::cbCheckZWIDataSignClick(TObject*) {
    VisibleSignPage(cbCheckZWIDataSign, tsCheckSignParams, cpeCheckSignParams);
}

void TfmQVRSet::cbRAdminEnabledClick(TObject*) {
    pnlGroundRAdminConfig->SetVisible(cbRAdminEnabled->Checked());
}

void TfmQVRSet::cbRAUseIPFilterClick(TObject*) {
    pnlRAIPAddresses->SetVisible(cbRAUseIPFilter->Checked() && cbRAUseIPFilter->Visible());
}

void TfmQVRSet::cbAutoRunClick(TObject*) {
    pnlStartOptionsGround->SetVisible(cbAutoRun->Checked());
}

void TfmQVRSet::EnabledShedulerControls() {
    std::string running;
    QVRConfigurator->ShedulerName(true, running);
    const bool schemeChosen = !cbShedulerScheme->Text().empty();
    btnStartSheduler->SetEnabled(schemeChosen && running.empty());
    btnStopSheduler->SetEnabled(!running.empty());
    lbShedulerStatus->SetCaption(running.empty() ? "No running shemes" : "Run: " + running);
    cbAutoStart->SetEnabled(schemeChosen);
}

void TfmQVRSet::cbShedulerSchemeChange(TObject*) {
    EnabledShedulerControls();
}

void TfmQVRSet::btnStartShedulerClick(TObject*) {
    QVRConfigurator->ManageSheduler(0, cbShedulerScheme->Text());
    EnabledShedulerControls();
}

void TfmQVRSet::btnStopShedulerClick(TObject*) {
    QVRConfigurator->ManageSheduler(1, "");
    EnabledShedulerControls();
}
