#include "viewer/detail_memo.h"

#include "vcl/controls/edit.h"
#include "vcl/controls/splitter.h"

TDetailMemo AddDetailMemo(TWinControl* Parent, const std::string& MemoName, int Height) {
    TDetailMemo pane;
    pane.Memo = new TMemo(Parent);
    pane.Memo->SetName(MemoName);
    pane.Memo->SetParent(Parent);
    pane.Memo->SetAlign(alBottom);
    pane.Memo->SetHeight(Height);
    pane.Memo->SetReadOnly(true);
    pane.Memo->SetScrollBars(ssBoth);
    pane.Memo->SetWordWrap(false);

    pane.Splitter = new TSplitter(Parent);
    pane.Splitter->SetName("Splitter1");
    pane.Splitter->SetParent(Parent);
    pane.Splitter->SetAlign(alBottom);
    pane.Splitter->SetHeight(4);
    // The strips at the bottom go by their lower edges: the splitter stays above the memo.
    pane.Splitter->SetTop(pane.Memo->Top() - 4);
    return pane;
}
