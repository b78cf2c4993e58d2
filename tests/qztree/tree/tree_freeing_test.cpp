// Trees with custom scroll bars and a header go cleanly: with their form, before it, and at the
// end of a program however the user closes it.
#include "../tree_window.h"

#include "qztree/scroll_bar/scroll_bar.h"
#include "rtl/string_list.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A tree as the samples make one, shown and scrolled to its end by the keyboard.
struct ScrolledTree : TreeWindow {
    ScrolledTree() {
        tree->SetUseCustomScrollBars(true);
        TStringList captions;
        captions.Add("Name");
        captions.Add("Value");
        tree->SetHeadersTexts(&captions);
        tree->SetShowColumns(true);
        for (int i = 0; i < 100; ++i)
            Add(nullptr, "Row " + std::to_string(i))->ColumnText()->Add(std::string(80, 'x'));
        PumpMessages();
        Focus();
        Key(VK_DOWN);
        Key(VK_END);
    }
};

void Repaint(TWinControl* Control) {
    RedrawWindow(Control->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
}

// The exit code of the program closed the given way; -1 when it does not end in time.
long RunAndClose(const std::string& how) {
    return RunProgram("\"" + ProgramBesideThisOne("tree_form_program.exe") + "\" " + how).ExitCode;
}

} // namespace

TEST(TreeFreeing, ATreeGoesBeforeItsFormOrWithItAndTheOtherBarsPaintOn) {
    // Made first, the older tree's bars are the likely makers of the pattern all bars share.
    auto older = std::make_unique<ScrolledTree>();
    auto newer = std::make_unique<ScrolledTree>();
    EXPECT_GT(older->tree->TopIndex(), 0);
    older->tree->Free();
    older.reset();
    Repaint(newer->form.get());
    auto latest = std::make_unique<ScrolledTree>();
    newer.reset();
    Repaint(latest->form.get());
    EXPECT_GT(latest->tree->TopIndex(), 0);
    latest.reset();
    // A bar made after all others went has the pattern again.
    ScrolledTree last;
    EXPECT_NE(ScrollBarBlendBitmap(), nullptr);
}

TEST(TreeProgram, EndsWithoutAFaultWhenClosedByTheCloseButtonOrAltF4) {
    EXPECT_EQ(RunAndClose("close"), 0);
    EXPECT_EQ(RunAndClose("altf4"), 0);
}
