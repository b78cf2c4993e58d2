#include "viewer/bll_leak_form.h"
#include "viewer/data_base_params_form.h"
#include "viewer/diagram_form.h"
#include "viewer/qvr_config_form.h"
#include "viewer/settings_dialog/qvr_set_form.h"
#include "viewer/tasks_threads_form.h"
#include "viewer/time_line_form.h"
#include "viewer/viewer_startup.h"

#include "qvr/crypto_engine_list.h"
#include "qvr/debug_reader.h"
#include "qvr/exception_handler.h"
#include "qvr/loc_messages.h"
#include "qvr/memory_qvr_config.h"
#include "qvr/qvr_config.h"
#include "rtl/format_settings.h"
#include "rtl/wide_text.h"
#include "support/crypto_stand_in.h"
#include "support/message_capture.h"
#include "tools/localization_store.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"

#include <gtest/gtest.h>

namespace {
struct TSeenAtRun {
    std::vector<std::string> Forms;
    bool MainVisible = false;
    bool OthersHidden = true;
    bool BarAcrossTheTop = false;
};
TSeenAtRun Seen;

// Runs inside the message loop: notes what the program made, then closes the main window.
void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        Seen.Forms.push_back(form->Name());
        if (form != fmTimeLineForm && form->Visible())
            Seen.OthersHidden = false;
    }
    Seen.MainVisible = fmTimeLineForm->Visible();
    RECT window{};
    GetWindowRect(fmTimeLineForm->Handle(), &window);
    const TRect area = Screen->WorkAreaRect();
    Seen.BarAcrossTheTop = !IsZoomed(fmTimeLineForm->Handle()) && window.left == area.Left &&
                           window.top == area.Top && window.right == area.Right &&
                           window.bottom - window.top < area.Height() / 3;
    PostMessageW(fmTimeLineForm->Handle(), WM_CLOSE, 0, 0);
}
} // namespace

TEST(Startup, TheProgramRunsUntilTheMainWindowClosesAndLeavesNothingBehind) {
    Seen = TSeenAtRun();
    SetTimer(nullptr, 0, 50, CloseMainWindow);
    EXPECT_EQ(RunViewer(), 0);
    Application->ClearTerminated();
    EXPECT_EQ(Seen.Forms,
              (std::vector<std::string>{"fmTimeLineForm", "fmDiagramForm", "fmSystemInfoForm",
                                        "fmSystemLeakForm", "fmBLLLeakForm", "fmDataBaseParamsForm",
                                        "fmQVRConfigForm", "fmQVRSet", "fmTasksThreads"}));
    EXPECT_TRUE(Seen.MainVisible);
    EXPECT_TRUE(Seen.OthersHidden);
    EXPECT_TRUE(Seen.BarAcrossTheTop);
    EXPECT_EQ(fmTimeLineForm, nullptr);
    EXPECT_EQ(fmDataBaseParamsForm, nullptr);
    EXPECT_EQ(fmDiagramForm, nullptr);
    EXPECT_EQ(fmBLLLeakForm, nullptr);
    EXPECT_EQ(fmTasksThreads, nullptr);
    EXPECT_EQ(fmQVRConfigForm, nullptr);
    EXPECT_EQ(fmQVRSet, nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_EQ(DebugReader, nullptr);
    EXPECT_EQ(QVRConfig, nullptr);
    EXPECT_EQ(FileLocalizator, nullptr);
    EXPECT_EQ(QVRLocMessages, nullptr);
}

TEST(Startup, ASessionMakesTheGlobalsAndTheWindowsInOrder) {
    FormatSettings().DecimalSeparator = ',';
    {
        TViewerSession session;
        EXPECT_NE(DebugReader, nullptr);
        EXPECT_NE(QVRConfig, nullptr);
        EXPECT_NE(QVRLocMessages, nullptr);
        EXPECT_NE(QZExceptionHandler, nullptr);
        EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
        EXPECT_EQ(FormatSettings().ShortDateFormat, "dd.mm.yyyy");
        ASSERT_NE(fmTimeLineForm, nullptr);
        EXPECT_EQ(Application->MainForm(), fmTimeLineForm);
        EXPECT_EQ(fmTimeLineForm->Caption(), "QVRDebugViewer");
        // The settings dialog is no snapshot window and has no button.
        ASSERT_EQ(fmTimeLineForm->tbForms->ButtonCount(), 7);
        EXPECT_EQ(fmTimeLineForm->tbForms->Buttons(0)->Caption(), "Diagram");
        EXPECT_EQ(fmTimeLineForm->tbForms->Buttons(4)->Caption(), "DataBase params");
        EXPECT_EQ(fmTimeLineForm->tbForms->Buttons(5)->Caption(), "QVR Config");
        EXPECT_EQ(fmTimeLineForm->tbForms->Buttons(6)->Caption(), "Tasks threads");
        // The configuration window put an in-memory configuration in place of the first.
        EXPECT_NE(dynamic_cast<TMemoryQVRConfig*>(QVRConfig.get()), nullptr);
        EXPECT_NE(fmQVRSet, nullptr);
        EXPECT_FALSE(fmDataBaseParamsForm->Visible());
        EXPECT_EQ(fmDataBaseParamsForm->CurrentDebugInfoIndex(), 0);
    }
    EXPECT_EQ(fmTimeLineForm, nullptr);
    EXPECT_EQ(DebugReader, nullptr);
    EXPECT_EQ(QZExceptionHandler, nullptr);
    // Made again, as a test after another does.
    TViewerSession again;
    EXPECT_EQ(Application->MainForm(), fmTimeLineForm);
}

TEST(Startup, TheCryptoEngineLibraryStaysLoadedToTheEndOfTheSession) {
    CryptoStandIn library;
    library.Configure(EngineTypes({"GOST"}));
    SetDllDirectoryW(ToWide(library.Folder()).c_str());
    MessageCapture boxes;
    {
        TViewerSession session;
        LoadSigmakit(true, true);
        UnLoadSigmakit();
        EXPECT_TRUE(SigmakitLoaded());
        ASSERT_NE(CryptoEngineLst, nullptr);
        EXPECT_EQ(CryptoEngineLst->Count(), 1);
    }
    SetDllDirectoryW(nullptr);
    EXPECT_FALSE(SigmakitLoaded());
    EXPECT_EQ(CryptoEngineLst, nullptr);
    EXPECT_EQ(SigmakitFullName, "");
    EXPECT_TRUE(boxes.Texts.empty());
}
