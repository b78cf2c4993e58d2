#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/tab_control.h"

#include "../user_input.h"
#include "rtl/published.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <string>
#include <vector>

namespace {
struct TPages {
    TPageControl* Control;
    std::vector<TTabSheet*> Sheets;
};

TPages MakePages(TForm* form, std::vector<std::string> captions) {
    TPages pages{new TPageControl(form), {}};
    pages.Control->SetParent(form);
    pages.Control->SetBounds(10, 10, 400, 300);
    for (const std::string& caption : captions) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages.Control);
        pages.Sheets.push_back(sheet);
    }
    return pages;
}

void ClickTab(TCustomTabControl* tabs, int index) {
    TRect r = tabs->TabRect(index);
    ASSERT_FALSE(r.IsEmpty());
    PostClick(tabs->Handle(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

int TabCount(TWinControl* tabs) {
    return int(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0));
}

bool Shown(TWinControl* control) {
    return IsWindowVisible(control->Handle());
}
} // namespace

TEST(PageControl, ClickingATabAsksThenShowsItsPage) {
    auto form = MakeShownForm();
    TPages p = MakePages(form.get(), {"Default", "Cache", "Sessions"});
    std::vector<std::string> events;
    bool allow = true;
    p.Control->OnChanging = [&](TObject*, bool& a) {
        events.push_back("changing " + p.Control->ActivePage()->Caption());
        a = allow;
    };
    p.Control->OnChange = [&](TObject*) {
        events.push_back("change " + p.Control->ActivePage()->Caption());
    };
    EXPECT_EQ(p.Control->ActivePage(), p.Sheets[0]);
    EXPECT_EQ(TabCount(p.Control), 3);
    ClickTab(p.Control, 2);
    EXPECT_EQ(p.Control->ActivePageIndex(), 2);
    EXPECT_TRUE(Shown(p.Sheets[2]));
    EXPECT_FALSE(Shown(p.Sheets[0]));
    EXPECT_EQ(SendMessageW(p.Control->Handle(), TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"changing Default", "change Sessions"}));

    // A refusal keeps the page and its tab.
    allow = false;
    ClickTab(p.Control, 1);
    EXPECT_EQ(p.Control->ActivePageIndex(), 2);
    EXPECT_EQ(SendMessageW(p.Control->Handle(), TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(events.size(), 3u);

    // The arrow keys on the focused tabs go the same way.
    allow = true;
    p.Control->SetFocus();
    PostKey(p.Control->Handle(), VK_LEFT);
    EXPECT_EQ(p.Control->ActivePageIndex(), 1);
    EXPECT_TRUE(Shown(p.Sheets[1]));
    EXPECT_EQ(events.back(), "change Cache");
    events.resize(3);

    // In code: no events. The page lies below the tabs.
    p.Control->SetActivePage(p.Sheets[1]);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(Shown(p.Sheets[1]));
    EXPECT_GE(p.Sheets[1]->Top(), p.Control->TabRect(0).Bottom);
}

TEST(PageControl, PagesWithHiddenTabsAreShownByCode) {
    auto form = MakeShownForm();
    TPages p = MakePages(form.get(), {"Default", "Connection", "Tasks"});
    // All tabs hidden: the pages fill the control and change only in code.
    for (TTabSheet* sheet : p.Sheets)
        sheet->SetTabVisible(false);
    EXPECT_EQ(TabCount(p.Control), 0);
    p.Control->SetActivePageIndex(2);
    EXPECT_TRUE(Shown(p.Sheets[2]));
    EXPECT_FALSE(Shown(p.Sheets[0]));
    EXPECT_EQ(p.Sheets[2]->Width(), p.Control->ClientWidth());
    EXPECT_EQ(p.Sheets[2]->TabIndex(), -1);

    // Two visible tabs: hiding the tab of the shown page shows the next page with a tab.
    p.Sheets[0]->SetTabVisible(true);
    p.Sheets[1]->SetTabVisible(true);
    EXPECT_EQ(TabCount(p.Control), 2);
    p.Control->SetActivePage(p.Sheets[0]);
    p.Sheets[0]->SetTabVisible(false);
    EXPECT_EQ(p.Control->ActivePage(), p.Sheets[1]);
    EXPECT_TRUE(Shown(p.Sheets[1]));
    EXPECT_EQ(p.Sheets[1]->TabIndex(), 0);
    EXPECT_EQ(SendMessageW(p.Control->Handle(), TCM_GETCURSEL, 0, 0), 0);
    // Shown again, a tab takes its place in page order and a click reaches its page.
    p.Sheets[0]->SetTabVisible(true);
    ClickTab(p.Control, 0);
    EXPECT_EQ(p.Control->ActivePage(), p.Sheets[0]);

    // A freed page leaves the control.
    p.Sheets[0]->Free();
    EXPECT_EQ(p.Control->PageCount(), 2);
    EXPECT_EQ(p.Control->ActivePage(), p.Sheets[1]);
    EXPECT_TRUE(Shown(p.Sheets[1]));
}

TEST(TabControl, TabsWithoutPagesReportTheChosenTab) {
    auto form = MakeShownForm();
    auto* tabs = new TTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetBounds(0, 0, 400, 300);
    auto* inside = new TPanel(form.get());
    inside->SetParent(tabs);
    inside->SetAlign(alClient);
    tabs->Tabs()->Add("10.0.0.1:80");
    tabs->Tabs()->Add("10.0.0.2:80");
    tabs->SetTabIndex(0);
    std::vector<int> changes;
    tabs->OnChange = [&](TObject*) { changes.push_back(tabs->TabIndex()); };
    ClickTab(tabs, 1);
    EXPECT_EQ(changes, (std::vector<int>{1}));
    EXPECT_EQ(GetOrdProp(*tabs, "TabIndex"), 1);
    // The child fills the area under the tabs.
    EXPECT_GE(inside->Top(), tabs->TabRect(0).Bottom);
    EXPECT_LT(inside->Width(), tabs->ClientWidth());
    // Tabs rebuilt keep the chosen one; with none the area grows.
    tabs->Tabs()->Add("10.0.0.3:80");
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->Tabs()->Clear();
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(TabCount(tabs), 0);
}
