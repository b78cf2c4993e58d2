#include "settings_dialog_support.h"

#include "qvr/error_catalogue.h"

#include "qvr/qvr_config.h"
#include "qztree/params_editor/params_edit.h"
#include "rtl/wide_text.h"
#include "support/crypto_stand_in.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_group.h"
#include "vcl/core/screen.h"
#include "viewer/crypto_params_editor/crypto_params_editor.h"
#include "viewer/qvr_config_form.h"
#include "viewer/settings_dialog/qvr_set_form.h"
#include <cmath>
#include <fstream>

TEST_F(SettingsDialogTest, OkWritesBackEveryFieldAsItWasRead) {
    const std::string expected = ModelText(FullConfig);
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::string shown;
    const std::string written = ShowSettings({[&] {
        // What the operator sees on the pages.
        shown = WindowText(d.edServerName) + "|" + WindowText(d.edQueueManager) + "|" +
                WindowText(d.edMaxRunTasks) + "|" + WindowText(d.edRAdminPort) + "|" +
                WindowText(d.cbShedulerScheme) + "|" + WindowText(d.cbCryptoEngineType);
        EXPECT_TRUE(WindowChecked(d.cbCheckUniqSIDIpHost));
        EXPECT_TRUE(WindowChecked(d.cbKillDeadTask));
        EXPECT_FALSE(WindowChecked(d.cbBlinkTrayIcon));
        EXPECT_EQ(d.rgConnectionType->ItemIndex(), 1);
        ClickControl(d.btnOk);
    }});
    EXPECT_EQ(shown, "prodbank|QM|12|2222|Night|GOST");
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(written, expected);
    // The memo keeps the snapshot's own text.
    EXPECT_EQ(fmQVRConfigForm->mParams->Lines()->Get(1), "ServerName=prodbank");
}

TEST_F(SettingsDialogTest, WhatTheOperatorTypesReachesTheText) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsTasksOptions); },
        [&] {
            TypeInto(d.edMaxRunTasks, "7");
            TypeInto(d.edServerName, "NewBank");
            ClickControl(d.cbKillDeadTask);
        },
        [&] { ShowPage(d.tsConnectionOptions); },
        [&] {
            ClickControl(d.rgConnectionType->Buttons(0));
            TypeInto(d.edQueueManager, "QM2");
            TypeInto(d.edTryConnectionInterval, "0");
        },
        [&] {
            EXPECT_EQ(d.pcConnection->ActivePage(), d.tsClientSocket);
            EXPECT_TRUE(WindowVisible(d.edResponseTimeOut));
            ClickControl(d.btnOk);
        },
    });
    EXPECT_TRUE(Has(written, "MaxRunTasks=7")) << written;
    // The server's name is kept in lower case as it is typed.
    EXPECT_TRUE(Has(written, "ServerName=newbank"));
    EXPECT_TRUE(Has(written, "KillDeadTask=0"));
    EXPECT_TRUE(Has(written, "ConnectionType=ClientSocket"));
    EXPECT_TRUE(Has(written, "Config1=MQ: QM2|CH|CN|PUT|GET"));
    EXPECT_TRUE(Has(written, "TryConnectionInterval=1"));
}

TEST_F(SettingsDialogTest, ANumberThatIsNoNumberKeepsTheDialogOpenWithWhatWasReadBeforeIt) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    bool openAfterError = false;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsTasksOptions); },
        [&] {
            TypeInto(d.edServerName, "other");
            TypeInto(d.edMaxRunTasks, "abc");
            TypeInto(d.edMaxRunHugeTasks, "3");
            ClickControl(d.btnOk);
        },
        [&] {
            openAfterError = d.Visible() && d.Modal();
            ASSERT_EQ(Boxes.Captions.size(), Boxes.Texts.size());
            EXPECT_EQ(Boxes.Captions.back(), "QVR Error");
            // Read before the bad number; the huge-task limit after it is not.
            EXPECT_EQ(QVRConfig->ServerName, "other");
            EXPECT_EQ(QVRConfig->MaxRunHugeTasks, 5);
            EXPECT_EQ(WindowText(d.edMaxRunTasks), "abc");
            TypeInto(d.edMaxRunTasks, "9");
            ClickControl(d.btnOk);
        },
    });
    EXPECT_TRUE(openAfterError);
    EXPECT_NE(Boxes.Texts.back().find("abc"), std::string::npos);
    EXPECT_TRUE(Has(written, "MaxRunTasks=9"));
    EXPECT_TRUE(Has(written, "MaxRunHugeTasks=3"));
}

TEST_F(SettingsDialogTest, LenientNumbersFallBackToTheirDefaults) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({[&] {
        TypeInto(d.edTryConnectionInterval, "abc");
        TypeInto(d.edDelayBeforeLogin, "abc");
        TypeInto(d.edRAdminPort, "abc");
        TypeInto(d.edChangeIconsInterval, "x1");
        ClickControl(d.btnOk);
    }});
    EXPECT_TRUE(Has(written, "TryConnectionInterval=1"));
    EXPECT_TRUE(Has(written, "DelayBeforeLogin=0"));
    EXPECT_TRUE(Has(written, "RAdminPort=2222"));
    EXPECT_TRUE(Has(written, "ChangeErrorIconsInterval=250"));
}

TEST_F(SettingsDialogTest, CancelLeavesTheTextAsTheModelReadIt) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::string before;
    const std::string written = ShowSettings({[&] {
        before = Written();
        TypeInto(d.edMaxRunTasks, "abc");
        ClickControl(d.btnCancel);
    }});
    EXPECT_EQ(written, before);
    EXPECT_EQ(QVRConfig->MaxRunTasks, 12);
}

TEST_F(SettingsDialogTest, SwitchesShowAndHideTheirControls) {
    OpenConfigs({Lines({"[Config]", "CheckForDeadTask=0", "[Start]", "DelayBeforeLogin=3"})});
    TfmQVRSet& d = *fmQVRSet;
    ShowSettings({
        [&] {
            // Keys the text lacks show their defaults.
            EXPECT_EQ(WindowText(d.edServerName), "yourbank");
            EXPECT_EQ(WindowText(d.edMaxRunHugeTasks), "8");
            EXPECT_EQ(WindowText(d.edDelayBeforeLogin), "3");
            EXPECT_EQ(d.lbParamsSource->Caption(), "Ini file: ");
            // Defaults: no trace, no crypto engine, no remote administration, the old host list.
            EXPECT_FALSE(WindowVisible(d.pnlConnectionType));
            EXPECT_FALSE(d.pnlTraceOptionsGround->Visible());
            EXPECT_FALSE(d.pnlCryptoConfig->Visible());
            EXPECT_FALSE(d.pnlGroundRAdminConfig->Visible());
            EXPECT_FALSE(d.pnlGroundRAdminEnabled->Enabled());
            ShowPage(d.tsTasksOptions);
        },
        [&] {
            EXPECT_FALSE(WindowVisible(d.pnlCheckDeadTask));
            ClickControl(d.cbCheckForDeadTask);
        },
        [&] {
            EXPECT_TRUE(WindowVisible(d.pnlCheckDeadTask));
            ShowPage(d.tsInternalTrace);
        },
        [&] { ClickControl(d.cbEnabledIntTrace); },
        [&] {
            EXPECT_TRUE(WindowVisible(d.pnlTraceOptionsGround));
            ShowPage(d.tsUserIdent);
        },
        [&] { ClickControl(d.cbInitCryptoEngine); },
        [&] {
            EXPECT_TRUE(WindowVisible(d.pnlCryptoConfig));
            ClickControl(d.rgTypeGetCryptoParams->Buttons(1));
        },
        [&] {
            EXPECT_EQ(d.pcCryptoEngine->ActivePage(), d.tsCryptoFromFile);
            EXPECT_TRUE(WindowVisible(d.cbCryptoEngineType));
            // Without a scheme the scheduler's page has no row to reach it by.
            EXPECT_EQ(PageRow(d.tsSheduler), nullptr);
        },
        [&] {
            // No scheduler behind the viewer: nothing runs and nothing can be started.
            EXPECT_EQ(d.lbShedulerStatus->Caption(), "No running shemes");
            EXPECT_FALSE(IsWindowEnabled(d.btnStartSheduler->Handle()));
            EXPECT_FALSE(IsWindowEnabled(d.btnStopSheduler->Handle()));
            EXPECT_FALSE(IsWindowEnabled(d.cbAutoStart->Handle()));
            EXPECT_EQ(SendMessageW(d.cbShedulerScheme->Handle(), CB_GETCOUNT, 0, 0), 0);
            ClickControl(d.btnCancel);
        },
    });
}

TEST_F(SettingsDialogTest, AnAutoStartWithoutSchemeIsRefusedWithAMessageAndOkGoesOn) {
    OpenConfigs({Lines({"[Sheduler]", "AutoStartScheme=1"})});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({[&] { ClickControl(d.btnOk); }});
    EXPECT_FALSE(d.Visible());
    ASSERT_FALSE(Boxes.Texts.empty());
    EXPECT_EQ(Boxes.Texts.back(), "Scheme name is empty, cannot autostart sheduler when QVR run.");
    EXPECT_EQ(Boxes.Captions.back(), "QVR Config Error");
    EXPECT_TRUE(Has(written, "AutoStartScheme=0"));
}

TEST_F(SettingsDialogTest, MessageQueueConnectionsAreEditedAsOne) {
    OpenConfigs(
        {Lines({"[Config]", "UseConnectionType=1", "[Connection]", "ConnectionType=ClientSocket",
                "Config0=MQ: A|a|a|a|a", "Config1=MQ: B|b|b|b|b", "Config2=ClientSocket: h:1"})});
    TfmQVRSet& d = *fmQVRSet;
    std::string shown;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsConnectionOptions); },
        [&] {
            shown = WindowText(d.edQueueManager);
            EXPECT_TRUE(WindowVisible(d.pnlConnectionType));
            ClickControl(d.btnOk);
        },
    });
    EXPECT_EQ(shown, "B");
    EXPECT_TRUE(Has(written, "Config0=ClientSocket: h:1")) << written;
    EXPECT_TRUE(Has(written, "Config1=MQ: B|b|b|b|b"));
    EXPECT_FALSE(Has(written, "Config2=MQ: B|b|b|b|b"));
}

TEST_F(SettingsDialogTest, OkWithoutAMessageQueueAddsAnEmptyOne) {
    OpenConfigs({Lines({"[Config]", "UseConnectionType=1", "[Connection]",
                        "ConnectionType=ClientSocket", "Config0=ClientSocket: h:1"})});
    const std::string written = ShowSettings({[&] { ClickControl(fmQVRSet->btnOk); }});
    EXPECT_TRUE(Has(written, "Config1=MQ: ||||")) << written;
}

TEST_F(SettingsDialogTest, EachSnapshotShowsItsOwnSettings) {
    OpenConfigs({Lines({"[Config]", "TryConnectionInterval=5", "[ShowErrors]", "212=00000",
                        "[Errors HTMLs]", "212=a.htm"}),
                 Lines({"[Config]", "ServerName=second"})});
    TfmQVRSet& d = *fmQVRSet;
    MoveTimeLine(0);
    std::string first;
    ShowSettings({[&] {
        first = WindowText(d.edTryConnectionInterval);
        ClickControl(d.btnCancel);
    }});
    EXPECT_EQ(first, "5");
    EXPECT_EQ(GlobalErrorsObject->FindError(212)->GetFlagsAsString(), "00000");
    MoveTimeLine(1);
    std::string second;
    const std::string written = ShowSettings({[&] {
        second = WindowText(d.edTryConnectionInterval) + "|" + WindowText(d.edServerName);
        ClickControl(d.btnOk);
    }});
    EXPECT_EQ(second, "1|second");
    EXPECT_TRUE(Has(written, "212=11111"));
    EXPECT_TRUE(Has(written, "212="));
}

TEST_F(SettingsDialogTest, TheOneHostSwitchIsCaptionedWithTheCatalogueDescription) {
    EXPECT_EQ(fmQVRSet->cbCheckUniqSIDIpHost->Caption(),
              GlobalErrorsObject->FindError(212)->Describe);
    EXPECT_FALSE(fmQVRSet->cbCheckUniqSIDIpHost->Caption().empty());
    // The long description wraps within its page, with the page's margin on the right.
    const TControl& box = *fmQVRSet->cbCheckUniqSIDIpHost;
    EXPECT_EQ(box.Left() + box.Width() + box.Left(), fmQVRSet->tsSessions->ClientWidth());
}

TEST_F(SettingsDialogTest, TheDialogIsLaidOutOnceItIsMade) {
    TfmQVRSet& d = *fmQVRSet;
    EXPECT_EQ(d.Caption(), "QVR Set");
    EXPECT_EQ(d.Width(), int(std::nearbyint(Screen->Width() * 2.0 / 3.0)));
    EXPECT_EQ(d.Height(), int(std::nearbyint(Screen->Height() * 2.0 / 3.0)));
    EXPECT_EQ(d.pcConfigs->PageCount(), 21);
    EXPECT_EQ(d.pcConfigs->ActivePage(), d.tsDefault);
    EXPECT_FALSE(d.tsMQ->TabVisible());
    EXPECT_FALSE(d.tsCryptoFromList->TabVisible());
    EXPECT_FALSE(GetWindowLongW(d.Handle(), GWL_STYLE) & WS_MINIMIZEBOX);
    // The edits of a group start 5 pixels after its widest label.
    const int widest = std::max({d.lbMaxRunTasks->Left() + d.lbMaxRunTasks->Width(),
                                 d.lbMaxRunHugeTasks->Left() + d.lbMaxRunHugeTasks->Width(),
                                 d.lbServerName->Left() + d.lbServerName->Width(),
                                 d.lbScriptPath->Left() + d.lbScriptPath->Width()});
    for (TEdit* edit : {d.edMaxRunTasks, d.edMaxRunHugeTasks, d.edServerName, d.edScriptPath})
        EXPECT_EQ(edit->Left(), widest + 5);
    // The response time-out stands on the try interval's line, after it.
    EXPECT_EQ(d.lbResponseTimeOut->Left(),
              d.edTryConnectionInterval->Left() + d.edTryConnectionInterval->Width() + 10);
    EXPECT_EQ(d.edDefaultTrayIcon->Left() + d.edDefaultTrayIcon->Width() + 5,
              d.btnChooseDefaultIcon->Left());
    EXPECT_EQ(d.edErrorIcons->Width(), d.edDefaultTrayIcon->Width());
    // The client-socket list leaves the same margin right of its buttons as left of them.
    TButton* edit = d.peZWIAddresses->btnEdit();
    EXPECT_EQ(d.peZWIAddresses->Width() - (edit->Left() + edit->Width()),
              d.peZWIAddresses->btnAdd()->Left());
    EXPECT_GT(d.peZWIAddresses->btnAdd()->Left(), 0);
}

namespace {
// A stand-in crypto-engine library found by name, made before the viewer and gone after it.
struct StandInLibraryFirst {
    StandInLibraryFirst() {
        Library.Configure("[Types]\r\n1=GOST\r\n2=RSA\r\n"
                          "[GOST]\r\nKeyFile=default.key\r\nPassword=\r\nContainer=main\r\n"
                          "[RSA]\r\nModulus=2048\r\nExponent=65537\r\n");
        SetDllDirectoryW(ToWide(Library.Folder()).c_str());
    }
    ~StandInLibraryFirst() { SetDllDirectoryW(nullptr); }
    CryptoStandIn Library;
};

class SettingsCryptoTest : public StandInLibraryFirst, public SettingsDialogTest {};

std::vector<std::string> ComboItems(TComboBox* combo) {
    std::vector<std::string> items;
    const int count = int(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo->Handle(), CB_GETLBTEXT, i, LPARAM(text));
        items.push_back(FromWide(text));
    }
    return items;
}
} // namespace

TEST_F(SettingsCryptoTest, AnEngineTypeTheLibraryDoesNotListStillShows) {
    OpenConfigs({Lines(
        {"[Crypto]", "CryptoEngineType=DSA", "TypeGetCryptoParams=1", "InitCryptoEngine=1"})});
    TfmQVRSet& d = *fmQVRSet;
    std::vector<std::string> items;
    std::string shown;
    const std::string written = ShowSettings({[&] {
        items = ComboItems(d.cbCryptoEngineType);
        shown = WindowText(d.cbCryptoEngineType);
        ClickControl(d.btnOk);
    }});
    EXPECT_EQ(items, (std::vector<std::string>{"GOST", "RSA"}));
    EXPECT_EQ(shown, "DSA");
    EXPECT_TRUE(Has(written, "CryptoEngineType=DSA")) << written;
    EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(SettingsCryptoTest, ParametersFromTheListAreEditedWithTheirEngineType) {
    OpenConfigs({Lines({"[Crypto]", "CryptoEngineType=RSA", "TypeGetCryptoParams=2",
                        "InitCryptoEngine=1", "[CryptoParams]", "Modulus=4096"})});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsUserIdent); },
        [&] {
            EXPECT_EQ(d.pcCryptoEngine->ActivePage(), d.tsCryptoFromList);
            EXPECT_TRUE(WindowVisible(d.cpeUserIdentCryptoParams));
            ClickControl(d.btnOk);
        },
    });
    EXPECT_TRUE(Has(written, "CryptoEngineType=RSA")) << written;
    EXPECT_TRUE(Has(written, "Modulus=4096"));
    EXPECT_TRUE(Has(written, "Exponent=65537"));
}

TEST_F(SettingsCryptoTest, SigningParametersShowOnTheirPageAndAreWrittenBack) {
    OpenConfigs({Lines({"[CryptoZWIData]", "SignData=1", "SignCryptoEngineType=GOST",
                        "[SignZWIDataCryptoParams]", "Container=alt"})});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsCryptoZWIData); },
        [&] {
            EXPECT_TRUE(WindowVisible(d.cpeSignParams));
            EXPECT_FALSE(d.tsCheckSignParams->TabVisible());
            ClickControl(d.btnOk);
        },
    });
    EXPECT_EQ(SectionOfText(written, "SignZWIDataCryptoParams"),
              "KeyFile=default.key\r\nPassword=\r\nContainer=alt\r\n");
    EXPECT_TRUE(Has(written, "SignCryptoEngineType=GOST"));
}

TEST_F(SettingsDialogTest, OnlyAFileOverAMegabyteAsksHowToOpenIt) {
    const std::string exact = Folder.File("exact.log");
    const std::string over = Folder.File("over.log");
    {
        std::ofstream(exact, std::ios::binary) << std::string(1048576, 'x');
        std::ofstream(over, std::ios::binary) << std::string(1048577, 'x');
    }
    TfmQVRSet& d = *fmQVRSet;
    bool allowed = true;
    std::string path = exact;
    d.pcBeforeOpen(d.fcErrorsLogFile, allowed, path);
    EXPECT_TRUE(allowed);
    EXPECT_EQ(path, exact);
    EXPECT_TRUE(Boxes.Texts.empty());

    // Yes opens the folder, No the file, Cancel nothing.
    const std::vector<std::pair<int, std::string>> answers{
        {IDYES, Folder.Path() + "\\"}, {IDNO, over}, {IDCANCEL, over}};
    for (const auto& [answer, opened] : answers) {
        Boxes.Answer = answer;
        path = over;
        allowed = true;
        d.pcBeforeOpen(d.fcErrorsLogFile, allowed, path);
        EXPECT_EQ(allowed, answer != IDCANCEL);
        EXPECT_EQ(path, opened);
    }
    ASSERT_EQ(Boxes.Texts.size(), 3u);
    EXPECT_EQ(Boxes.Captions[0], "Question");
    EXPECT_EQ(Boxes.Texts[0].find("File \"" + over + "\" greate then 1 Megabyte"), 0u);
}
