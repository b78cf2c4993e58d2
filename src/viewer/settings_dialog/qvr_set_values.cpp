// The settings dialog's controls filled from QVRConfig and read back into it, field by field.
// Reading back follows its own order: the numbers the server checks first come first, so a bad
// one stops the reading with the fields before it copied.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/crypto_engine_list.h"
#include "qvr/qvr_config.h"
#include "qvr/qvr_configurator.h"
#include "qztree/params_editor/params_edit.h"
#include "rtl/modality/message_box.h"
#include "rtl/scope_guards.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"
#include "tools/conversions.h"
#include "tools/file_path_choser.h"
#include "tools/run_section.h"
#include "tools/system_info.h"
#include "vcl/base/win_api.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_group.h"
#include "viewer/crypto_params_editor/crypto_params_editor.h"

#include <algorithm>

namespace {
void FillNumber(TEdit* edit, int value) {
    edit->SetText(IntToStr(value));
}

// The server refuses to go on with a number it cannot read.
int ReadNumber(const TEdit* edit) {
    return StrToInt(edit->Text());
}

// A list editor shows the list's lines; reading back makes the list a copy of its lines.
void FillLines(TQZParamsEditEx* editor, const TStringList& lines) {
    editor->SetItems(&lines);
}

void ReadLines(TQZParamsEditEx* editor, TStringList& lines) {
    lines.Assign(*editor->Items());
}

// The program's full file name without '/', ':' and '\', as its auto-run value is named.
std::string AutoRunParamName() {
    std::string name = GetCurrentProgramFullName();
    name.erase(std::remove_if(name.begin(), name.end(),
                              [](char c) { return c == '/' || c == ':' || c == '\\'; }),
               name.end());
    return name;
}

bool IsAutoRun() {
    return CorrectRunSection(RunningAsAdministrator() ? htLocalMachine : htCurrentUser, stRun,
                             AutoRunParamName(), "1", daExist);
}
} // namespace

void TfmQVRSet::FillControls() {
    TFlagScope filling(FlagFillControls);
    TQVRConfig& c = *QVRConfig;
    edServerName->SetText(c.ServerName);
    edScriptPath->SetText(c.ScriptPath);
    pcTemplateDir->SetText(c.TemplatePath);
    pcBLLDir->SetText(c.BLLPath);
    rgConnectionType->SetItemIndex(c.ZWIConnection->CurrentType);
    SetConnectionType();
    FillConnections();
    edMQQVRID->SetText(c.MQQVRID);
    FillNumber(edTryConnectionInterval, c.TryConnectionInterval);
    FillSigning();
    FillNumber(edResponseTimeOut, c.ResponseTimeOut);
    FillNumber(edClientTimeOut, c.ClientTimeOut);
    FillNumber(edClientMaxSessions, c.ClientMaxSessions);
    cbSilentShutdown->SetChecked(c.SilentShutdown);
    cbOnlyInformService->SetChecked(c.OnlyInformService);
    fcIntTraceFile->SetText(c.IntTraceFileName);
    FillNumber(edMaxRunTasks, c.MaxRunTasks);
    FillNumber(edMaxRunHugeTasks, c.MaxRunHugeTasks);
    cbCheckForDeadTask->SetChecked(c.CheckForDeadTask);
    CheckDeadTasksControlsVisible();
    cbKillDeadTask->SetChecked(c.KillDeadTask);
    FillNumber(edExecTaskTimeOut, c.ExecTaskTimeOut);
    FillNumber(edExecHugeTaskTimeOut, c.ExecHugeTaskTimeOut);
    rgIntTraceWriteType->SetItemIndex(c.IntTraceWriteType);
    cbEnabledIntTrace->SetChecked(c.IntTraceEnabled);
    cbWriteARMToTrace->SetChecked(c.WriteARMToTrace);
    cbClearLoginPassword->SetChecked(c.ClearLoginPassword);
    FillLines(peClearLoginPasswordTags, *c.ClearLoginPasswordTags);
    FillNumber(edTraceFileMaxSize, c.TraceFileMaxSize);
    FillLines(seReqParams, *c.RequestAbsentValues);
    FillLines(seSessionConsts, *c.SessionConsts);
    fcErrorsLogFile->SetText(c.LogFileName);
    cbBlinkTrayIcon->SetChecked(c.BlinkTrayIconOnError);
    cbShowErrorsMonitorOnErrors->SetChecked(c.ShowErrorsMonitor);
    lbQVRDirectory->SetCaption(c.RunQVRDirectory);
    lbParamsSource->SetCaption("Ini file: " + c.QVRIniFileName);
    cbEnableTemplateCashe->SetChecked(c.EnableCashe);
    FillShedulerSchemes();
    cbAutoStart->SetChecked(c.AutoStartScheme);
    cbShedulerScheme->SetText(c.ShemeName);
    EnabledShedulerControls();
    cbReturnErrorTextOnly->SetChecked(c.ReturnOnlyErrorText);
    fcDefaultErrorHTML->SetText(c.DefaultErrorHTML);
    FillErrorTrees();
    cbCheckFuncRights->SetChecked(c.CheckFuncRights);
    cbAlwaysNeedTaskConfig->SetChecked(c.AlwaysNeedTaskConfig);
    cbRunAutenticate->SetChecked(c.CheckTaskRWA);
    cbCheckUniqSIDIpHost->SetChecked(c.CheckUniqSIDIpHost);
    cbCheckUniqRunTask->SetChecked(c.CheckUniqRunTask);
    edCloseSessionBLL->SetText(c.CloseSessionBLLName);
    edCloseSessionFunction->SetText(c.CloseSessionFunctionName);
    edDefaultTrayIcon->SetText(c.CustomDefaultTrayIcon);
    edErrorIcons->SetText(c.CustomErrorTrayIcons);
    FillNumber(edChangeIconsInterval, c.ChangeErrorIconsInterval);
    rgTypeGetCryptoParams->SetItemIndex(c.TypeGetCryptoParams);
    FillCryptoEngineType();
    FillCryptoEngineCombo();
    fcCryptoParamsFile->SetText(c.CryptoParamsFile);
    cpeUserIdentCryptoParams->SetCryptoEngineType(c.CryptoEngineType);
    cpeUserIdentCryptoParams->SetCryptoParams(c.CryptoParams.get());
    cbInitCryptoEngine->SetChecked(c.InitCryptoEngine);
    VisibleCryptoConfig();
    VisibleCryptoParamsControls();
    cbAuthenticateEmptyUser->SetChecked(c.AuthenticateEmptyUser);
    edWebAdminSiteInstanceID->SetText(c.WebAdminSiteInstanceID);
    cbRAdminEnabled->SetChecked(c.RAdminEnabled);
    cbRAdminEnabledClick(cbRAdminEnabled);
    cbRAdminViewModOnly->SetChecked(c.RAdminViewModOnly);
    edRAdminBindAddress->SetText(c.RAdminBindAddress);
    FillNumber(edRAdminPort, c.RAdminPort);
    // Remote administration is shown, never changed, here.
    pnlGroundRAdminEnabled->SetEnabled(false);
    pnlGroundRAdminConfig->SetEnabled(false);
    cbRAUseIPFilterClick(cbRAUseIPFilter);
    cbAutoRun->SetChecked(IsAutoRun());
    cbAutoRunClick(cbAutoRun);
    FillNumber(edDelayBeforeLogin, c.DelayBeforeLogin);
    EnabledIntTraceControls();
    IntTraceWriteTypeChangeControl();
    VisibleErrorsHTMLConfigs();
}

void TfmQVRSet::ReadValues() {
    TQVRConfig& c = *QVRConfig;
    c.ServerName = edServerName->Text();
    c.ScriptPath = edScriptPath->Text();
    c.TemplatePath = pcTemplateDir->Text();
    c.BLLPath = pcBLLDir->Text();
    ReadConnections();
    c.MQQVRID = edMQQVRID->Text();
    c.TryConnectionInterval = std::max(1, StrToIntDef(edTryConnectionInterval->Text(), 1));
    ReadSigning();
    c.MaxRunTasks = ReadNumber(edMaxRunTasks);
    c.ClientTimeOut = ReadNumber(edClientTimeOut);
    c.ClientMaxSessions = ReadNumber(edClientMaxSessions);
    c.SilentShutdown = cbSilentShutdown->Checked();
    c.OnlyInformService = cbOnlyInformService->Checked();
    c.IntTraceFileName = fcIntTraceFile->Text();
    c.MaxRunHugeTasks = ReadNumber(edMaxRunHugeTasks);
    c.CheckForDeadTask = cbCheckForDeadTask->Checked();
    c.KillDeadTask = cbKillDeadTask->Checked();
    c.ExecTaskTimeOut = ReadNumber(edExecTaskTimeOut);
    c.ExecHugeTaskTimeOut = ReadNumber(edExecHugeTaskTimeOut);
    c.ResponseTimeOut = ReadNumber(edResponseTimeOut);
    c.IntTraceWriteType = rgIntTraceWriteType->ItemIndex();
    c.IntTraceEnabled = cbEnabledIntTrace->Checked();
    c.WriteARMToTrace = cbWriteARMToTrace->Checked();
    c.ClearLoginPassword = cbClearLoginPassword->Checked();
    ReadLines(peClearLoginPasswordTags, *c.ClearLoginPasswordTags);
    c.TraceFileMaxSize = ReadNumber(edTraceFileMaxSize);
    c.RequestAbsentValues->Clear();
    ReadLines(seReqParams, *c.RequestAbsentValues);
    ReadLines(seSessionConsts, *c.SessionConsts);
    c.LogFileName = fcErrorsLogFile->Text();
    c.BlinkTrayIconOnError = cbBlinkTrayIcon->Checked();
    c.ShowErrorsMonitor = cbShowErrorsMonitorOnErrors->Checked();
    c.EnableCashe = cbEnableTemplateCashe->Checked();
    c.ShemeName = cbShedulerScheme->Text();
    ReadAutoStartScheme();
    c.ReturnOnlyErrorText = cbReturnErrorTextOnly->Checked();
    c.DefaultErrorHTML = fcDefaultErrorHTML->Text();
    c.CheckFuncRights = cbCheckFuncRights->Checked();
    c.AlwaysNeedTaskConfig = cbAlwaysNeedTaskConfig->Checked();
    c.CheckTaskRWA = cbRunAutenticate->Checked();
    c.CheckUniqSIDIpHost = cbCheckUniqSIDIpHost->Checked();
    c.CheckUniqRunTask = cbCheckUniqRunTask->Checked();
    c.CloseSessionBLLName = edCloseSessionBLL->Text();
    c.CloseSessionFunctionName = edCloseSessionFunction->Text();
    ReadErrorTrees();
    c.CustomDefaultTrayIcon = edDefaultTrayIcon->Text();
    c.CustomErrorTrayIcons = edErrorIcons->Text();
    c.ChangeErrorIconsInterval =
        QZStrToInt(edChangeIconsInterval->Text(), c.ChangeErrorIconsInterval);
    c.InitCryptoEngine = cbInitCryptoEngine->Checked();
    c.TypeGetCryptoParams = rgTypeGetCryptoParams->ItemIndex();
    c.CryptoEngineType = ReadCryptoEngineType();
    c.CryptoParamsFile = fcCryptoParamsFile->Text();
    c.CryptoParams->Assign(*cpeUserIdentCryptoParams->CryptoParams());
    c.AuthenticateEmptyUser = cbAuthenticateEmptyUser->Checked();
    c.WebAdminSiteInstanceID = edWebAdminSiteInstanceID->Text();
    c.RAdminEnabled = cbRAdminEnabled->Checked();
    c.RAdminViewModOnly = cbRAdminViewModOnly->Checked();
    c.RAdminBindAddress = edRAdminBindAddress->Text();
    c.RAdminPort = StrToIntDef(edRAdminPort->Text(), c.RAdminPort);
    c.DelayBeforeLogin = StrToIntDef(edDelayBeforeLogin->Text(), 0);
}

void TfmQVRSet::FillConnections() {
    const TConnectionConfig& connections = *QVRConfig->ZWIConnection;
    peZWIAddresses->Clear();
    for (int i = 0; i < connections.CountByType(ctClientSocket); ++i)
        peZWIAddresses->AddItem(connections.Connection(ctClientSocket, i)->AsString());
    // Only one message-queue connection is edited: the last one in the list stays shown.
    for (int i = 0; i < connections.CountByType(ctMQ); ++i) {
        auto* mq = static_cast<const TMQConnection*>(connections.Connection(ctMQ, i));
        edQueueManager->SetText(mq->QueueManager);
        edPutMQQueue->SetText(mq->PutMQQueue);
        edGetMQQueue->SetText(mq->GetMQQueue);
        edChannelName->SetText(mq->ChannelName);
        edConnectionName->SetText(mq->ConnectionName);
    }
    peServerSocketConnections->Clear();
    for (int i = 0; i < connections.CountByType(ctServerSocket); ++i)
        peServerSocketConnections->AddItem(connections.Connection(ctServerSocket, i)->AsString());
}

void TfmQVRSet::ReadConnections() {
    TConnectionConfig& connections = *QVRConfig->ZWIConnection;
    connections.Clear();
    connections.CurrentType = TConnectionType(rgConnectionType->ItemIndex());
    auto addLines = [&connections](TQZParamsEditEx* editor, TConnectionType type) {
        const TStrings& lines = *editor->Items();
        for (int i = 0; i < lines.Count(); ++i)
            connections.AddConnection(type)->SetAsString(lines.Get(i));
    };
    addLines(peZWIAddresses, ctClientSocket);
    // Added also when every edit is empty: the server always has its queue entry.
    auto* mq = static_cast<TMQConnection*>(connections.AddConnection(ctMQ));
    mq->QueueManager = edQueueManager->Text();
    mq->PutMQQueue = edPutMQQueue->Text();
    mq->GetMQQueue = edGetMQQueue->Text();
    mq->ChannelName = edChannelName->Text();
    mq->ConnectionName = edConnectionName->Text();
    addLines(peServerSocketConnections, ctServerSocket);
}

void TfmQVRSet::FillSigning() {
    const TQVRConfig& c = *QVRConfig;
    if (!c.UseSignForPackets)
        return;
    cpeSignParams->SetCryptoEngineType(c.SignCryptoEngineType);
    cpeSignParams->SetCryptoParams(c.SignCryptoParams.get());
    cbSignDataToZWI->SetChecked(c.SignData);
    cbSignDataToZWIClick(cbSignDataToZWI);
    cpeCheckSignParams->SetCryptoEngineType(c.CheckSignCryptoEngineType);
    cpeCheckSignParams->SetCryptoParams(c.CheckSignCryptoParams.get());
    cbCheckZWIDataSign->SetChecked(c.CheckSignData);
    cbCheckZWIDataSignClick(cbCheckZWIDataSign);
}

void TfmQVRSet::ReadSigning() {
    TQVRConfig& c = *QVRConfig;
    if (!c.UseSignForPackets)
        return;
    c.SignData = cbSignDataToZWI->Checked();
    c.SignCryptoEngineType = cpeSignParams->CryptoEngineType();
    c.SignCryptoParams->Assign(*cpeSignParams->CryptoParams());
    c.CheckSignData = cbCheckZWIDataSign->Checked();
    c.CheckSignCryptoEngineType = cpeCheckSignParams->CryptoEngineType();
    c.CheckSignCryptoParams->Assign(*cpeCheckSignParams->CryptoParams());
}

void TfmQVRSet::FillCryptoEngineType() {
    LoadSigmakit(true, true);
    cbCryptoEngineType->Items()->Clear();
    // The list asks the library afresh, so a library changed since the start is seen.
    TCryptoEngineList engines;
    cbCryptoEngineType->Items()->Assign(engines);
    UnLoadSigmakit();
}

void TfmQVRSet::FillCryptoEngineCombo() {
    const std::string& type = QVRConfig->CryptoEngineType;
    TStrings& items = *cbCryptoEngineType->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (AnsiSameText(items.Get(i), type)) {
            cbCryptoEngineType->SetItemIndex(i);
            return;
        }
    cbCryptoEngineType->SetText(type);
}

std::string TfmQVRSet::ReadCryptoEngineType() const {
    // Parameters from the list are edited with their engine type in the editor.
    return rgTypeGetCryptoParams->ItemIndex() >= 2 ? cpeUserIdentCryptoParams->CryptoEngineType()
                                                   : cbCryptoEngineType->Text();
}

void TfmQVRSet::FillShedulerSchemes() {
    std::string names;
    QVRConfigurator->ShedulerName(false, names);
    cbShedulerScheme->Items()->SetText(names);
}

void TfmQVRSet::ReadAutoStartScheme() {
    TQVRConfig& c = *QVRConfig;
    if (c.ShemeName.empty() && cbAutoStart->Checked()) {
        ShowMessageBox("Scheme name is empty, cannot autostart sheduler when QVR run.",
                       "QVR Config Error", MB_ICONERROR);
        cbAutoStart->SetChecked(false);
    }
    c.AutoStartScheme = cbAutoStart->Checked();
}
