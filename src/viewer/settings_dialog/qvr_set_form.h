#pragma once
#include "vcl/core/forms.h"
#include "viewer/settings_dialog/hidden_settings.h"

#include <initializer_list>
#include <string>

class TButton;
class TCheckBox;
class TComboBox;
class TCryptoParamsEditor;
class TEdit;
class TGroupBox;
class TImageList;
class TLabel;
class TMemo;
class TOpenDialog;
class TPageControl;
class TPanel;
class TQZFilePathChoser;
class TQZParamsEditEx;
class TQZTree;
class TQZTreeItem;
class TRadioGroup;
class TSplitter;
class TTabSheet;

// The QVR server's settings dialog over the global QVRConfig: every showing fills the controls
// from it, OK reads them back and writes the configuration into its INI text. The pages are
// built one builder per page; fill and read-back mirror each other field by field.
class TfmQVRSet : public TForm {
public:
    explicit TfmQVRSet(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    // Every key of the dialog passes here first; letters feed the hidden-settings sequence.
    void FormShortCut(TWMKey& Msg, bool& Handled);
    // Lines the edit columns up after their labels; the form localiser calls it by name.
    void CorrectControlsPosition();

    void FillControls();
    // Copies the controls into QVRConfig; a number edit holding no number raises EConvertError,
    // and what was read before it stays read.
    void ReadValues();

    // Handlers of the controls; each applies one visibility rule.
    void rgConnectionTypeClick(TObject* Sender);
    void cbCheckForDeadTaskClick(TObject* Sender);
    void cbEnabledIntTraceClick(TObject* Sender);
    void cbInitCryptoEngineClick(TObject* Sender);
    void rgTypeGetCryptoParamsClick(TObject* Sender);
    void rgIntTraceWriteTypeClick(TObject* Sender);
    void cbReturnErrorTextOnlyClick(TObject* Sender);
    void cbSignDataToZWIClick(TObject* Sender);
    void cbCheckZWIDataSignClick(TObject* Sender);
    void cbRAdminEnabledClick(TObject* Sender);
    void cbRAUseIPFilterClick(TObject* Sender);
    void cbAutoRunClick(TObject* Sender);
    void cbShedulerSchemeChange(TObject* Sender);
    void btnStartShedulerClick(TObject* Sender);
    void btnStopShedulerClick(TObject* Sender);
    void btnChooseDefaultIconClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void btnLoadDefaultClick(TObject* Sender);
    // The cache and scheduler-window buttons of the server have no work in the viewer.
    void btnClearCacheClick(TObject*) {}
    void btnViewCacheClick(TObject*) {}
    void btnShedulerWindowClick(TObject*) {}
    // The page tree shows the page of the selected row.
    void tvChoseConfigOptionsItemSelectedChange(TObject* Sender, TQZTreeItem* Item);
    // The error trees: the selected rows' HTML file in its chooser, the selected row's
    // description in the memo, and a file typed there given to every selected row.
    void tvErrorsHTMLsItemSelectedChange(TObject* Sender, TQZTreeItem* Item);
    void tvErrorsShowItemSelectedChange(TObject* Sender, TQZTreeItem* Item);
    void edErrorHTMLChange(TObject* Sender);
    // The page tree anew: one row per reachable page, the optional pages only when their
    // settings are on.
    void BuildConfigTree();
    // Every path chooser: a relative path starts at the server's run directory, and a file
    // over a megabyte is opened only when the operator wants it.
    void BeforeChooseFPHandler(TObject* Sender, int ChooserType, std::string& Path);
    void pcBeforeOpen(TObject* Sender, bool& Allowed, std::string& Path);

    bool FlagFillControls = false;
    TQVRHiddenSettingsKeys CurrentShortcut;
    bool ExternalCfg = false;

    // Bottom panel.
    TPanel* pnlBottom = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TButton* btnLoadDefault = nullptr;
    TButton* btnDlgOk = nullptr;
    TButton* btnDlgCancel = nullptr;
    TComboBox* LocilizeControl = nullptr;

    TImageList* ilConfigOptions = nullptr;
    TQZTree* tvChoseConfigOptions = nullptr;
    TSplitter* splConfigOptions = nullptr;
    TPageControl* pcConfigs = nullptr;
    TTabSheet* tsDefault = nullptr;
    TLabel* lbDefaultLabel = nullptr;

    TTabSheet* tsConnectionOptions = nullptr;
    TPanel* pnlConnectionType = nullptr;
    TRadioGroup* rgConnectionType = nullptr;
    TLabel* lbTryConnectionInterval = nullptr;
    TEdit* edTryConnectionInterval = nullptr;
    TLabel* lbResponseTimeOut = nullptr;
    TEdit* edResponseTimeOut = nullptr;
    TPageControl* pcConnection = nullptr;
    TTabSheet* tsClientSocket = nullptr;
    TQZParamsEditEx* peZWIAddresses = nullptr;
    TTabSheet* tsMQ = nullptr;
    TTabSheet* tsServerSocket = nullptr;
    TQZParamsEditEx* peServerSocketConnections = nullptr;
    TLabel* lbQueueManager = nullptr;
    TEdit* edQueueManager = nullptr;
    TLabel* lbPutMQQueue = nullptr;
    TEdit* edPutMQQueue = nullptr;
    TLabel* lbGetMQQueue = nullptr;
    TEdit* edGetMQQueue = nullptr;
    TLabel* lbMQQVRID = nullptr;
    TEdit* edMQQVRID = nullptr;
    TLabel* lbChannelName = nullptr;
    TEdit* edChannelName = nullptr;
    TLabel* lbConnectionName = nullptr;
    TEdit* edConnectionName = nullptr;

    TTabSheet* tsWorkOptions = nullptr;
    TCheckBox* cbOnlyInformService = nullptr;

    TTabSheet* tsTasksOptions = nullptr;
    TLabel* lbMaxRunTasks = nullptr;
    TEdit* edMaxRunTasks = nullptr;
    TLabel* lbServerName = nullptr;
    TEdit* edServerName = nullptr;
    TLabel* lbScriptPath = nullptr;
    TEdit* edScriptPath = nullptr;
    TLabel* lbMaxRunHugeTasks = nullptr;
    TEdit* edMaxRunHugeTasks = nullptr;
    TCheckBox* cbCheckForDeadTask = nullptr;
    TPanel* pnlCheckDeadTask = nullptr;
    TLabel* lbExecTaskTimeOut = nullptr;
    TEdit* edExecTaskTimeOut = nullptr;
    TLabel* lbExecHugeTaskTimeOut = nullptr;
    TEdit* edExecHugeTaskTimeOut = nullptr;
    TCheckBox* cbKillDeadTask = nullptr;

    TTabSheet* tsDirectories = nullptr;
    TQZFilePathChoser* pcTemplateDir = nullptr;
    TQZFilePathChoser* pcBLLDir = nullptr;

    TTabSheet* tsCache = nullptr;
    TButton* btnClearCache = nullptr;
    TButton* btnViewCache = nullptr;
    TCheckBox* cbEnableTemplateCashe = nullptr;

    TTabSheet* tsSessions = nullptr;
    TLabel* lbClientMaxSessions = nullptr;
    TEdit* edClientMaxSessions = nullptr;
    TLabel* lbClientTimeOut = nullptr;
    TEdit* edClientTimeOut = nullptr;
    TCheckBox* cbAlwaysNeedTaskConfig = nullptr;
    TCheckBox* cbCheckFuncRights = nullptr;
    TCheckBox* cbRunAutenticate = nullptr;
    TGroupBox* gbCloseSession = nullptr;
    TLabel* lbCloseSessionBLL = nullptr;
    TEdit* edCloseSessionBLL = nullptr;
    TLabel* lbCloseSessionFunction = nullptr;
    TEdit* edCloseSessionFunction = nullptr;
    TCheckBox* cbCheckUniqSIDIpHost = nullptr;
    TCheckBox* cbCheckUniqRunTask = nullptr;

    TTabSheet* tsUserIdent = nullptr;
    TPanel* pnlCryptoConfig = nullptr;
    TRadioGroup* rgTypeGetCryptoParams = nullptr;
    TPageControl* pcCryptoEngine = nullptr;
    TTabSheet* tsCryptoFromBase = nullptr;
    TTabSheet* tsCryptoFromFile = nullptr;
    TTabSheet* tsCryptoFromList = nullptr;
    TLabel* lbCryptoEngineType = nullptr;
    TComboBox* cbCryptoEngineType = nullptr;
    TQZFilePathChoser* fcCryptoParamsFile = nullptr;
    TCryptoParamsEditor* cpeUserIdentCryptoParams = nullptr;
    TLabel* lbWebAdminSiteInstanceID = nullptr;
    TEdit* edWebAdminSiteInstanceID = nullptr;
    TCheckBox* cbAuthenticateEmptyUser = nullptr;
    TCheckBox* cbInitCryptoEngine = nullptr;

    TTabSheet* tsInternalTrace = nullptr;
    TCheckBox* cbEnabledIntTrace = nullptr;
    TPanel* pnlTraceOptionsGround = nullptr;
    TLabel* lbTraceFileMaxSize = nullptr;
    TEdit* edTraceFileMaxSize = nullptr;
    TRadioGroup* rgIntTraceWriteType = nullptr;
    TCheckBox* cbWriteARMToTrace = nullptr;
    TCheckBox* cbClearLoginPassword = nullptr;
    TQZParamsEditEx* peClearLoginPasswordTags = nullptr;
    TQZFilePathChoser* fcIntTraceFile = nullptr;

    TTabSheet* tsErrors = nullptr;
    TQZFilePathChoser* fcErrorsLogFile = nullptr;
    TCheckBox* cbBlinkTrayIcon = nullptr;
    TCheckBox* cbShowErrorsMonitorOnErrors = nullptr;

    TTabSheet* tsErrorResponse = nullptr;
    TQZFilePathChoser* fcDefaultErrorHTML = nullptr;
    TCheckBox* cbReturnErrorTextOnly = nullptr;
    TQZTree* tvErrorsHTMLs = nullptr;
    TQZFilePathChoser* edErrorHTML = nullptr;

    TTabSheet* tsShowErrorCfg = nullptr;
    TQZTree* tvErrorsShow = nullptr;
    TSplitter* splErrorInfo = nullptr;
    TMemo* mErrorInfo = nullptr;

    TTabSheet* tsConstOptions = nullptr;
    TTabSheet* tsSessionConsts = nullptr;
    TQZParamsEditEx* seSessionConsts = nullptr;
    TTabSheet* tsRequestParams = nullptr;
    TGroupBox* gbRequestParams = nullptr;
    TQZParamsEditEx* seReqParams = nullptr;

    TTabSheet* tsInfo = nullptr;
    TGroupBox* gbQVRDirectory = nullptr;
    TLabel* lbQVRDirectory = nullptr;
    TGroupBox* gbParamsSource = nullptr;
    TLabel* lbParamsSource = nullptr;

    TTabSheet* tsSheduler = nullptr;
    TLabel* lbShedulerScheme = nullptr;
    TComboBox* cbShedulerScheme = nullptr;
    TLabel* lbShedulerStatusCaption = nullptr;
    TLabel* lbShedulerStatus = nullptr;
    TCheckBox* cbAutoStart = nullptr;
    TButton* btnShedulerWindow = nullptr;
    TButton* btnStartSheduler = nullptr;
    TButton* btnStopSheduler = nullptr;

    TTabSheet* tsVisualization = nullptr;
    TCheckBox* cbSilentShutdown = nullptr;
    TGroupBox* gbTrayIcon = nullptr;
    TLabel* lbDefaultTrayIcon = nullptr;
    TEdit* edDefaultTrayIcon = nullptr;
    TButton* btnChooseDefaultIcon = nullptr;
    TLabel* lbErrorIcons = nullptr;
    TEdit* edErrorIcons = nullptr;
    TButton* Button1 = nullptr;
    TLabel* lbChangeIconsInterval = nullptr;
    TEdit* edChangeIconsInterval = nullptr;
    TOpenDialog* OpenPictureDialog1 = nullptr;

    TTabSheet* tsCryptoZWIData = nullptr;
    TCheckBox* cbSignDataToZWI = nullptr;
    TCheckBox* cbCheckZWIDataSign = nullptr;
    TPanel* pnlCryptoParamsGround = nullptr;
    TPageControl* pcCryptoParamsZWIData = nullptr;
    TTabSheet* tsSignParams = nullptr;
    TCryptoParamsEditor* cpeSignParams = nullptr;
    TTabSheet* tsCheckSignParams = nullptr;
    TCryptoParamsEditor* cpeCheckSignParams = nullptr;

    TTabSheet* tsRAdmin = nullptr;
    TPanel* pnlGroundRAdminEnabled = nullptr;
    TCheckBox* cbRAdminEnabled = nullptr;
    TPanel* pnlGroundRAdminConfig = nullptr;
    TLabel* lbRAdminBindAddress = nullptr;
    TEdit* edRAdminBindAddress = nullptr;
    TLabel* lbRAdminPort = nullptr;
    TEdit* edRAdminPort = nullptr;
    TCheckBox* cbRAdminViewModOnly = nullptr;
    TCheckBox* cbRADontAuthenticate = nullptr;
    TCheckBox* cbRAUseIPFilter = nullptr;
    TPanel* pnlRAIPAddresses = nullptr;
    TQZParamsEditEx* peRAIPAddresses = nullptr;

    TTabSheet* tsStart = nullptr;
    TCheckBox* cbAutoRun = nullptr;
    TPanel* pnlStartOptionsGround = nullptr;
    TLabel* lbDelayBeforeLogin = nullptr;
    TEdit* edDelayBeforeLogin = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override;
    void BeforeDestruction() override;

private:
    // One builder per page or group.
    void BuildBottomPanel();
    void BuildPageTree();
    void BuildPages();
    void BuildDefaultPage();
    void BuildConnectionPage();
    void BuildConnectionTypePages();
    void BuildWorkPage();
    void BuildTasksPage();
    void BuildDirectoriesPage();
    void BuildCachePage();
    void BuildSessionsPage();
    void BuildUserIdentPage();
    void BuildInternalTracePage();
    void BuildErrorsPage();
    void BuildErrorResponsePage();
    void BuildShowErrorCfgPage();
    void BuildConstPages();
    void BuildInfoPage();
    void BuildShedulerPage();
    void BuildVisualizationPage();
    void BuildCryptoZWIDataPage();
    void BuildRAdminPage();
    void BuildStartPage();

    // Visibility rules, run by their controls' handlers and by FillControls.
    void SetConnectionType();
    void CheckDeadTasksControlsVisible();
    void EnabledIntTraceControls();
    void IntTraceWriteTypeChangeControl();
    void VisibleCryptoConfig();
    void VisibleCryptoParamsControls();
    void VisibleSignPage(TCheckBox* box, TTabSheet* page, TCryptoParamsEditor* editor);
    void VisibleCryptoParamsGround();
    void VisibleErrorsHTMLConfigs();
    void EnabledShedulerControls();

    // Fill and read-back in pieces that mirror each other.
    void FillConnections();
    void ReadConnections();
    void FillErrorTrees();
    void ReadErrorTrees();
    void FillSigning();
    void ReadSigning();
    void FillCryptoEngineType();
    void FillCryptoEngineCombo();
    std::string ReadCryptoEngineType() const;
    void FillShedulerSchemes();
    void ReadAutoStartScheme();

    // The hidden settings: ShemeName and data signing made reachable, typed connections on.
    void ApplyHiddenSettings();
    TCryptoParamsEditor* AddCryptoEditor(TWinControl* page, const char* name);
    TQZParamsEditEx* AddListEditor(TWinControl* parent, const char* name, char separator,
                                   std::initializer_list<const char*> columns);
    TQZTree* AddErrorTree(TWinControl* parent, const char* name,
                          std::initializer_list<const char*> columns);
    // A page's row in the page tree, with its pictures when the page has its own.
    TQZTreeItem* AddPageItem(TQZTreeItem* parent, TTabSheet* page);
    TQZFilePathChoser* AddPathChooser(TWinControl* parent, const char* name, const char* caption,
                                      bool folder, int top);
    void ChooseTrayIcon(TEdit* edit);
    void FitTrayIconEdits();
};

extern TfmQVRSet* fmQVRSet;
