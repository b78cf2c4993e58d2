#include "../../vcl/user_input.h"
#include "../../vcl/vcl_test_support.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/params_editor/params_dialog.h"
#include "qztree/params_editor/params_edit.h"
#include "qztree/params_editor/params_lines.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "rtl/string_list.h"
#include "vcl/controls/edit.h"
#include "vcl/core/timer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// An editor on a shown form with the columns named; separator ':'.
struct Editor {
    TOwnedPtr<TForm> form = MakeShownForm(400, 300);
    TQZParamsEditEx* edit = new TQZParamsEditEx(form.get());
    std::vector<std::string> actions;

    explicit Editor(std::vector<std::string> columns) {
        edit->SetParent(form.get());
        edit->SetBounds(0, 0, 400, 300);
        edit->SetSeparator(':');
        for (size_t i = 0; i < columns.size(); ++i)
            edit->Columns()->AddSection()->SetText(columns[i]);
        edit->SetShowColumnHeaders(true);
        edit->onDoAction = [this](TObject*, TParamsEditAction action, bool& allow,
                                  TStrings* values) {
            static const char* names[] = {"before add dialog",  "before add",   "after add",
                                          "before edit dialog", "before edit",  "after edit",
                                          "before delete",      "after delete", "after delete all"};
            actions.push_back(std::string(names[action]) + " " + values->Text());
            if (Refuse && Refuse(action, *values))
                allow = false;
        };
        PumpMessages();
    }
    void SetLines(const std::vector<std::string>& lines) {
        TStringList list;
        for (const std::string& line : lines)
            list.Add(line);
        edit->SetItems(&list);
    }
    std::string Lines() { return edit->Items()->Text(); }
    TQZTreeItem* Row(int i) const { return edit->tvParamsList()->Items()->Item(i); }
    // Answers the next dialog: types Values into its edits and presses Ok (or Cancel).
    void AnswerDialog(std::vector<std::wstring> values, bool ok = true) {
        answer = std::make_unique<TTimer>(nullptr);
        answer->SetInterval(20);
        answer->SetOnTimer([this, values, ok](TObject*) {
            auto* dialog =
                dynamic_cast<TQZAskParamsValuesDlgEx*>(TWinControl::FindControl(GetActiveWindow()));
            if (!dialog)
                return;
            answer->SetEnabled(false);
            for (int i = 0; i < dialog->EditCount() && i < int(values.size()); ++i) {
                dialog->Edit(i)->SetText("");
                PostChars(dialog->Edit(i)->Handle(), values[size_t(i)]);
            }
            TButton* button = ok ? dialog->btnOk() : dialog->btnCancel();
            PostClick(button->Handle(), 5, 5);
        });
    }
    void Press(TButton* button) {
        PostClick(button->Handle(), 5, 5);
        PumpMessages();
    }
    std::function<bool(TParamsEditAction, TStrings&)> Refuse;
    std::unique_ptr<TTimer> answer;
};

} // namespace

TEST(ParamsLines, SecondValuesAreEscapedAndReadBack) {
    EXPECT_EQ(ParamsRowToLine({"host", "80"}, ':'), "host:80");
    EXPECT_EQ(ParamsRowToLine({"x", "a:b", "#\t"}, ':'), "x:a#3Ab:#23#09");
    EXPECT_EQ(ParamsLineToRow("x:a#3Ab:#23#09", ':', 3),
              (std::vector<std::string>{"x", "a:b", "#\t"}));
    // Values beyond the columns are dropped; one column reads only the first value.
    EXPECT_EQ(ParamsLineToRow("a:b:c", ':', 2), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ParamsLineToRow("a:b", ':', 1), (std::vector<std::string>{"a"}));
    EXPECT_EQ(ParamsLineToRow("alone", ':', 2), (std::vector<std::string>{"alone", ""}));
}

TEST(ParamsEdit, ItemsGiveBackTheLinesTheyWereGiven) {
    Editor e({"Host", "Port"});
    e.SetLines({"host:80", "other:a#3Ab"});
    EXPECT_EQ(e.edit->RowCount(), 2);
    EXPECT_EQ(e.Row(1)->ColumnText()->Get(0), "a:b");
    EXPECT_EQ(e.Lines(), "host:80\r\nother:a#3Ab\r\n");
    EXPECT_EQ(e.edit->AddItem("third:443"), 2);
    EXPECT_EQ(e.Row(2)->ColumnText()->Get(0), "443");
    e.edit->Clear();
    EXPECT_EQ(e.edit->RowCount(), 0);
    EXPECT_EQ(e.edit->HeadersCaptions()->Text(), "Host\r\nPort\r\n");
}

TEST(ParamsEdit, AddAcceptsARowOnlyWithTheValuesItNeeds) {
    Editor e({"Host", "Port"});
    e.AnswerDialog({L"", L""});
    e.Press(e.edit->btnAdd());
    EXPECT_EQ(e.edit->RowCount(), 0); // all empty
    e.AnswerDialog({L"", L"80"});
    e.Press(e.edit->btnAdd());
    EXPECT_EQ(e.edit->RowCount(), 0); // the first value may not be empty
    e.AnswerDialog({L"srv", L"80"});
    e.Press(e.edit->btnAdd());
    ASSERT_EQ(e.edit->RowCount(), 1);
    EXPECT_EQ(e.Lines(), "srv:80\r\n");
    EXPECT_EQ(e.actions.back(), "after add srv\r\n80\r\n");
    e.edit->SetFirstParamMayBeEmpty(true);
    e.AnswerDialog({L"", L"81"});
    e.Press(e.edit->btnAdd());
    EXPECT_EQ(e.edit->RowCount(), 2);
    e.AnswerDialog({L"x", L"1"}, false); // cancelled
    e.Press(e.edit->btnAdd());
    EXPECT_EQ(e.edit->RowCount(), 2);
}

TEST(ParamsEdit, EditWorksOnExactlyOneSelectedRow) {
    Editor e({"Host", "Port"});
    e.SetLines({"a:1", "b", "c:3"});
    EXPECT_FALSE(e.edit->btnEdit()->Enabled());
    e.Row(1)->SetSelected(true);
    EXPECT_TRUE(e.edit->btnEdit()->Enabled());
    EXPECT_TRUE(e.edit->btnRemove()->Enabled());
    // The row has no second value: the dialog shows it empty.
    e.AnswerDialog({L"b", L"2"});
    e.Press(e.edit->btnEdit());
    EXPECT_EQ(e.Lines(), "a:1\r\nb:2\r\nc:3\r\n");
    e.Row(2)->SetSelected(true);
    EXPECT_FALSE(e.edit->btnEdit()->Enabled());
    e.actions.clear();
    e.edit->tvParamsList()->Perform(WM_LBUTTONDBLCLK, 0, 0); // a double click edits nothing
    PumpMessages();
    EXPECT_TRUE(e.actions.empty());
}

TEST(ParamsEdit, RemoveWalksTheSelectionFromTheLastAndHonoursAVeto) {
    Editor e({"Host", "Port"});
    e.SetLines({"a:1", "b:2", "c:3", "d:4"});
    e.Row(0)->SetSelected(true);
    e.Row(2)->SetSelected(true);
    e.Row(1)->SetSelected(true);
    e.Refuse = [](TParamsEditAction action, TStrings& values) {
        return action == peaBeforeDelete && values.Get(0) == "c";
    };
    e.Press(e.edit->btnRemove());
    EXPECT_EQ(e.actions,
              (std::vector<std::string>{"before delete b\r\n2\r\n", "after delete b\r\n2\r\n",
                                        "before delete c\r\n3\r\n", "before delete a\r\n1\r\n",
                                        "after delete a\r\n1\r\n", "after delete all a\r\n1\r\n"}));
    EXPECT_EQ(e.Lines(), "c:3\r\nd:4\r\n");
}

TEST(ParamsEdit, ButtonsTakeTheWidestCaptionPlusTen) {
    Editor e({"Name"});
    TCanvas* canvas = e.edit->tvParamsList()->Canvas();
    int widest = 0;
    for (const char* caption : {"Add", "Remove", "Edit"}) {
        TRect r{0, 0, 0, 0};
        canvas->DrawText(caption, r, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max(widest, r.Width());
    }
    EXPECT_EQ(e.edit->btnAdd()->ClientWidth(), widest + 10);
    EXPECT_EQ(e.edit->btnEdit()->ClientWidth(), widest + 10);
    e.edit->SetButtonsMinWidth(200);
    EXPECT_EQ(e.edit->btnRemove()->ClientWidth(), 200);
    // A new caption sizes all three again.
    e.edit->btnAdd()->SetCaption("A caption much longer than the least width of the buttons");
    EXPECT_GT(e.edit->btnRemove()->ClientWidth(), 200);
    // The buttons sit centred under the rows, 20 pixels apart.
    EXPECT_EQ(e.edit->btnRemove()->Left(),
              e.edit->btnAdd()->Left() + e.edit->btnAdd()->Width() + 20);
    EXPECT_EQ(e.edit->btnAdd()->Top(), 300 - 25);
}
