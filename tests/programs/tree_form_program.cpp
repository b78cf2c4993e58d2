// A whole program the way the tree samples are written: the application makes a form with a tree
// (custom scroll bars, a header, rows enough to scroll both ways) and a bar of its own, runs its
// loop, and is closed by the user. Argument: "close" (the title bar's close button) or "altf4".
// The exit code is 0 when the program ended by itself; a fault at its end shows in the code.
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/string_list.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/timer.h"

#include "vcl/base/windows_clean.h"

#include <cstring>
#include <string>

namespace {

bool CloseByAltF4 = false;

// A fault ends the program with the fault's code at once, with no debugger to wait for.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

class TTreeForm : public TForm {
public:
    explicit TTreeForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption("Tree form program");
        SetBounds(20, 20, 420, 300);
        Tree = new TQZTree(this);
        Tree->SetParent(this);
        Tree->SetBounds(10, 10, 300, 200);
        Tree->SetUseCustomScrollBars(true);
        TStringList captions;
        captions.Add("Name");
        captions.Add("Value");
        Tree->SetHeadersTexts(&captions);
        Tree->SetShowColumns(true);
        for (int i = 0; i < 100; ++i) {
            TQZTreeItem* row = Tree->Items()->AddChild(nullptr, "Row " + std::to_string(i));
            row->ColumnText()->Add(std::string(60, 'x'));
        }
        auto* bar = new TQZScrollBar(this);
        bar->SetParent(this);
        bar->SetAlign(alBottom);
        Steps = new TTimer(this);
        Steps->SetInterval(100);
        Steps->SetOnTimer([this](TObject*) { Step(); });
    }

private:
    // Scrolls by keys, then closes the way the user would.
    void Step() {
        HWND view = Tree->ViewControl()->Handle();
        switch (StepsDone++) {
        case 0:
            Tree->ViewControl()->SetFocus();
            PostMessageW(view, WM_KEYDOWN, VK_END, 1);
            break;
        case 1:
            PostMessageW(view, WM_KEYDOWN, VK_HOME, 1);
            break;
        default:
            Steps->SetEnabled(false);
            if (CloseByAltF4)
                PostMessageW(view, WM_SYSKEYDOWN, VK_F4, LPARAM(1 | 1 << 29));
            else
                PostMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
    }

    TQZTree* Tree = nullptr;
    TTimer* Steps = nullptr;
    int StepsDone = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "altf4") != 0))
        return 100;
    CloseByAltF4 = std::strcmp(argv[1], "altf4") == 0;
    SetUnhandledExceptionFilter(EndOnFault);
    Application->Initialize();
    TTreeForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
