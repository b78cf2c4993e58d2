#include "settings_dialog_support.h"

#include "qztree/params_editor/params_edit.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"

#include "qvr/qvr_config.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_group.h"
#include "vcl/core/menus.h"
#include "viewer/qvr_config_form.h"
#include "viewer/settings_dialog/qvr_set_form.h"

TEST(HiddenSettingsKeys, KeepTheLastNineLettersAndIgnoreOtherKeys) {
    TQVRHiddenSettingsKeys keys;
    for (char c : std::string("QQZEBRAMOT"))
        keys.KeyDown(uint16_t(c));
    keys.KeyDown(VK_SHIFT);
    keys.KeyDown('1');
    EXPECT_EQ(keys.Letters(), "QZEBRAMOT");
    EXPECT_FALSE(keys.Matches());
    keys.KeyDown('H');
    EXPECT_TRUE(keys.Matches());
    keys.KeyDown('H');
    EXPECT_EQ(keys.Letters(), "EBRAMOTHH");
    EXPECT_FALSE(keys.Matches());
}

namespace {
void PostLetters(TWinControl* control, const std::string& letters) {
    for (char c : letters) {
        PostMessageW(control->Handle(), WM_KEYDOWN, uint16_t(c), 1);
        PostMessageW(control->Handle(), WM_KEYUP, uint16_t(c), LPARAM(1 | 3u << 30));
    }
}
} // namespace

TEST_F(SettingsDialogTest, TheHiddenSequenceOpensSigningSchedulerAndTypedConnections) {
    OpenConfigs({Lines({"[Config]", "ServerName=bank"})});
    TfmQVRSet& d = *fmQVRSet;
    std::string before;
    const std::string written = ShowSettings({
        [&] {
            before = Written();
            EXPECT_EQ(PageRow(d.tsSheduler), nullptr);
            EXPECT_EQ(PageRow(d.tsCryptoZWIData), nullptr);
            ShowPage(d.tsTasksOptions);
        },
        [&] {
            ClickControl(d.edScriptPath);
            PostLetters(d.edScriptPath, "ZEBRAMOTX");
        },
        [&] {
            EXPECT_FALSE(QVRConfig->UseConnectionType);
            // Typed anywhere, after other letters, in whatever case they show.
            PostLetters(d.edScriptPath, "QZEBRAMOTH");
        },
        [&] {
            EXPECT_TRUE(QVRConfig->UseConnectionType);
            EXPECT_TRUE(QVRConfig->UseSignForPackets);
            EXPECT_EQ(QVRConfig->ShemeName, " ");
            EXPECT_TRUE(d.pnlConnectionType->Visible());
            // Neither signing box is checked, so their pages and panel stay hidden.
            EXPECT_FALSE(d.pnlCryptoParamsGround->Visible());
            EXPECT_FALSE(d.tsSignParams->TabVisible());
            // The page tree now leads to both pages: signing under the connection.
            ASSERT_NE(PageRow(d.tsCryptoZWIData), nullptr);
            EXPECT_EQ(PageRow(d.tsCryptoZWIData)->Parent(), PageRow(d.tsConnectionOptions));
            ShowPage(d.tsSheduler);
        },
        [&] {
            EXPECT_EQ(d.pcConfigs->ActivePage(), d.tsSheduler);
            ClickControl(d.btnCancel);
        },
    });
    // Cancel keeps the changes in the configuration but writes nothing.
    EXPECT_EQ(written, before);
    EXPECT_TRUE(QVRConfig->UseConnectionType);
}

TEST_F(SettingsDialogTest, TheHiddenSequenceKeepsASchemeAndSigningThatAreThere) {
    OpenConfigs({Lines({"[Sheduler]", "ShemeName=Night", "[CryptoZWIData]", "SignData=1"})});
    TfmQVRSet& d = *fmQVRSet;
    const std::string written = ShowSettings({
        [&] {
            EXPECT_TRUE(d.pnlCryptoParamsGround->Visible());
            EXPECT_TRUE(d.tsSignParams->TabVisible());
            EXPECT_FALSE(d.tsCheckSignParams->TabVisible());
            ShowPage(d.tsRAdmin);
        },
        [&] { PostLetters(d.btnOk, "ZEBRAMOTH"); },
        [&] {
            // Both pages had their rows: the tree was not built again and keeps its choice.
            EXPECT_TRUE(PageRow(d.tsRAdmin)->Selected());
            EXPECT_EQ(d.pcConfigs->ActivePage(), d.tsRAdmin);
            ClickControl(d.btnOk);
        },
    });
    EXPECT_EQ(QVRConfig->ShemeName, "Night");
    EXPECT_TRUE(Has(written, "UseConnectionType=1")) << written;
    EXPECT_TRUE(Has(written, "ConnectionType=ClientSocket"));
}

namespace {
bool MenuItemEnabled = false;
bool MenuSeen = false;

// Runs inside the menu's own loop: notes the command's state and closes the menu.
void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    MenuSeen = true;
    MenuItemEnabled = fmQVRConfigForm->miShowQVRConfigForm->Enabled();
    EndMenu();
}

// A right click on the configuration text; whether "Show QVR config" could be chosen.
bool CommandOfferedOnRightClick() {
    MenuSeen = false;
    SetTimer(nullptr, 0, 100, ReadMenuAndClose);
    HWND memo = fmQVRConfigForm->mParams->Handle();
    PostMessageW(memo, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageW(memo, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    RunMessagesFor(400);
    EXPECT_TRUE(MenuSeen);
    return MenuItemEnabled;
}
} // namespace

TEST_F(SettingsDialogTest, TheCommandIsOfferedOnlyWhenTheWindowShowsAConfiguration) {
    fmQVRConfigForm->Show();
    EXPECT_EQ(fmQVRConfigForm->Caption(), "QVR Config");
    EXPECT_EQ(fmQVRConfigForm->miShowQVRConfigForm->Caption(), "Show QVR config");
    EXPECT_FALSE(CommandOfferedOnRightClick());
    OpenConfigs({FullConfig});
    EXPECT_TRUE(CommandOfferedOnRightClick());
}

namespace {
void PostKeyToFocus(uint16_t key) {
    PostKeyTo(GetFocus(), key);
}
} // namespace

TEST_F(SettingsDialogTest, TabWalksThroughAPageAndEnterOnOkCloses) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::vector<HWND> focused;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsTasksOptions); },
        [&] { TypeInto(d.edMaxRunTasks, "8"); },
        [&] { PostKeyToFocus(VK_TAB); },
        [&] {
            focused.push_back(GetFocus());
            PostKeyToFocus(VK_TAB);
        },
        [&] {
            focused.push_back(GetFocus());
            PostKeyToFocus(VK_TAB);
        },
        [&] {
            focused.push_back(GetFocus());
            PostKeyToFocus(VK_TAB);
        },
        [&] {
            focused.push_back(GetFocus());
            // Space on the focused box switches the check off and hides its panel.
            EXPECT_TRUE(WindowVisible(d.pnlCheckDeadTask));
            PostKeyToFocus(VK_SPACE);
        },
        [&] {
            EXPECT_FALSE(WindowChecked(d.cbCheckForDeadTask));
            EXPECT_FALSE(WindowVisible(d.pnlCheckDeadTask));
            PostKeyToFocus(VK_TAB);
        },
        [&] {
            // The pages end; the bottom panel's Ok comes next.
            focused.push_back(GetFocus());
            PostKeyToFocus(VK_RETURN);
        },
    });
    const std::vector<HWND> expected{d.edServerName->Handle(), d.edScriptPath->Handle(),
                                     d.edMaxRunHugeTasks->Handle(), d.cbCheckForDeadTask->Handle(),
                                     d.btnOk->Handle()};
    EXPECT_EQ(focused, expected);
    EXPECT_TRUE(Has(written, "MaxRunTasks=8")) << written;
    EXPECT_TRUE(Has(written, "CheckForDeadTask=0"));
}

TEST_F(SettingsDialogTest, EscapeCancelsFromAnyControl) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::string before;
    const std::string written = ShowSettings({
        [&] {
            before = Written();
            TypeInto(d.edMaxRunTasks, "3");
        },
        [&] { PostKeyTo(d.edMaxRunTasks->Handle(), VK_ESCAPE); },
    });
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(written, before);
    EXPECT_EQ(QVRConfig->MaxRunTasks, 12);
}

namespace {
void HoldShift(bool held) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

// Tab (or Shift+Tab) pressed count times on whatever has the focus, one step each; the window
// that has the focus after each press.
void AddTabs(std::vector<std::function<void()>>& steps, int count, bool back,
             std::vector<HWND>& stops) {
    for (int i = 0; i < count; ++i) {
        steps.push_back([back] {
            HoldShift(back);
            PostKeyToFocus(VK_TAB);
        });
        steps.push_back([&stops] {
            HoldShift(false);
            stops.push_back(GetFocus());
            EXPECT_TRUE(IsWindowVisible(GetFocus())) << "the focus shows where it is";
        });
    }
}
} // namespace

TEST_F(SettingsDialogTest, TabPassesByPageControlsWhoseTabsAreHidden) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    HWND tree = d.tvChoseConfigOptions->ViewControl()->Handle();
    std::vector<HWND> onDefault, onConnection, backwards;
    std::vector<std::function<void()>> steps{[&] { SetFocus(tree); }};
    // The first page holds a label only: from the page tree Tab goes to the buttons and back.
    AddTabs(steps, 3, false, onDefault);
    // The connection page holds a page control of its own, its tabs hidden too.
    steps.push_back([&] { ShowPage(d.tsConnectionOptions); });
    AddTabs(steps, 11, false, onConnection);
    steps.push_back([&] { SetFocus(d.edQueueManager->Handle()); });
    AddTabs(steps, 1, true, backwards);
    steps.push_back([&] { ClickControl(d.btnCancel); });
    ShowSettings(steps);

    EXPECT_EQ(onDefault, (std::vector<HWND>{d.btnOk->Handle(), d.btnCancel->Handle(), tree}));
    ASSERT_EQ(d.pcConfigs->ActivePage(), d.tsConnectionOptions);
    // The type's radio button, the interval, the six queue edits, the buttons, the tree.
    ASSERT_EQ(onConnection.size(), 11u);
    EXPECT_TRUE(IsChild(d.rgConnectionType->Handle(), onConnection[0]));
    EXPECT_EQ(onConnection[1], d.edTryConnectionInterval->Handle());
    EXPECT_EQ(onConnection[2], d.edQueueManager->Handle());
    EXPECT_EQ(onConnection[8], d.btnOk->Handle());
    EXPECT_EQ(onConnection[10], tree);
    EXPECT_EQ(backwards, std::vector<HWND>{d.edTryConnectionInterval->Handle()});
}

TEST_F(SettingsDialogTest, TabGoesDownEachPageAsItShowsThoughItsBottomStripIsMadeFirst) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    HWND tree = d.tvChoseConfigOptions->ViewControl()->Handle();
    // Each page above what lies at its bottom.
    const std::vector<std::pair<TTabSheet*, std::pair<TWinControl*, TWinControl*>>> pages{
        {d.tsUserIdent, {d.pnlCryptoConfig, d.edWebAdminSiteInstanceID}},
        {d.tsInternalTrace, {d.peClearLoginPasswordTags, d.fcIntTraceFile}},
        {d.tsErrorResponse, {d.tvErrorsHTMLs, d.edErrorHTML}},
        {d.tsShowErrorCfg, {d.tvErrorsShow, d.mErrorInfo}},
    };
    std::vector<std::vector<HWND>> walks(pages.size());
    // The HTML files show only when the answer is not the error text alone.
    std::vector<std::function<void()>> steps{[&] { ShowPage(d.tsErrorResponse); },
                                             [&] { ClickControl(d.cbReturnErrorTextOnly); }};
    for (size_t i = 0; i < pages.size(); ++i) {
        steps.push_back([&, i] {
            ShowPage(pages[i].first);
            SetFocus(tree);
        });
        AddTabs(steps, 12, false, walks[i]);
    }
    steps.push_back([&] { ClickControl(d.btnCancel); });
    ShowSettings(steps);

    // The first stop of a walk inside a control, -1 for none.
    auto stop = [](const std::vector<HWND>& walk, TWinControl* control) {
        for (size_t k = 0; k < walk.size(); ++k)
            if (walk[k] == control->Handle() || IsChild(control->Handle(), walk[k]))
                return int(k);
        return -1;
    };
    for (size_t i = 0; i < pages.size(); ++i) {
        const auto& [above, below] = pages[i].second;
        SCOPED_TRACE(pages[i].first->Name());
        EXPECT_GE(stop(walks[i], above), 0);
        EXPECT_LT(stop(walks[i], above), stop(walks[i], below));
    }
}

TEST_F(SettingsDialogTest, EachOpeningStartsWithTheKeysOnThePageTree) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    HWND tree = d.tvChoseConfigOptions->ViewControl()->Handle();
    HWND atOpening = nullptr, afterShiftTab = nullptr, afterTab = nullptr, left = nullptr;
    TTabSheet* pageAfterDown = nullptr;
    ShowSettings({
        [&] {
            atOpening = GetFocus();
            PostKeyToFocus(VK_DOWN);
        },
        [&] {
            pageAfterDown = d.pcConfigs->ActivePage();
            HoldShift(true);
            PostKeyToFocus(VK_TAB);
        },
        [&] {
            HoldShift(false);
            afterShiftTab = GetFocus();
            ShowPage(d.tsTasksOptions);
        },
        [&] { PostKeyToFocus(VK_TAB); },
        [&] {
            afterTab = GetFocus();
            // Left on a page the next opening does not show.
            ClickControl(d.edServerName);
        },
        [&] {
            left = GetFocus();
            PostKeyToFocus(VK_ESCAPE);
        },
    });
    EXPECT_EQ(atOpening, tree);
    EXPECT_EQ(pageAfterDown, d.tsConnectionOptions);
    EXPECT_EQ(afterShiftTab, d.btnCancel->Handle());
    EXPECT_EQ(afterTab, d.edMaxRunTasks->Handle());
    ASSERT_EQ(left, d.edServerName->Handle());

    HWND atReopening = nullptr;
    TTabSheet* pageAfterDownAgain = nullptr;
    ShowSettings({
        [&] {
            atReopening = GetFocus();
            PostKeyToFocus(VK_DOWN);
        },
        [&] {
            pageAfterDownAgain = d.pcConfigs->ActivePage();
            ClickControl(d.btnCancel);
        },
    });
    EXPECT_EQ(atReopening, tree);
    EXPECT_EQ(pageAfterDownAgain, d.tsConnectionOptions);
}
