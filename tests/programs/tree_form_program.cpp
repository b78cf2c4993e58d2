// A whole program the way the tree samples are written: the application makes a form with a tree
// (custom scroll bars, a header, rows enough to scroll both ways) and a bar of its own, runs its
// loop, and is closed by the user. While it runs it makes and frees other such forms and leaves
// two open at the end: one that the application frees as it ends, and one that the program's
// first static object frees after every other static object has gone. Argument: "close" (the
// title bar's close button) or "altf4".
// The exit code is 0 when the program ended by itself; a fault at its end shows in the code.
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/string_list.h"
#include "tools/form_storage.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/timer.h"

#include "vcl/base/windows_clean.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

bool CloseByAltF4 = false;

// A fault ends the program with the fault's code at once, with no debugger to wait for.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

// A form with a tree scrolled both ways, a bare scroll bar and its placement stored.
class TTreeForm : public TForm {
public:
    explicit TTreeForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption("Tree form program");
        SetBounds(20, 20, 420, 300);
        auto* storage = new TZWFormStorage(this);
        storage->SetUseRegistry(false);
        storage->SetStoredPlacement(true);
        storage->SetActive(true);
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
    }

    // Shown and scrolled to the end by the keyboard.
    void ShowScrolled() {
        Show();
        Tree->ViewControl()->SetFocus();
        Key(VK_END);
        Key(VK_RIGHT);
    }
    void Key(WPARAM key) { PostMessageW(Tree->ViewControl()->Handle(), WM_KEYDOWN, key, 1); }

    TQZTree* Tree = nullptr;
};

// Made before every other static object, so it goes after all of them.
struct TLastToGo {
    ~TLastToGo() { delete Form; }
    TTreeForm* Form = nullptr;
} LastToGo __attribute__((init_priority(101)));

class TMainForm : public TTreeForm {
public:
    explicit TMainForm(TComponent* AOwner) : TTreeForm(AOwner) {
        Steps = new TTimer(this);
        Steps->SetInterval(100);
        Steps->SetOnTimer([this](TObject*) { Step(); });
    }

private:
    // Makes and frees forms, scrolls by keys, then closes the way the user would.
    void Step() {
        switch (StepsDone++) {
        case 0:
            ShowScrolled();
            for (int i = 0; i < 3; ++i)
                Freed.push_back(std::make_unique<TTreeForm>(nullptr));
            for (auto& form : Freed)
                form->ShowScrolled();
            break;
        case 1:
            Freed.clear(); // the bars that made the shared pattern go first
            // Owned by a component of the application's: the application frees it as it ends.
            (new TTreeForm(new TComponent(Application)))->ShowScrolled();
            LastToGo.Form = new TTreeForm(nullptr);
            LastToGo.Form->ShowScrolled();
            break;
        case 2:
            Key(VK_HOME);
            break;
        default:
            Steps->SetEnabled(false);
            if (CloseByAltF4)
                PostMessageW(Tree->ViewControl()->Handle(), WM_SYSKEYDOWN, VK_F4,
                             LPARAM(1 | 1 << 29));
            else
                PostMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
    }

    TTimer* Steps = nullptr;
    int StepsDone = 0;
    std::vector<std::unique_ptr<TTreeForm>> Freed;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "altf4") != 0))
        return 100;
    CloseByAltF4 = std::strcmp(argv[1], "altf4") == 0;
    SetUnhandledExceptionFilter(EndOnFault);
    Application->Initialize();
    TMainForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
