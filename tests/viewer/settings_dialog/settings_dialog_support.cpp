#include "settings_dialog_support.h"

#include "qvr/memory_qvr_config.h"
#include "qvr/qvr_config.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/wide_text.h"
#include "support/debug_file_writer.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/page_control.h"
#include "vcl/core/menus.h"
#include "viewer/qvr_config_form.h"
#include "viewer/settings_dialog/qvr_set_form.h"

#include <commctrl.h>

namespace {
ModalScript* Running = nullptr;
constexpr int IdleTicksBeforeCancel = 100;
} // namespace

ModalScript::ModalScript(std::vector<std::function<void()>> steps) : FSteps(std::move(steps)) {
    Running = this;
    FTimer = SetTimer(nullptr, 0, 20, Tick);
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, FTimer);
    Running = nullptr;
}

void __stdcall ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* script = Running;
    if (!script)
        return;
    if (script->FNext < script->FSteps.size()) {
        // The step may open a nested loop (a message box); it must not run twice.
        auto step = script->FSteps[script->FNext++];
        step();
        return;
    }
    if (fmQVRSet && fmQVRSet->Modal() && ++script->FIdleTicks > IdleTicksBeforeCancel) {
        script->FTimedOut = true;
        fmQVRSet->SetModalResult(mrCancel);
    }
}

void SettingsDialogTest::OpenConfigs(const std::vector<std::string>& texts) {
    const std::string path = Folder.File("config.dbg");
    {
        TDebugFileWriter file(path);
        const std::vector<std::string> keys = DayKeys("10.01.2006", int(texts.size()));
        for (size_t i = 0; i < texts.size(); ++i)
            file.Snapshot(keys[i], "2.5.1.7",
                          TDebugBlockWriter().Section("QVRConfig", texts[i]).Data());
    }
    fmQVRConfigForm->Show();
    Main().OpenFile(path);
}

std::string SettingsDialogTest::ShowSettings(std::vector<std::function<void()>> steps) {
    {
        ModalScript script(std::move(steps));
        fmQVRConfigForm->miShowQVRConfigFormClick(fmQVRConfigForm->miShowQVRConfigForm);
        EXPECT_TRUE(script.Finished()) << "the dialog was still open after the last step";
    }
    return Written();
}

std::string SettingsDialogTest::ModelText(const std::string& text) {
    auto& config = static_cast<TMemoryQVRConfig&>(*QVRConfig);
    config.CfgFileLines.SetText(text);
    config.ReadQVRParameters();
    config.WriteQVRParameters();
    return config.CfgFileLines.Text();
}

std::string SettingsDialogTest::Written() const {
    return static_cast<TMemoryQVRConfig&>(*QVRConfig).CfgFileLines.Text();
}

void ClickControl(TWinControl* control) {
    RECT r;
    GetClientRect(control->Handle(), &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control->Handle(), WM_LBUTTONUP, 0, at);
}

TQZTreeItem* PageRow(TTabSheet* page) {
    TQZTreeItems& rows = *fmQVRSet->tvChoseConfigOptions->Items();
    for (int i = 0; i < rows.Count(); ++i)
        if (rows.Item(i)->Tag == page->PageIndex())
            return rows.Item(i);
    return nullptr;
}

namespace {
// A click in a shown row at the X that Left gives once the row is painted (painting places the
// texts, which the hit test reads).
void ClickInRow(TQZTree* tree, TQZTreeItem* item, const std::function<int()>& left,
                uintptr_t keys) {
    TQZTreeView* view = tree->ViewControl();
    tree->EnsureVisible(item);
    view->Invalidate();
    UpdateWindow(view->Handle());
    const TRect row = view->GetItemRect(view->FVisible.IndexOf(item));
    const LPARAM at = MAKELPARAM(left() - tree->LeftPosition(), (row.Top + row.Bottom) / 2);
    PostMessageW(view->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    PostMessageW(view->Handle(), WM_LBUTTONUP, keys, at);
}
} // namespace

void PostKeyTo(HWND window, uint16_t key) {
    const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(window, WM_KEYUP, key, 1 | scan | LPARAM(3u << 30));
}

void ClickRow(TQZTree* tree, TQZTreeItem* item, uintptr_t keys) {
    ClickInRow(
        tree, item, [item] { return item->TextLeft + 3; }, keys);
}

void ClickCell(TQZTree* tree, TQZTreeItem* item, int section) {
    ClickInRow(
        tree, item,
        [tree, section] {
            int left = 0, right = 0;
            tree->SectionBounds(section, left, right);
            return (left + right) / 2;
        },
        0);
}

void ShowPage(TTabSheet* page) {
    if (page->PageControl() == fmQVRSet->pcConfigs) {
        TQZTreeItem* row = PageRow(page);
        ASSERT_NE(row, nullptr) << page->Caption() << " has no row in the page tree";
        ClickRow(fmQVRSet->tvChoseConfigOptions, row);
        return;
    }
    RECT r;
    HWND tabs = page->PageControl()->Handle();
    SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(page->TabIndex()), LPARAM(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tabs, WM_LBUTTONUP, 0, at);
}

void TypeInto(TEdit* edit, const std::string& text) {
    HWND window = edit->Handle();
    ClickControl(edit);
    PostMessageW(window, WM_KEYDOWN, VK_END, 1);
    PostMessageW(window, WM_KEYUP, VK_END, LPARAM(1 | 3u << 30));
    const int old = GetWindowTextLengthW(window);
    for (int i = 0; i < old; ++i)
        PostMessageW(window, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : ToWide(text))
        PostMessageW(window, WM_CHAR, c, 1);
}

std::string WindowText(TWinControl* control) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(control->Handle(), buffer, 1024);
    return FromWide(buffer);
}

bool WindowChecked(TCheckBox* box) {
    return SendMessageW(box->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool WindowVisible(TWinControl* control) {
    return IsWindowVisible(control->Handle()) != 0;
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

const std::string FullConfig = Lines({
    "[Config]",
    "ServerName=prodbank",
    "ScriptPath=zw/",
    "TemplatePath=C:\\T",
    "BLLPath=C:\\B",
    "UseConnectionType=1",
    "MQQVRID=QV1",
    "ResponseTimeOut=33",
    "TryConnectionInterval=4",
    "ClientTimeOut=700",
    "ClientMaxSessions=50",
    "SilentShutdown=1",
    "OnlyInformService=1",
    "MaxRunTasks=12",
    "MaxRunHugeTasks=5",
    "CheckForDeadTask=1",
    "KillDeadTask=1",
    "ExecTaskTimeOut=61",
    "ExecHugeTaskTimeOut=181",
    "[Connection]",
    "ConnectionType=MQ",
    "Config0=ClientSocket: host1:100",
    "Config1=MQ: QM|CH|CN|PUT|GET",
    "Config2=ServerSocket: 0.0.0.0:200",
    "[Internal tracer params]",
    "IntTraceWriteType=0",
    "IntTraceFileName=C:\\trace.log",
    "IntTraceEnabled=1",
    "WriteARMToTrace=1",
    "ClearLoginPassword=1",
    "TraceFileMaxSize=20",
    "Tag0=Login|<p>|</p>",
    "[Request Absent Values]",
    "A=1",
    "[Session consts]",
    "B=2",
    "[Cache options]",
    "EnableCashe=1",
    "[Errors]",
    "LogFileName=C:\\err.log",
    "BlinkTrayIconOnError=0",
    "ShowErrorsMonitor=0",
    "[Sheduler]",
    "ShemeName=Night",
    "AutoStartScheme=1",
    "[ErrorResponse]",
    "ReturnOnlyErrorText=1",
    "DefaultErrorHTML=C:\\e.html",
    "[ShowErrors]",
    "101=01010",
    "[Errors HTMLs]",
    "101=x.htm",
    "[Sessions]",
    "CheckFuncRights=0",
    "AlwaysNeedTaskConfig=0",
    "CloseSessionBLLName=close.dll",
    "CloseSessionFunctionName=OnClose",
    "CheckTaskRWA=0",
    "CheckUniqSIDIpHost=1",
    "CheckUniqRunTask=1",
    "[TrayIcon]",
    "ChangeErrorIconsInterval=250",
    "CustomDefaultTrayIcon=C:\\a.ico",
    "CustomErrorTrayIcons=C:\\b.ico",
    "[Crypto]",
    "CryptoEngineType=GOST",
    "TypeGetCryptoParams=1",
    "InitCryptoEngine=1",
    "CryptoParamsFile=C:\\c.txt",
    "[CryptoParams]",
    "K=V",
    "[Authenticate]",
    "AuthenticateEmptyUser=0",
    "WebAdminSiteInstanceID=site7",
    "IdentUserVersion=2",
    "[CryptoZWIData]",
    "SignData=1",
    "SignCryptoEngineType=GOST",
    "CheckSignData=1",
    "CheckSignCryptoEngineType=GOST",
    "[SignZWIDataCryptoParams]",
    "S=1",
    "[CheckSignZWIDataCryptoParams]",
    "C=2",
    "[RAdmin]",
    "RAdminEnabled=1",
    "RAdminViewModOnly=0",
    "RAdminBindAddress=10.0.0.1",
    "RAdminPort=2222",
    "[Start]",
    "DelayBeforeLogin=9",
    "[Debug info]",
    "SaveRunTasks=1",
});

bool Has(const std::string& text, const std::string& line) {
    return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

// The entry lines of one section of an INI text.
std::string SectionOfText(const std::string& text, const std::string& section) {
    const std::string head = "[" + section + "]\r\n";
    std::string::size_type start = text.find(head);
    if (start == std::string::npos)
        return "";
    start += head.size();
    std::string::size_type end = text.find("\r\n\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}
