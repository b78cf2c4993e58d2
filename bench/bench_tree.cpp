// The tree control against the system's list view in report mode, on the same rows:
// fill, expand, paint page by page and sort by each column, with the ratio of the times.
//   bench_tree [parents, default 10000] [--show]
// With --show the filled tree stays on screen until its window is closed.
// Needs a display, as it opens windows.
#include "bench_reporting.h"
#include "bench_timing.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/string_list.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/graphics/bitmap.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TRowText {
    std::string Main, Second, Third;
};

std::vector<TRowText> MakeRows(int Parents, int ChildrenEach) {
    std::vector<TRowText> rows;
    rows.reserve(size_t(Parents) * size_t(ChildrenEach + 1));
    for (int p = 0; p < Parents; ++p) {
        rows.push_back({"parent " + std::to_string(p * 7919 % Parents), std::to_string(p % 97),
                        std::to_string(p % 13)});
        for (int c = 0; c < ChildrenEach; ++c)
            rows.push_back({"child " + std::to_string(c), std::to_string((p + c) % 101),
                            std::to_string(c * 3)});
    }
    return rows;
}

// Paints the window's client area into a memory bitmap, as a WM_PAINT with a context does.
void PaintInto(HWND Window, TBitmap& Bitmap, bool PrintClient) {
    if (PrintClient)
        SendMessageW(Window, WM_PRINTCLIENT, WPARAM(Bitmap.DC()), PRF_CLIENT);
    else
        SendMessageW(Window, WM_PAINT, WPARAM(Bitmap.DC()), 0);
}

struct TFigures {
    double Fill = 0, Expand = 0, Paint = 0, PaintWorst = 0;
    std::vector<double> Sorts;
};

TFigures RunTree(TForm& Form, const std::vector<TRowText>& Rows, int ChildrenEach, int Pages,
                 bool Show) {
    TFigures figures;
    auto* tree = new TQZTree(&Form);
    tree->SetAlign(alClient);
    tree->SetParent(&Form);
    tree->HandleNeeded();
    TStringList titles;
    for (const char* title : {"Name", "Second", "Third"})
        titles.Add(title);
    tree->SetHeadersTexts(&titles);
    tree->SetShowColumns(true);
    figures.Fill = SecondsOf([&] {
        TQZTreeLock lock(tree);
        TQZTreeItem* parent = nullptr;
        for (size_t i = 0; i < Rows.size(); ++i) {
            const bool isParent = i % size_t(ChildrenEach + 1) == 0;
            TQZTreeItem* item = tree->Items()->AddChild(isParent ? nullptr : parent, Rows[i].Main);
            item->ColumnText()->Add(Rows[i].Second);
            item->ColumnText()->Add(Rows[i].Third);
            if (isParent)
                parent = item;
        }
    });
    figures.Expand = SecondsOf([&] {
        TQZTreeLock lock(tree);
        for (int i = 0; i < tree->Items()->Count(); ++i) {
            TQZTreeItem* item = tree->Items()->Item(i);
            if (item->Count() > 0)
                item->SetExpanded(true);
        }
    });
    TQZTreeView* view = tree->ViewControl();
    TBitmap bitmap(view->ClientWidth(), view->ClientHeight());
    const int page = std::max(view->GetVisCount2(), 1);
    for (int p = 0; p < Pages; ++p) {
        tree->SetTopIndex(p * page);
        const double one = SecondsOf([&] { PaintInto(view->Handle(), bitmap, false); });
        figures.Paint += one / Pages;
        figures.PaintWorst = std::max(figures.PaintWorst, one);
    }
    for (int column = 0; column < 3; ++column)
        figures.Sorts.push_back(SecondsOf([&] {
            TQZTreeLock lock(tree);
            tree->SetSortSection(column);
            tree->Sort(true);
        }));
    tree->SetTopIndex(0);
    if (Show) {
        // The parts a user meets: root lines, check boxes, grid lines, a selection and focus.
        {
            TQZTreeLock lock(tree);
            tree->SetShowRoot(true);
            tree->SetShowCheckboxes(true);
            tree->SetVerticalLines(true);
            tree->SetHorizontalLines(true);
            tree->SetMultiSelect(true);
            for (int i = 0; i < 40; ++i) {
                TQZTreeItem* item = tree->Items()->Item(i);
                item->SetFlag(ibfShowCheckBox, true);
                item->SetCheckBoxState(i % 3 == 0 ? cbChecked : cbUnchecked);
            }
            tree->Items()->Item(1)->Collapse(false);
            tree->Items()->Item(2)->SetSelected(true);
            tree->Items()->Item(3)->SetSelected(true);
            tree->SetFocused(tree->Items()->Item(3));
        }
        Form.Show();
        Application->Run();
    }
    return figures;
}

struct TListSort {
    const std::vector<TRowText>* Rows;
    int Column;
};

int CALLBACK CompareByColumn(LPARAM A, LPARAM B, LPARAM Sort) {
    const auto& sort = *reinterpret_cast<const TListSort*>(Sort);
    const TRowText& a = (*sort.Rows)[size_t(A)];
    const TRowText& b = (*sort.Rows)[size_t(B)];
    const std::string& x = sort.Column == 0 ? a.Main : sort.Column == 1 ? a.Second : a.Third;
    const std::string& y = sort.Column == 0 ? b.Main : sort.Column == 1 ? b.Second : b.Third;
    return CompareStringA(LOCALE_USER_DEFAULT, 0, x.c_str(), int(x.size()), y.c_str(),
                          int(y.size())) -
           2;
}

TFigures RunListView(TForm& Form, const std::vector<TRowText>& Rows, int Pages) {
    TFigures figures;
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                Form.ClientWidth(), Form.ClientHeight(), Form.Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 120;
        char title[] = "column";
        column.pszText = title;
        SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(c), LPARAM(&column));
    }
    figures.Fill = SecondsOf([&] {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        for (size_t i = 0; i < Rows.size(); ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = int(i);
            item.pszText = const_cast<char*>(Rows[i].Main.c_str());
            item.lParam = LPARAM(i);
            const int index = int(SendMessageA(list, LVM_INSERTITEMA, 0, LPARAM(&item)));
            for (int c = 1; c < 3; ++c) {
                LVITEMA sub{};
                sub.iSubItem = c;
                sub.pszText =
                    const_cast<char*>(c == 1 ? Rows[i].Second.c_str() : Rows[i].Third.c_str());
                SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(index), LPARAM(&sub));
            }
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    });
    RECT client{};
    GetClientRect(list, &client);
    TBitmap bitmap(client.right, client.bottom);
    const int page = std::max(int(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)), 1);
    for (int p = 0; p < Pages; ++p) {
        SendMessageW(list, LVM_ENSUREVISIBLE,
                     WPARAM(std::min(p * page + page - 1, int(Rows.size()) - 1)), FALSE);
        const double one = SecondsOf([&] { PaintInto(list, bitmap, true); });
        figures.Paint += one / Pages;
        figures.PaintWorst = std::max(figures.PaintWorst, one);
    }
    for (int column = 0; column < 3; ++column) {
        TListSort sort{&Rows, column};
        figures.Sorts.push_back(SecondsOf(
            [&] { SendMessageW(list, LVM_SORTITEMS, WPARAM(&sort), LPARAM(&CompareByColumn)); }));
    }
    DestroyWindow(list);
    return figures;
}

void Print(const char* Step, double Tree, double List) {
    std::printf("%-22s tree %9.2f ms   list view %9.2f ms   ratio %6.2f\n", Step, Tree * 1000,
                List * 1000, List > 0 ? Tree / List : 0.0);
}

int Run(int parents, bool show) {
    const int childrenEach = 10;
    const int pages = 50;
    Application->Initialize();
    const std::vector<TRowText> rows = MakeRows(parents, childrenEach);
    std::printf("%zu rows (%d parents with %d children), 3 columns, %d pages painted\n",
                rows.size(), parents, childrenEach, pages);

    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetCaption("Tree");
    form->SetBounds(0, 0, 640, 480);
    form->Show();
    const TFigures list = RunListView(*form, rows, pages);
    const TFigures tree = RunTree(*form, rows, childrenEach, pages, show);

    Print("fill", tree.Fill, list.Fill);
    std::printf("%-22s tree %9.2f ms   (the list view has no levels)\n", "expand all",
                tree.Expand * 1000);
    Print("paint one page (mean)", tree.Paint, list.Paint);
    Print("paint one page (worst)", tree.PaintWorst, list.PaintWorst);
    for (int c = 0; c < 3; ++c)
        Print(("sort by column " + std::to_string(c + 1)).c_str(), tree.Sorts[size_t(c)],
              list.Sorts[size_t(c)]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int parents = 10000;
    bool show = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--show") == 0)
            show = true;
        else
            parents = std::max(std::atoi(argv[i]), 1);
    }
    return RunReporting([&] { return Run(parents, show); });
}
