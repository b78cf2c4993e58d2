#include "settings_dialog_support.h"

#include "qvr/error_catalogue.h"
#include "qvr/qvr_config.h"
#include "qztree/params_editor/params_dialog.h"
#include "qztree/params_editor/params_edit.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/splitter.h"
#include "vcl/user_input.h"
#include "viewer/settings_dialog/qvr_set_form.h"

#include <gtest/gtest.h>

namespace {
// The page tree's rows as "caption/caption" paths with their level.
std::string TreeOutline(TQZTree* tree) {
    std::string text;
    TQZTreeItems& rows = *tree->Items();
    for (int i = 0; i < rows.Count(); ++i)
        text += std::string(size_t(rows.Item(i)->Level()), '-') + rows.Item(i)->Text() + "\n";
    return text;
}

TQZTreeItem* RowOf(TQZParamsEditEx* editor, int index) {
    return editor->tvParamsList()->Items()->Item(index);
}

// The open value dialog of a list editor: its edits take the values, then Ok is pressed.
void AnswerValues(const std::vector<std::string>& values) {
    auto* dialog =
        dynamic_cast<TQZAskParamsValuesDlgEx*>(TWinControl::FindControl(GetActiveWindow()));
    ASSERT_NE(dialog, nullptr) << "no value dialog is open";
    for (int i = 0; i < dialog->EditCount() && i < int(values.size()); ++i)
        TypeInto(dialog->Edit(i), values[size_t(i)]);
    ClickControl(dialog->btnOk());
}

// The row of a catalogue code in an error tree.
TQZTreeItem* CodeRow(TQZTree* tree, int code) {
    TQZTreeItems& rows = *tree->Items();
    for (int i = 0; i < rows.Count(); ++i)
        if (rows.Item(i)->Text() == std::to_string(code))
            return rows.Item(i);
    return nullptr;
}

} // namespace

TEST_F(SettingsDialogTest, ThePageTreeLeadsToThePagesWhoseTabsAreHidden) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::string outline;
    std::vector<TTabSheet*> shown;
    ShowSettings({
        [&] {
            outline = TreeOutline(d.tvChoseConfigOptions);
            for (int i = 0; i < d.pcConfigs->PageCount(); ++i)
                EXPECT_EQ(d.pcConfigs->Pages(i)->TabIndex(), -1);
            EXPECT_EQ(d.pcConfigs->ActivePage(), d.tsDefault);
            ShowPage(d.tsSessions);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ShowPage(d.tsRequestParams);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ShowPage(d.tsInfo);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ClickControl(d.btnCancel);
        },
    });
    EXPECT_EQ(outline, "Соединение\n-Crypto ZWI data\nНастройки "
                       "выполнения\n-Задачи\n-Directories\n-Cache\n-Sessions\n"
                       "-UserIdent\nInternal Trace\nОшибки\n-ErrorResponse\n-ShowErrorCfg\n"
                       "tsConstOptions\n-SessionConsts\n-RequestParams\nВизуализация\nRAdmin\n"
                       "Sheduler\nInfo\n");
    EXPECT_EQ(shown, (std::vector<TTabSheet*>{d.tsSessions, d.tsRequestParams, d.tsInfo}));
    // The next showing starts again on the first page, no row chosen.
    TTabSheet* again = nullptr;
    ShowSettings({[&] {
        again = d.pcConfigs->ActivePage();
        EXPECT_EQ(d.tvChoseConfigOptions->GetSelCount(), 0);
        ClickControl(d.btnCancel);
    }});
    EXPECT_EQ(again, d.tsDefault);
}

TEST_F(SettingsDialogTest, ThePageTreeIsWalkedWithTheArrowKeys) {
    OpenConfigs({Lines({"[Config]", "ServerName=bank"})});
    TfmQVRSet& d = *fmQVRSet;
    std::vector<TTabSheet*> shown;
    auto key = [&](uint16_t code) {
        HWND view = d.tvChoseConfigOptions->ViewControl()->Handle();
        PostMessageW(view, WM_KEYDOWN, code, 1);
        PostMessageW(view, WM_KEYUP, code, LPARAM(1 | 3u << 30));
    };
    ShowSettings({
        [&] { ShowPage(d.tsConnectionOptions); },
        [&] { key(VK_DOWN); },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            key(VK_DOWN);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            key(VK_END);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ClickControl(d.btnCancel);
        },
    });
    EXPECT_EQ(shown, (std::vector<TTabSheet*>{d.tsWorkOptions, d.tsTasksOptions, d.tsInfo}));
}

TEST_F(SettingsDialogTest, ListEditorsShowTheirListsAndWhatIsAddedOrRemovedIsWritten) {
    OpenConfigs({Lines({"[Config]", "UseConnectionType=1", "[Connection]",
                        "ConnectionType=ClientSocket", "Config0=ClientSocket: a:1",
                        "Config1=ClientSocket: b:2", "Config2=ServerSocket: 0.0.0.0:200",
                        "[Internal tracer params]", "Tag0=Login|<p>|</p>",
                        "[Request Absent Values]", "A=1", "X=2", "[Session consts]", "B=2"})});
    TfmQVRSet& d = *fmQVRSet;
    std::string shown;
    const std::string written = ShowSettings({
        [&] {
            shown = d.peZWIAddresses->Items()->Text() +
                    d.peServerSocketConnections->Items()->Text() +
                    d.peClearLoginPasswordTags->Items()->Text() + d.seReqParams->Items()->Text() +
                    d.seSessionConsts->Items()->Text();
            ShowPage(d.tsConnectionOptions);
        },
        [&] { ClickRow(d.peZWIAddresses->tvParamsList(), RowOf(d.peZWIAddresses, 0)); },
        [&] { ClickControl(d.peZWIAddresses->btnRemove()); },
        [&] { ClickControl(d.peZWIAddresses->btnAdd()); },
        [&] {
            AnswerValues({"c", "3"});
        },
        [&] {
            EXPECT_EQ(d.peZWIAddresses->Items()->Text(), "b:2\r\nc:3\r\n");
            ShowPage(d.tsRequestParams);
        },
        // Every request value removed: the section is written empty.
        [&] { ClickRow(d.seReqParams->tvParamsList(), RowOf(d.seReqParams, 0)); },
        [&] { ClickRow(d.seReqParams->tvParamsList(), RowOf(d.seReqParams, 1), MK_SHIFT); },
        [&] { ClickControl(d.seReqParams->btnRemove()); },
        [&] { ShowPage(d.tsSessionConsts); },
        [&] { ClickControl(d.seSessionConsts->btnAdd()); },
        [&] {
            AnswerValues({"Lang", "ru"});
        },
        [&] { ClickControl(d.btnOk); },
    });
    EXPECT_EQ(shown, "a:1\r\nb:2\r\n0.0.0.0:200\r\nLogin|<p>|</p>\r\nA=1\r\nX=2\r\nB=2\r\n");
    EXPECT_EQ(SectionOfText(written, "Connection"),
              Lines({"ConnectionType=ClientSocket", "Config0=ClientSocket: b:2",
                     "Config1=ClientSocket: c:3", "Config2=MQ: ||||",
                     "Config3=ServerSocket: 0.0.0.0:200"}))
        << written;
    EXPECT_EQ(SectionOfText(written, "Request Absent Values"), "");
    EXPECT_EQ(SectionOfText(written, "Session consts"), Lines({"B=2", "Lang=ru"}));
    EXPECT_TRUE(Has(written, "Tag0=Login|<p>|</p>"));
}

TEST_F(SettingsDialogTest, AValueHoldingTheSeparatorIsWrittenCodedAndShownPlain) {
    OpenConfigs({Lines({"[Internal tracer params]", "Tag0=Login|a#7Cb|c"})});
    TfmQVRSet& d = *fmQVRSet;
    std::string leftTag;
    const std::string written = ShowSettings({[&] {
        leftTag = RowOf(d.peClearLoginPasswordTags, 0)->ColumnText()->Get(0);
        ClickControl(d.btnOk);
    }});
    EXPECT_EQ(leftTag, "a|b");
    EXPECT_TRUE(Has(written, "Tag0=Login|a#7Cb|c")) << written;
}

TEST_F(SettingsDialogTest, TheSwitchTreeShowsTheDescriptionAndItsBoxesAreWritten) {
    OpenConfigs({Lines({"[ShowErrors]", "212=10101"})});
    TfmQVRSet& d = *fmQVRSet;
    std::string memo;
    std::vector<bool> boxes;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsShowErrorCfg); },
        [&] {
            // The tree takes the page above the splitter, which sits on the memo.
            EXPECT_EQ(d.splErrorInfo->Height(), 4);
            EXPECT_EQ(d.tvErrorsShow->Top() + d.tvErrorsShow->Height(), d.splErrorInfo->Top());
            EXPECT_EQ(d.splErrorInfo->Top() + 4, d.mErrorInfo->Top());
            ClickRow(d.tvErrorsShow, CodeRow(d.tvErrorsShow, 212));
        },
        [&] {
            memo = d.mErrorInfo->Lines()->Text();
            TQZTreeItem* row = CodeRow(d.tvErrorsShow, 212);
            for (int k = 1; k <= 5; ++k)
                boxes.push_back(
                    static_cast<TQZCellCheckBox*>(row->Styles(k)->Control())->Checked());
            // The message column and "Write to log" of the row.
            EXPECT_EQ(row->ColumnText()->Get(0), GlobalErrorsObject->FindError(212)->Message);
            ClickCell(d.tvErrorsShow, row, 3);
        },
        [&] { ClickControl(d.btnOk); },
    });
    EXPECT_EQ(memo, GlobalErrorsObject->FindError(212)->Describe + "\r\n");
    EXPECT_EQ(boxes, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_TRUE(Has(written, "212=11101")) << SectionOfText(written, "ShowErrors");
}

TEST_F(SettingsDialogTest, TheErrorPagesOpenAgainAtTheirTopLeftWithNoRowChosen) {
    OpenConfigs({Lines({"[Errors HTMLs]", "101=A.htm"})});
    TfmQVRSet& d = *fmQVRSet;
    struct TPageState {
        int TopIndex;
        int LeftPosition;
        int Chosen;
        std::string Shown;
    };
    std::vector<TPageState> seen;
    const auto look = [&] {
        seen.push_back({d.tvErrorsShow->TopIndex(), d.tvErrorsShow->LeftPosition(),
                        d.tvErrorsShow->GetSelCount(), d.mErrorInfo->Lines()->Text()});
        seen.push_back({d.tvErrorsHTMLs->TopIndex(), d.tvErrorsHTMLs->LeftPosition(),
                        d.tvErrorsHTMLs->GetSelCount(), d.edErrorHTML->Text()});
    };
    // A row far down on each page: the first row chosen, then End; the switches' page is also
    // scrolled right by the bar's right arrow.
    TQZScrollBar* bar = d.tvErrorsShow->HScrollBar();
    const std::vector<std::function<void()>> chooseTheLastRows = {
        [&] { ShowPage(d.tsShowErrorCfg); },
        [&] { ClickRow(d.tvErrorsShow, d.tvErrorsShow->Items()->Item(0)); },
        [&] { PostKeyTo(GetFocus(), VK_END); },
        [&] {
            for (int i = 0; i < 6; ++i)
                PostClick(bar->Handle(), bar->ClientWidth() - 3, bar->ClientHeight() / 2);
        },
        [&] { ShowPage(d.tsErrorResponse); },
        [&] { ClickRow(d.tvErrorsHTMLs, CodeRow(d.tvErrorsHTMLs, 101)); },
        [&] { PostKeyTo(GetFocus(), VK_END); },
        look,
        [&] { ClickControl(d.btnCancel); },
    };
    ShowSettings(chooseTheLastRows);
    ShowSettings({[&] { ShowPage(d.tsShowErrorCfg); }, [&] { ShowPage(d.tsErrorResponse); }, look,
                  [&] { ClickControl(d.btnCancel); }});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_GT(seen[0].TopIndex, 0);
    EXPECT_GT(seen[0].LeftPosition, 0);
    EXPECT_EQ(seen[0].Chosen, 1);
    EXPECT_NE(seen[0].Shown, "");
    EXPECT_GT(seen[1].TopIndex, 0);
    for (const TPageState& page : {seen[2], seen[3]}) {
        EXPECT_EQ(page.TopIndex, 0);
        EXPECT_EQ(page.LeftPosition, 0);
        EXPECT_EQ(page.Chosen, 0);
        EXPECT_EQ(page.Shown, "");
    }
}

TEST_F(SettingsDialogTest, OneHTMLFileIsGivenToSeveralSelectedCodes) {
    OpenConfigs({Lines({"[Errors HTMLs]", "101=A.htm", "104=a.HTM", "103=other.htm"})});
    TfmQVRSet& d = *fmQVRSet;
    std::vector<std::string> shown;
    const std::string written = ShowSettings({
        [&] { ShowPage(d.tsErrorResponse); },
        [&] { ClickRow(d.tvErrorsHTMLs, CodeRow(d.tvErrorsHTMLs, 101)); },
        [&] {
            shown.push_back(d.edErrorHTML->Text());
            ClickRow(d.tvErrorsHTMLs, CodeRow(d.tvErrorsHTMLs, 103), MK_CONTROL);
        },
        [&] {
            shown.push_back(d.edErrorHTML->Text());
            ClickRow(d.tvErrorsHTMLs, CodeRow(d.tvErrorsHTMLs, 103), MK_CONTROL);
        },
        [&] { ClickRow(d.tvErrorsHTMLs, CodeRow(d.tvErrorsHTMLs, 104), MK_CONTROL); },
        [&] {
            shown.push_back(d.edErrorHTML->Text());
            TypeInto(d.edErrorHTML->edPathFile, "new.htm");
        },
        [&] {
            EXPECT_EQ(CodeRow(d.tvErrorsHTMLs, 104)->ColumnText()->Get(1), "new.htm");
            EXPECT_TRUE(WindowVisible(d.tvErrorsHTMLs));
            // An answer of the error text alone needs no files: their controls go.
            ClickControl(d.cbReturnErrorTextOnly);
        },
        [&] {
            EXPECT_FALSE(WindowVisible(d.tvErrorsHTMLs));
            EXPECT_FALSE(WindowVisible(d.edErrorHTML));
            EXPECT_FALSE(WindowVisible(d.fcDefaultErrorHTML));
            ClickControl(d.btnOk);
        },
    });
    // Differing files show none; the same file in another case shows as the first row has it.
    EXPECT_EQ(shown, (std::vector<std::string>{"A.htm", "", "A.htm"}));
    EXPECT_TRUE(Has(written, "101=new.htm")) << SectionOfText(written, "Errors HTMLs");
    EXPECT_TRUE(Has(written, "104=new.htm"));
    EXPECT_TRUE(Has(written, "103=other.htm"));
}
