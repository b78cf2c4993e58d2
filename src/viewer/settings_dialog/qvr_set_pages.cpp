// The settings dialog's controls, one builder per page or group. Positions are those of the
// design size; CorrectControlsPosition then lines the edit columns up after their labels.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/error_catalogue.h"
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/params_editor/params_edit.h"
#include "qztree/tree/tree.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/group_box.h"
#include "vcl/controls/label.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_group.h"
#include "vcl/controls/splitter.h"
#include "vcl/dialogs/dialogs.h"
#include "viewer/crypto_params_editor/crypto_params_editor.h"

#include <initializer_list>

namespace {
constexpr int LabelLeft = 8;
constexpr int RowHeight = 26;
constexpr int EditHeight = 21;
constexpr int NumberWidth = 60;
constexpr int TextWidth = 220;

template <class T> T* Make(TComponent* owner, TWinControl* parent, const char* name) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

// The k-th row of a column of controls that starts at top.
int Row(int top, int k) {
    return top + k * RowHeight;
}

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                 int left, int top) {
    auto* label = Make<TLabel>(owner, parent, name);
    label->SetCaption(caption);
    label->SetBounds(left, top + 3, label->Width(), label->Height());
    return label;
}

TEdit* AddEdit(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
               int width) {
    auto* edit = Make<TEdit>(owner, parent, name);
    edit->SetBounds(left, top, width, EditHeight);
    return edit;
}

// A label and its edit on one row; the edit's column is set by CorrectControlsPosition.
TEdit* AddLabelledEdit(TComponent* owner, TWinControl* parent, TLabel*& label,
                       const char* labelName, const char* caption, const char* editName, int top,
                       int width) {
    label = AddLabel(owner, parent, labelName, caption, LabelLeft, top);
    return AddEdit(owner, parent, editName, LabelLeft + label->Width() + 5, top, width);
}

// One row of an edit column: the label is "lb" + stem and the edit "ed" + stem.
struct LabelledEditRow {
    TEdit*& edit;
    TLabel*& label;
    const char* stem;
    const char* caption;
    int width;
};

// Labelled edits on consecutive rows from top.
void AddLabelledEdits(TComponent* owner, TWinControl* parent, int top,
                      std::initializer_list<LabelledEditRow> rows) {
    int k = 0;
    for (const LabelledEditRow& row : rows) {
        const std::string stem = row.stem;
        row.edit = AddLabelledEdit(owner, parent, row.label, ("lb" + stem).c_str(), row.caption,
                                   ("ed" + stem).c_str(), Row(top, k++), row.width);
    }
}

TCheckBox* AddCheck(TComponent* owner, TWinControl* parent, const char* name,
                    const std::string& caption, int left, int top, int width = 400) {
    auto* box = Make<TCheckBox>(owner, parent, name);
    box->SetCaption(caption);
    box->SetBounds(left, top, width, 17);
    return box;
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                   int left, int top, int width = 75) {
    auto* button = Make<TButton>(owner, parent, name);
    button->SetCaption(caption);
    button->SetBounds(left, top, width, 25);
    return button;
}

// A borderless panel that shows or hides a group of controls at once.
TPanel* AddGround(TComponent* owner, TWinControl* parent, const char* name, TAlign align,
                  int height) {
    auto* panel = Make<TPanel>(owner, parent, name);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    panel->SetBounds(0, 0, 400, height);
    panel->SetAlign(align);
    return panel;
}

TGroupBox* AddGroup(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                    const TRect& bounds) {
    auto* group = Make<TGroupBox>(owner, parent, name);
    group->SetCaption(caption);
    group->SetBoundsRect(bounds);
    return group;
}

TRadioGroup* AddRadioGroup(TComponent* owner, TWinControl* parent, const char* name,
                           const char* caption, std::initializer_list<const char*> items,
                           int columns) {
    auto* group = Make<TRadioGroup>(owner, parent, name);
    group->SetCaption(caption);
    group->SetColumns(columns);
    for (const char* item : items)
        group->Items()->Add(item);
    return group;
}

TTabSheet* AddPage(TComponent* owner, TPageControl* pages, const char* name, const char* caption) {
    auto* page = new TTabSheet(owner);
    page->SetName(name);
    page->SetCaption(caption);
    page->SetPageControl(pages);
    return page;
}

TPageControl* AddPageControl(TComponent* owner, TWinControl* parent, const char* name) {
    return Make<TPageControl>(owner, parent, name);
}

// A strip along the bottom is made before what fills the space above it, so that it takes its
// edge first; the keys still go down the page as it shows.
void TabBefore(TWinControl* control, TWinControl* below) {
    control->SetTabOrder(below->TabOrder());
}
} // namespace

TQZFilePathChoser* TfmQVRSet::AddPathChooser(TWinControl* parent, const char* name,
                                             const char* caption, bool folder, int top) {
    auto* chooser = Make<TQZFilePathChoser>(this, parent, name);
    // As wide as its page, and it stays so when the dialog is sized.
    chooser->SetBounds(LabelLeft, top, parent->ClientWidth() - 2 * LabelLeft, 44);
    chooser->SetAnchors(TAnchors{akLeft, akTop, akRight});
    chooser->SetCaption(caption);
    chooser->SetChoosePath(folder);
    chooser->SetOpenButtonVisible(false);
    chooser->onBeforeChoose = [this](TObject* s, int type, std::string& path) {
        BeforeChooseFPHandler(s, type, path);
    };
    chooser->onBeforeOpen = [this](TObject* s, bool& allowed, std::string& path) {
        pcBeforeOpen(s, allowed, path);
    };
    return chooser;
}

TCryptoParamsEditor* TfmQVRSet::AddCryptoEditor(TWinControl* page, const char* name) {
    auto* editor = Make<TCryptoParamsEditor>(this, page, name);
    editor->SetAlign(alClient);
    editor->SetLibName("Sigmakit.dll");
    editor->SetShowErrorMessage(true);
    editor->SetShowCheckButton(true);
    editor->SetShowImportButton(true);
    // Each editor asks the library only when its page is first shown.
    editor->SetInitCryptoControlsOnCreate(false);
    return editor;
}

TQZParamsEditEx* TfmQVRSet::AddListEditor(TWinControl* parent, const char* name, char separator,
                                          std::initializer_list<const char*> columns) {
    auto* editor = Make<TQZParamsEditEx>(this, parent, name);
    editor->SetSeparator(separator);
    for (const char* column : columns)
        editor->Columns()->AddSection()->SetText(column);
    editor->SetShowColumnHeaders(columns.size() > 0);
    return editor;
}

TQZTree* TfmQVRSet::AddErrorTree(TWinControl* parent, const char* name,
                                 std::initializer_list<const char*> columns) {
    auto* tree = Make<TQZTree>(this, parent, name);
    tree->SetBounds(0, 0, parent->ClientWidth(), 200);
    tree->SetAlign(alClient);
    // A flat list of catalogue rows, one column per header section.
    tree->SetShowRoot(false);
    tree->SetShowRootButtons(false);
    tree->SetShowButtons(false);
    tree->SetShowLines(false);
    tree->SetShowImages(false);
    tree->SetHideSelection(false);
    TQZHeaderSections& sections = *tree->Header()->Sections();
    for (const char* column : columns) {
        TQZHeaderSection* section = sections.AddSection();
        section->SetText(column);
        // The code is short, the message long, the switches as wide as their captions.
        section->SetWidth(sections.Count() == 1 ? 50 : sections.Count() == 2 ? 300 : 90);
    }
    tree->SetShowColumns(true);
    return tree;
}

void TfmQVRSet::BuildBottomPanel() {
    pnlBottom = AddGround(this, this, "pnlBottom", alBottom, 41);
    auto* pnlButtons = AddGround(this, pnlBottom, "pnlBottomButtons", alRight, 41);
    pnlButtons->SetWidth(172);
    btnOk = AddButton(this, pnlButtons, "btnOk", "Ok", 8, 8);
    btnOk->SetModalResult(mrOk);
    btnCancel = AddButton(this, pnlButtons, "btnCancel", "Cancel", 89, 8);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);

    // Never shown: the server's own default loader and dialog buttons, and the captions of
    // the trace-file chooser, which stand here so that the form localiser translates them.
    btnLoadDefault = AddButton(this, pnlBottom, "btnLoadDefault", "Load default...", 8, 8, 100);
    btnLoadDefault->OnClick = [this](TObject* s) { btnLoadDefaultClick(s); };
    btnDlgOk = AddButton(this, pnlBottom, "btnDlgOk", "Ok", 120, 8);
    btnDlgCancel = AddButton(this, pnlBottom, "btnDlgCancel", "Cancel", 200, 8);
    LocilizeControl = Make<TComboBox>(this, pnlBottom, "LocilizeControl");
    LocilizeControl->SetBounds(280, 8, 145, EditHeight);
    LocilizeControl->Items()->Add("Trace file name");
    LocilizeControl->Items()->Add("Trace directory");
    for (TControl* hidden :
         std::initializer_list<TControl*>{btnLoadDefault, btnDlgOk, btnDlgCancel, LocilizeControl})
        hidden->SetVisible(false);
}

void TfmQVRSet::BuildPages() {
    pcConfigs = AddPageControl(this, this, "pcConfigs");
    // The pages are laid out at the design size; anchors keep that layout when it changes.
    pcConfigs->SetBounds(0, 0, ClientWidth(), ClientHeight() - pnlBottom->Height());
    pcConfigs->SetAlign(alClient);
    BuildDefaultPage();
    BuildConnectionPage();
    BuildWorkPage();
    BuildTasksPage();
    BuildDirectoriesPage();
    BuildCachePage();
    BuildSessionsPage();
    BuildUserIdentPage();
    BuildInternalTracePage();
    BuildErrorsPage();
    BuildErrorResponsePage();
    BuildShowErrorCfgPage();
    BuildConstPages();
    BuildInfoPage();
    BuildShedulerPage();
    BuildVisualizationPage();
    BuildCryptoZWIDataPage();
    BuildRAdminPage();
    BuildStartPage();
}

void TfmQVRSet::BuildDefaultPage() {
    tsDefault = AddPage(this, pcConfigs, "tsDefault", "Default");
    lbDefaultLabel = Make<TLabel>(this, tsDefault, "lbDefaultLabel");
    lbDefaultLabel->SetAutoSize(false);
    lbDefaultLabel->SetAlign(alClient);
    lbDefaultLabel->SetAlignment(taCenter);
    lbDefaultLabel->SetCaption("QVR Configuration");
}

void TfmQVRSet::BuildConnectionPage() {
    tsConnectionOptions = AddPage(this, pcConfigs, "tsConnectionOptions", "Соединение");
    pnlConnectionType = AddGround(this, tsConnectionOptions, "pnlConnectionType", alTop, 49);
    rgConnectionType = AddRadioGroup(this, pnlConnectionType, "rgConnectionType", "Connection type",
                                     {"ClientSocket", "MQ", "ServerSocket"}, 3);
    rgConnectionType->SetAlign(alClient);
    rgConnectionType->OnClick = [this](TObject* s) { rgConnectionTypeClick(s); };

    auto* pnlIntervals = AddGround(this, tsConnectionOptions, "pnlConnectionIntervals", alTop, 34);
    edTryConnectionInterval = AddLabelledEdit(
        this, pnlIntervals, lbTryConnectionInterval, "lbTryConnectionInterval",
        "Try connection interval (sec):", "edTryConnectionInterval", 6, NumberWidth);
    edResponseTimeOut =
        AddLabelledEdit(this, pnlIntervals, lbResponseTimeOut, "lbResponseTimeOut",
                        "Response Time Out (sec):", "edResponseTimeOut", 6, NumberWidth);
    BuildConnectionTypePages();
}

void TfmQVRSet::BuildConnectionTypePages() {
    pcConnection = AddPageControl(this, tsConnectionOptions, "pcConnection");
    pcConnection->SetAlign(alClient);
    tsClientSocket = AddPage(this, pcConnection, "tsClientSocket", "ClientSocket");
    tsMQ = AddPage(this, pcConnection, "tsMQ", "MQ");
    tsServerSocket = AddPage(this, pcConnection, "tsServerSocket", "ServerSocket");
    peZWIAddresses = AddListEditor(tsClientSocket, "peZWIAddresses", ':', {"Host", "Port"});
    peServerSocketConnections =
        AddListEditor(tsServerSocket, "peServerSocketConnections", ':', {"BindHost", "Port"});
    for (TQZParamsEditEx* editor : {peZWIAddresses, peServerSocketConnections})
        editor->SetBounds(LabelLeft, 10, 360, 200);

    const int top = 10;
    AddLabelledEdits(
        this, tsMQ, top,
        {{edQueueManager, lbQueueManager, "QueueManager", "Queue manager:", TextWidth},
         {edPutMQQueue, lbPutMQQueue, "PutMQQueue", "PutMQQueue:", TextWidth},
         {edGetMQQueue, lbGetMQQueue, "GetMQQueue", "GetMQQueue:", TextWidth},
         {edMQQVRID, lbMQQVRID, "MQQVRID", "MQ QVRID:", TextWidth},
         {edChannelName, lbChannelName, "ChannelName", "ChannelName:", TextWidth},
         {edConnectionName, lbConnectionName, "ConnectionName", "ConnectionName:", TextWidth}});
}

void TfmQVRSet::BuildWorkPage() {
    tsWorkOptions = AddPage(this, pcConfigs, "tsWorkOptions", "Настройки выполнения");
    cbOnlyInformService =
        AddCheck(this, tsWorkOptions, "cbOnlyInformService", "Only inform service", LabelLeft, 10);
}

void TfmQVRSet::BuildTasksPage() {
    tsTasksOptions = AddPage(this, pcConfigs, "tsTasksOptions", "Задачи");
    const int top = 10;
    AddLabelledEdits(this, tsTasksOptions, top,
                     {{edMaxRunTasks, lbMaxRunTasks, "MaxRunTasks", "Max tasks run:", NumberWidth},
                      {edServerName, lbServerName, "ServerName", "Server Name:", TextWidth},
                      {edScriptPath, lbScriptPath, "ScriptPath", "Script Path:", TextWidth},
                      {edMaxRunHugeTasks, lbMaxRunHugeTasks, "MaxRunHugeTasks",
                       "Max huge task run:", NumberWidth}});
    for (TEdit* edit : {edServerName, edScriptPath})
        edit->SetCharCase(ecLowerCase);
    cbCheckForDeadTask = AddCheck(this, tsTasksOptions, "cbCheckForDeadTask",
                                  "Проверять время выполнения задач", LabelLeft, Row(top, 4) + 4);
    cbCheckForDeadTask->OnClick = [this](TObject* s) { cbCheckForDeadTaskClick(s); };

    pnlCheckDeadTask = AddGround(this, tsTasksOptions, "pnlCheckDeadTask", alNone, 3 * RowHeight);
    pnlCheckDeadTask->SetBounds(16, Row(top, 5), 560, 3 * RowHeight + 4);
    edExecTaskTimeOut = AddLabelledEdit(
        this, pnlCheckDeadTask, lbExecTaskTimeOut, "lbExecTaskTimeOut",
        "Максимальное время выполнения задачи (сек.):", "edExecTaskTimeOut", 2, NumberWidth);
    edExecHugeTaskTimeOut = AddLabelledEdit(
        this, pnlCheckDeadTask, lbExecHugeTaskTimeOut, "lbExecHugeTaskTimeOut",
        "Максимальное время выполнения \"тяжёлой\" задачи (сек.):", "edExecHugeTaskTimeOut",
        Row(2, 1), NumberWidth);
    cbKillDeadTask = AddCheck(this, pnlCheckDeadTask, "cbKillDeadTask",
                              "Обрывать выполнение задачи", LabelLeft, Row(2, 2) + 4);
}

void TfmQVRSet::BuildDirectoriesPage() {
    tsDirectories = AddPage(this, pcConfigs, "tsDirectories", "Directories");
    pcTemplateDir = AddPathChooser(tsDirectories, "pcTemplateDir", "Template Directory", true, 8);
    pcBLLDir = AddPathChooser(tsDirectories, "pcBLLDir", "BLLs directories", true, 60);
}

void TfmQVRSet::BuildCachePage() {
    tsCache = AddPage(this, pcConfigs, "tsCache", "Cache");
    btnClearCache = AddButton(this, tsCache, "btnClearCache", "Clear cache", LabelLeft, 10, 100);
    btnClearCache->OnClick = [this](TObject* s) { btnClearCacheClick(s); };
    btnViewCache = AddButton(this, tsCache, "btnViewCache", "View cache", 116, 10, 100);
    btnViewCache->OnClick = [this](TObject* s) { btnViewCacheClick(s); };
    cbEnableTemplateCashe =
        AddCheck(this, tsCache, "cbEnableTemplateCashe", "Enable template cashe", LabelLeft, 46);
}

void TfmQVRSet::BuildSessionsPage() {
    tsSessions = AddPage(this, pcConfigs, "tsSessions", "Sessions");
    const int top = 10;
    AddLabelledEdits(this, tsSessions, top,
                     {{edClientMaxSessions, lbClientMaxSessions, "ClientMaxSessions",
                       "Maximum sessions number:", NumberWidth},
                      {edClientTimeOut, lbClientTimeOut, "ClientTimeOut",
                       "Session Time Out (sec.):", NumberWidth}});
    cbAlwaysNeedTaskConfig = AddCheck(this, tsSessions, "cbAlwaysNeedTaskConfig",
                                      "Always need task config", LabelLeft, Row(top, 2) + 4);
    cbCheckFuncRights = AddCheck(this, tsSessions, "cbCheckFuncRights",
                                 "Check task for run without session", LabelLeft, Row(top, 3));
    cbRunAutenticate =
        AddCheck(this, tsSessions, "cbRunAutenticate", "Check task for run in autenticated session",
                 LabelLeft, Row(top, 4) - 4);

    gbCloseSession = AddGroup(this, tsSessions, "gbCloseSession", "Execute on close session",
                              Bounds(LabelLeft, Row(top, 5), 420, 76));
    edCloseSessionBLL =
        AddLabelledEdit(this, gbCloseSession, lbCloseSessionBLL, "lbCloseSessionBLL",
                        "BLL:", "edCloseSessionBLL", 20, TextWidth);
    edCloseSessionFunction =
        AddLabelledEdit(this, gbCloseSession, lbCloseSessionFunction, "lbCloseSessionFunction",
                        "Function:", "edCloseSessionFunction", 20 + RowHeight, TextWidth);

    // The server's own text for this switch is the catalogue's description of the error that
    // the switch raises.
    TErrorRec* uniqueHost = GlobalErrorsObject ? GlobalErrorsObject->FindError(212) : nullptr;
    cbCheckUniqSIDIpHost =
        AddCheck(this, tsSessions, "cbCheckUniqSIDIpHost", uniqueHost ? uniqueHost->Describe : "",
                 LabelLeft, Row(top, 8) + 4, tsSessions->ClientWidth() - 2 * LabelLeft);
    // The description runs over two lines, as wide as the page.
    cbCheckUniqSIDIpHost->SetHeight(32);
    cbCheckUniqSIDIpHost->SetAnchors(TAnchors{akLeft, akTop, akRight});
    cbCheckUniqRunTask =
        AddCheck(this, tsSessions, "cbCheckUniqRunTask",
                 "Check task for already run in same session", LabelLeft, Row(top, 10));
}

void TfmQVRSet::BuildUserIdentPage() {
    tsUserIdent = AddPage(this, pcConfigs, "tsUserIdent", "UserIdent");
    auto* pnlUserIdent = AddGround(this, tsUserIdent, "pnlUserIdentGround", alBottom, 90);
    edWebAdminSiteInstanceID =
        AddLabelledEdit(this, pnlUserIdent, lbWebAdminSiteInstanceID, "lbWebAdminSiteInstanceID",
                        "WebAdmin site InstanceID:", "edWebAdminSiteInstanceID", 6, TextWidth);
    cbAuthenticateEmptyUser = AddCheck(this, pnlUserIdent, "cbAuthenticateEmptyUser",
                                       "Authentificate user with empty UserIdent", LabelLeft, 38);
    cbInitCryptoEngine =
        AddCheck(this, pnlUserIdent, "cbInitCryptoEngine", "Init CryptoEngine", LabelLeft, 62);
    cbInitCryptoEngine->OnClick = [this](TObject* s) { cbInitCryptoEngineClick(s); };

    pnlCryptoConfig = AddGround(this, tsUserIdent, "pnlCryptoConfig", alClient, 200);
    rgTypeGetCryptoParams =
        AddRadioGroup(this, pnlCryptoConfig, "rgTypeGetCryptoParams", "Get crypto params",
                      {"From Base", "From file", "From list"}, 3);
    rgTypeGetCryptoParams->SetBounds(0, 0, 400, 45);
    rgTypeGetCryptoParams->SetAlign(alTop);
    rgTypeGetCryptoParams->OnClick = [this](TObject* s) { rgTypeGetCryptoParamsClick(s); };

    pcCryptoEngine = AddPageControl(this, pnlCryptoConfig, "pcCryptoEngine");
    pcCryptoEngine->SetAlign(alClient);
    tsCryptoFromBase = AddPage(this, pcCryptoEngine, "tsCryptoFromBase", "From Base");
    tsCryptoFromFile = AddPage(this, pcCryptoEngine, "tsCryptoFromFile", "From file");
    tsCryptoFromList = AddPage(this, pcCryptoEngine, "tsCryptoFromList", "From list");
    lbCryptoEngineType = AddLabel(this, tsCryptoFromFile, "lbCryptoEngineType",
                                  "Crypto engine type:", LabelLeft, 10);
    cbCryptoEngineType = Make<TComboBox>(this, tsCryptoFromFile, "cbCryptoEngineType");
    cbCryptoEngineType->SetBounds(LabelLeft + lbCryptoEngineType->Width() + 5, 10, TextWidth,
                                  EditHeight);
    fcCryptoParamsFile =
        AddPathChooser(tsCryptoFromFile, "fcCryptoParamsFile", "File of crypto params", false, 40);
    cpeUserIdentCryptoParams = AddCryptoEditor(tsCryptoFromList, "cpeUserIdentCryptoParams");
    TabBefore(pnlCryptoConfig, pnlUserIdent);
}

void TfmQVRSet::BuildInternalTracePage() {
    tsInternalTrace = AddPage(this, pcConfigs, "tsInternalTrace", "Internal Trace");
    auto* pnlEnabled = AddGround(this, tsInternalTrace, "pnlIntTraceEnabled", alTop, 30);
    cbEnabledIntTrace = AddCheck(this, pnlEnabled, "cbEnabledIntTrace", "Enabled", LabelLeft, 8);
    cbEnabledIntTrace->OnClick = [this](TObject* s) { cbEnabledIntTraceClick(s); };

    pnlTraceOptionsGround =
        AddGround(this, tsInternalTrace, "pnlTraceOptionsGround", alClient, 300);
    // The switches above the tag list, the file below it; the list takes the rest.
    auto* pnlSwitches = AddGround(this, pnlTraceOptionsGround, "pnlTraceSwitches", alTop, 134);
    edTraceFileMaxSize =
        AddLabelledEdit(this, pnlSwitches, lbTraceFileMaxSize, "lbTraceFileMaxSize",
                        "MaxSize(MB):", "edTraceFileMaxSize", 4, NumberWidth);
    rgIntTraceWriteType =
        AddRadioGroup(this, pnlSwitches, "rgIntTraceWriteType", "Write trace type",
                      {"To file", "To directory (file: current date.log)"}, 2);
    rgIntTraceWriteType->SetBounds(LabelLeft, 32, 520, 45);
    rgIntTraceWriteType->OnClick = [this](TObject* s) { rgIntTraceWriteTypeClick(s); };
    cbWriteARMToTrace =
        AddCheck(this, pnlSwitches, "cbWriteARMToTrace", "Записывать АРМ клиента", LabelLeft, 86);
    cbClearLoginPassword =
        AddCheck(this, pnlSwitches, "cbClearLoginPassword", "Clear login password", LabelLeft, 110);
    // Captioned and switched between file and folder by the write type.
    fcIntTraceFile = AddPathChooser(pnlTraceOptionsGround, "fcIntTraceFile", "", false, 134);
    fcIntTraceFile->SetAlign(alBottom);
    peClearLoginPasswordTags = AddListEditor(pnlTraceOptionsGround, "peClearLoginPasswordTags", '|',
                                             {"Task", "Left tag", "Right tag"});
    peClearLoginPasswordTags->SetBounds(0, 134, pnlTraceOptionsGround->ClientWidth(), 120);
    peClearLoginPasswordTags->SetAlign(alClient);
    TabBefore(peClearLoginPasswordTags, fcIntTraceFile);
}

void TfmQVRSet::BuildErrorsPage() {
    tsErrors = AddPage(this, pcConfigs, "tsErrors", "Ошибки");
    fcErrorsLogFile = AddPathChooser(tsErrors, "fcErrorsLogFile", "Errors log file name", false, 8);
    cbBlinkTrayIcon =
        AddCheck(this, tsErrors, "cbBlinkTrayIcon", "Blink tray icon on errors", LabelLeft, 56);
    cbShowErrorsMonitorOnErrors = AddCheck(this, tsErrors, "cbShowErrorsMonitorOnErrors",
                                           "Show error dialog on errors", LabelLeft, 80);
}

void TfmQVRSet::BuildErrorResponsePage() {
    tsErrorResponse = AddPage(this, pcConfigs, "tsErrorResponse", "ErrorResponse");
    auto* pnlDefault = AddGround(this, tsErrorResponse, "pnlErrorResponseDefault", alTop, 80);
    fcDefaultErrorHTML =
        AddPathChooser(pnlDefault, "fcDefaultErrorHTML", "Default error HTML file", false, 8);
    fcDefaultErrorHTML->SetFilter("*.html;*.htm|*.html;*.htm");
    cbReturnErrorTextOnly = AddCheck(this, pnlDefault, "cbReturnErrorTextOnly",
                                     "Всегда возвращать текст ошибки", LabelLeft, 56);
    cbReturnErrorTextOnly->OnClick = [this](TObject* s) { cbReturnErrorTextOnlyClick(s); };
    // The chooser gives the selected rows of the tree above it their file.
    edErrorHTML = AddPathChooser(tsErrorResponse, "edErrorHTML", "HTML:", false, 80);
    edErrorHTML->SetAlign(alBottom);
    edErrorHTML->onChange = [this](TObject* s) { edErrorHTMLChange(s); };
    tvErrorsHTMLs = AddErrorTree(tsErrorResponse, "tvErrorsHTMLs", {"Code", "Message", "HTML"});
    tvErrorsHTMLs->SetMultiSelect(true);
    tvErrorsHTMLs->OnItemSelectedChange = [this](TObject* s, TQZTreeItem* item) {
        tvErrorsHTMLsItemSelectedChange(s, item);
    };
    TabBefore(tvErrorsHTMLs, edErrorHTML);
}

void TfmQVRSet::BuildShowErrorCfgPage() {
    tsShowErrorCfg = AddPage(this, pcConfigs, "tsShowErrorCfg", "ShowErrorCfg");
    mErrorInfo = Make<TMemo>(this, tsShowErrorCfg, "mErrorInfo");
    mErrorInfo->SetBounds(0, 0, 400, 120);
    mErrorInfo->SetAlign(alBottom);
    mErrorInfo->SetReadOnly(true);
    mErrorInfo->SetScrollBars(ssVertical);
    // Above the memo, so that dragging it sizes the memo.
    splErrorInfo = Make<TSplitter>(this, tsShowErrorCfg, "splErrorInfo");
    // A splitter starts on the left: turned first, then given its thickness.
    splErrorInfo->SetAlign(alBottom);
    splErrorInfo->SetBounds(0, mErrorInfo->Top() - 4, tsShowErrorCfg->ClientWidth(), 4);
    tvErrorsShow = AddErrorTree(tsShowErrorCfg, "tvErrorsShow",
                                {"Code", "Message", "Visualization", "Write to log", "Session data",
                                 "HTTP headers", "Request data"});
    tvErrorsShow->OnItemSelectedChange = [this](TObject* s, TQZTreeItem* item) {
        tvErrorsShowItemSelectedChange(s, item);
    };
    TabBefore(tvErrorsShow, mErrorInfo);
}

void TfmQVRSet::BuildConstPages() {
    tsConstOptions = AddPage(this, pcConfigs, "tsConstOptions", "tsConstOptions");
    tsSessionConsts = AddPage(this, pcConfigs, "tsSessionConsts", "SessionConsts");
    seSessionConsts = AddListEditor(tsSessionConsts, "seSessionConsts", '=', {"Param", "Value"});
    seSessionConsts->SetAlign(alClient);
    tsRequestParams = AddPage(this, pcConfigs, "tsRequestParams", "RequestParams");
    gbRequestParams = AddGroup(this, tsRequestParams, "gbRequestParams", "Add Values if Absent",
                               Bounds(0, 0, 400, 300));
    gbRequestParams->SetAlign(alClient);
    seReqParams = AddListEditor(gbRequestParams, "seReqParams", '=', {"Param", "Value"});
    seReqParams->SetAlign(alClient);
}

void TfmQVRSet::BuildInfoPage() {
    tsInfo = AddPage(this, pcConfigs, "tsInfo", "Info");
    gbQVRDirectory =
        AddGroup(this, tsInfo, "gbQVRDirectory", "QVR Directory", Bounds(LabelLeft, 8, 560, 48));
    lbQVRDirectory = AddLabel(this, gbQVRDirectory, "lbQVRDirectory", "", LabelLeft, 18);
    gbParamsSource =
        AddGroup(this, tsInfo, "gbParamsSource", "Params source", Bounds(LabelLeft, 64, 560, 48));
    lbParamsSource = AddLabel(this, gbParamsSource, "lbParamsSource", "", LabelLeft, 18);
}

void TfmQVRSet::BuildShedulerPage() {
    tsSheduler = AddPage(this, pcConfigs, "tsSheduler", "Sheduler");
    lbShedulerScheme = AddLabel(this, tsSheduler, "lbShedulerScheme", "Scheme:", LabelLeft, 10);
    cbShedulerScheme = Make<TComboBox>(this, tsSheduler, "cbShedulerScheme");
    cbShedulerScheme->SetBounds(60, 10, TextWidth, EditHeight);
    cbShedulerScheme->OnChange = [this](TObject* s) { cbShedulerSchemeChange(s); };
    lbShedulerStatusCaption =
        AddLabel(this, tsSheduler, "lbShedulerStatusCaption", "Status:", LabelLeft, 38);
    lbShedulerStatus = AddLabel(this, tsSheduler, "lbShedulerStatus", "", 60, 38);
    cbAutoStart =
        AddCheck(this, tsSheduler, "cbAutoStart", "Start sheduler when QVR run", LabelLeft, 66);
    btnShedulerWindow = AddButton(this, tsSheduler, "btnShedulerWindow", "Show sheduler window",
                                  LabelLeft, 94, 140);
    btnShedulerWindow->OnClick = [this](TObject* s) { btnShedulerWindowClick(s); };
    btnStartSheduler =
        AddButton(this, tsSheduler, "btnStartSheduler", "Start sheduler", 156, 94, 110);
    btnStartSheduler->OnClick = [this](TObject* s) { btnStartShedulerClick(s); };
    btnStopSheduler = AddButton(this, tsSheduler, "btnStopSheduler", "Stop sheduler", 274, 94, 110);
    btnStopSheduler->OnClick = [this](TObject* s) { btnStopShedulerClick(s); };
}

void TfmQVRSet::BuildVisualizationPage() {
    tsVisualization = AddPage(this, pcConfigs, "tsVisualization", "Визуализация");
    cbSilentShutdown = AddCheck(this, tsVisualization, "cbSilentShutdown",
                                "Don't ask any question on shutdown", LabelLeft, 10);
    gbTrayIcon = AddGroup(this, tsVisualization, "gbTrayIcon", "Иконка в трее",
                          Bounds(LabelLeft, 36, 560, 104));
    const int top = 20;
    edDefaultTrayIcon = AddLabelledEdit(this, gbTrayIcon, lbDefaultTrayIcon, "lbDefaultTrayIcon",
                                        "Default:", "edDefaultTrayIcon", Row(top, 0), 400);
    btnChooseDefaultIcon =
        AddButton(this, gbTrayIcon, "btnChooseDefaultIcon", "...", 524, Row(top, 0) - 1, 25);
    btnChooseDefaultIcon->OnClick = [this](TObject* s) { btnChooseDefaultIconClick(s); };
    edErrorIcons = AddLabelledEdit(this, gbTrayIcon, lbErrorIcons, "lbErrorIcons",
                                   "Error icons:", "edErrorIcons", Row(top, 1), 400);
    Button1 = AddButton(this, gbTrayIcon, "Button1", "...", 524, Row(top, 1) - 1, 25);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    edChangeIconsInterval = AddLabelledEdit(
        this, gbTrayIcon, lbChangeIconsInterval, "lbChangeIconsInterval",
        "Change interval(msec):", "edChangeIconsInterval", Row(top, 2), NumberWidth);
    OpenPictureDialog1 = new TOpenDialog(this);
    OpenPictureDialog1->SetName("OpenPictureDialog1");
    OpenPictureDialog1->Filter = "Icons (*.ico)|*.ico|All files (*.*)|*.*";
}

void TfmQVRSet::BuildCryptoZWIDataPage() {
    tsCryptoZWIData = AddPage(this, pcConfigs, "tsCryptoZWIData", "Crypto ZWI data");
    auto* pnlSwitches = AddGround(this, tsCryptoZWIData, "pnlCryptoZWIDataSwitches", alTop, 54);
    cbSignDataToZWI =
        AddCheck(this, pnlSwitches, "cbSignDataToZWI", "Sign data to ZWI", LabelLeft, 8);
    cbSignDataToZWI->OnClick = [this](TObject* s) { cbSignDataToZWIClick(s); };
    cbCheckZWIDataSign = AddCheck(this, pnlSwitches, "cbCheckZWIDataSign",
                                  "Check signature in data from ZWI", LabelLeft, 30);
    cbCheckZWIDataSign->OnClick = [this](TObject* s) { cbCheckZWIDataSignClick(s); };

    pnlCryptoParamsGround =
        AddGround(this, tsCryptoZWIData, "pnlCryptoParamsGround", alClient, 300);
    pcCryptoParamsZWIData = AddPageControl(this, pnlCryptoParamsGround, "pcCryptoParamsZWIData");
    pcCryptoParamsZWIData->SetAlign(alClient);
    tsSignParams = AddPage(this, pcCryptoParamsZWIData, "tsSignParams", "Sign Params");
    cpeSignParams = AddCryptoEditor(tsSignParams, "cpeSignParams");
    tsCheckSignParams =
        AddPage(this, pcCryptoParamsZWIData, "tsCheckSignParams", "Check sign params");
    cpeCheckSignParams = AddCryptoEditor(tsCheckSignParams, "cpeCheckSignParams");
    // Neither box is checked yet: no signing page and no editor shows.
    cbSignDataToZWIClick(cbSignDataToZWI);
    cbCheckZWIDataSignClick(cbCheckZWIDataSign);
}

void TfmQVRSet::BuildRAdminPage() {
    tsRAdmin = AddPage(this, pcConfigs, "tsRAdmin", "RAdmin");
    pnlGroundRAdminEnabled = AddGround(this, tsRAdmin, "pnlGroundRAdminEnabled", alTop, 30);
    cbRAdminEnabled = AddCheck(this, pnlGroundRAdminEnabled, "cbRAdminEnabled",
                               "Enabled remote administration", LabelLeft, 8);
    cbRAdminEnabled->OnClick = [this](TObject* s) { cbRAdminEnabledClick(s); };

    pnlGroundRAdminConfig = AddGround(this, tsRAdmin, "pnlGroundRAdminConfig", alClient, 300);
    AddLabelledEdits(
        this, pnlGroundRAdminConfig, 4,
        {{edRAdminBindAddress, lbRAdminBindAddress, "RAdminBindAddress", "Bind address:", 150},
         {edRAdminPort, lbRAdminPort, "RAdminPort", "Port:", NumberWidth}});
    cbRAdminViewModOnly = AddCheck(this, pnlGroundRAdminConfig, "cbRAdminViewModOnly",
                                   "View mod only", LabelLeft, Row(4, 2) + 4);
    // Present in the server's dialog but never offered.
    cbRADontAuthenticate = AddCheck(this, pnlGroundRAdminConfig, "cbRADontAuthenticate",
                                    "Don't authenticate", LabelLeft, Row(4, 3));
    cbRAUseIPFilter = AddCheck(this, pnlGroundRAdminConfig, "cbRAUseIPFilter", "Use IP filter",
                               LabelLeft, Row(4, 4));
    cbRAUseIPFilter->OnClick = [this](TObject* s) { cbRAUseIPFilterClick(s); };
    pnlRAIPAddresses = AddGround(this, pnlGroundRAdminConfig, "pnlRAIPAddresses", alNone, 120);
    pnlRAIPAddresses->SetBounds(LabelLeft, Row(4, 5), 400, 120);
    pnlRAIPAddresses->SetCaption("Accepted IP addresses:");
    peRAIPAddresses = AddListEditor(pnlRAIPAddresses, "peRAIPAddresses", '|', {});
    peRAIPAddresses->SetAlign(alClient);
    for (TControl* hidden :
         std::initializer_list<TControl*>{cbRADontAuthenticate, cbRAUseIPFilter, pnlRAIPAddresses})
        hidden->SetVisible(false);
}

void TfmQVRSet::BuildStartPage() {
    tsStart = AddPage(this, pcConfigs, "tsStart", "Start");
    cbAutoRun = AddCheck(this, tsStart, "cbAutoRun", "Run when windows start", LabelLeft, 10);
    cbAutoRun->OnClick = [this](TObject* s) { cbAutoRunClick(s); };
    pnlStartOptionsGround = AddGround(this, tsStart, "pnlStartOptionsGround", alNone, 34);
    pnlStartOptionsGround->SetBounds(0, 32, 600, 34);
    edDelayBeforeLogin = AddLabelledEdit(
        this, pnlStartOptionsGround, lbDelayBeforeLogin, "lbDelayBeforeLogin",
        "Delay before login to DB when autorun(sec.):", "edDelayBeforeLogin", 4, NumberWidth);
}
