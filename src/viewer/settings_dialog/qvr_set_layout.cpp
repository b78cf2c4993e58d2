// The settings dialog's columns: each group's edits start 5 pixels after its widest label, so
// that translated captions of any length never cover an edit.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qztree/params_editor/params_edit.h"
#include "vcl/controls/button.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"

#include "viewer/settings_dialog/control_columns.h"

namespace {
constexpr int Delta = 5;

void Column(const std::vector<TControl*>& labels, const std::vector<TControl*>& controls) {
    CorrectControls(-1, labels, Delta, controls);
}
} // namespace

void TfmQVRSet::CorrectControlsPosition() {
    Column(
        {lbQueueManager, lbPutMQQueue, lbGetMQQueue, lbMQQVRID, lbChannelName, lbConnectionName},
        {edQueueManager, edPutMQQueue, edGetMQQueue, edMQQVRID, edChannelName, edConnectionName});
    Column({lbResponseTimeOut}, {edResponseTimeOut});
    Column({lbMaxRunTasks, lbMaxRunHugeTasks, lbServerName, lbScriptPath},
           {edMaxRunTasks, edMaxRunHugeTasks, edServerName, edScriptPath});
    Column({lbExecTaskTimeOut, lbExecHugeTaskTimeOut}, {edExecTaskTimeOut, edExecHugeTaskTimeOut});
    Column({lbDefaultTrayIcon, lbErrorIcons}, {edDefaultTrayIcon, edErrorIcons});
    FitTrayIconEdits();
    Column({lbChangeIconsInterval}, {edChangeIconsInterval});
    Column({lbClientMaxSessions, lbClientTimeOut}, {edClientMaxSessions, edClientTimeOut});
    Column({lbCloseSessionBLL, lbCloseSessionFunction},
           {edCloseSessionBLL, edCloseSessionFunction});
    Column({lbShedulerScheme}, {cbShedulerScheme});
    Column({lbCryptoEngineType}, {cbCryptoEngineType});
    Column({lbTraceFileMaxSize}, {edTraceFileMaxSize});
    Column({lbWebAdminSiteInstanceID}, {edWebAdminSiteInstanceID});
    Column({lbTryConnectionInterval}, {edTryConnectionInterval});
    // The response time-out follows the try interval on the same line.
    CorrectControls(edTryConnectionInterval->Left() + edTryConnectionInterval->Width() + 10,
                    {lbResponseTimeOut}, Delta, {edResponseTimeOut});
    Column({lbRAdminBindAddress, lbRAdminPort}, {edRAdminBindAddress, edRAdminPort});
    Column({lbDelayBeforeLogin}, {edDelayBeforeLogin});
    // The client-socket list as wide as its buttons with their margin on both sides.
    TButton* edit = peZWIAddresses->btnEdit();
    peZWIAddresses->SetWidth(edit->Left() + edit->Width() + peZWIAddresses->btnAdd()->Left());
}

void TfmQVRSet::FormCanResize(TObject*, int&, int&, bool& Resize) {
    FitTrayIconEdits();
    Resize = true;
}

void TfmQVRSet::FitTrayIconEdits() {
    edDefaultTrayIcon->SetWidth(btnChooseDefaultIcon->Left() - Delta - edDefaultTrayIcon->Left());
    edErrorIcons->SetWidth(edDefaultTrayIcon->Width());
}
