// A window to try the tree by hand: select rows with clicks, Ctrl, Shift and a frame, move with
// the keys, type to find a row, sort by clicking the header (Ctrl adds a column), drag rows to
// the tree on the right, and edit name and value rows below. What happens shows in the caption.
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/params_editor/params_edit.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_view.h"

#include "rtl/string_list.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"

#include "vcl/base/windows_clean.h"

#include <string>

namespace {

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption("Tree");
        SetBounds(40, 40, 820, 560);
        BuildRows();
        BuildTarget();
        BuildParams();
    }

private:
    TQZTree* MakeTree(int Left, int Width, const char* const* Captions, int Count) {
        auto* tree = new TQZTree(this);
        tree->SetParent(this);
        tree->SetBounds(Left, 10, Width, 300);
        TStringList captions;
        for (int i = 0; i < Count; ++i)
            captions.Add(Captions[i]);
        tree->SetHeadersTexts(&captions);
        for (int i = 0; i < Count; ++i)
            tree->Header()->Sections()->Item(i)->SetWidth(i == 0 ? 160 : 90);
        tree->SetShowColumns(true);
        return tree;
    }

    void BuildRows() {
        static const char* const captions[] = {"Name", "Size", "Date"};
        Rows = MakeTree(10, 360, captions, 3);
        Rows->Header()->Sections()->Item(1)->SetFieldType(sftNumber);
        Rows->Header()->Sections()->Item(2)->SetFieldType(sftDate);
        Rows->FSortMode = smClick;
        Rows->SetMultiSelect(true);
        Rows->SetMouseFrameSelect(true);
        Rows->SetIncrementalSearch(true);
        Rows->SetDragAllowed(true);
        const char* names[] = {"Delta", "alpha", "Charlie", "bravo", "Echo", "foxtrot"};
        for (int i = 0; i < 6; ++i) {
            TQZTreeItem* row = Rows->Items()->AddChild(nullptr, names[i]);
            row->ColumnText()->Add(std::to_string((i * 37) % 101));
            row->ColumnText()->Add(std::to_string(10 + i * 3 % 17) + ".0" + std::to_string(1 + i) +
                                   ".2026");
            for (int c = 1; c <= 3; ++c)
                Rows->Items()->AddChild(row, std::string(names[i]) + " " + std::to_string(c));
        }
        Rows->OnAfterSelectionChange = [this](TObject*) {
            SetCaption("Tree: " + std::to_string(Rows->GetSelCount()) + " selected");
        };
    }

    void BuildTarget() {
        static const char* const captions[] = {"Dropped"};
        Target = MakeTree(400, 390, captions, 1);
        Target->SetDragAllowed(true);
        Target->SetExpandOnDragOver(true);
        // A classic flat border that lights up under the mouse and with the focus, and a hint of
        // its own.
        Target->SetUseXPThemes(false);
        Target->SetFlat(true);
        Target->SetActiveBorderType(fbtColorLineBorder);
        Target->SetLineBorderActiveColor(clHighlight);
        Target->SetShowHint(true);
        Target->SetHint("Drop rows here");
        Target->Items()->AddChild(Target->Items()->AddChild(nullptr, "Folder"), "inside");
        Target->OnDragOver = [this](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
            Accept = Source == Rows;
        };
        Target->OnDragDrop = [this](TObject*, TObject*, int, int) {
            for (int i = 0; i < Rows->GetSelCount(); ++i)
                Target->Items()->AddChild(Target->ViewControl()->FDropTrg,
                                          Rows->SelectedItem(i)->Text());
        };
    }

    void BuildParams() {
        Params = new TQZParamsEditEx(this);
        Params->SetParent(this);
        Params->SetBounds(10, 320, 780, 190);
        Params->SetSeparator('=');
        Params->Columns()->AddSection()->SetText("Param");
        Params->Columns()->AddSection()->SetText("Value");
        for (int i = 0; i < 2; ++i)
            Params->Columns()->Item(i)->SetWidth(200);
        Params->SetShowColumnHeaders(true);
        TStringList lines;
        lines.Add("Host=server#3D1");
        lines.Add("Port=8080");
        Params->SetItems(&lines);
        // Items shares the editor's working list: the handler shows the values it is given.
        Params->onDoAction = [this](TObject*, TParamsEditAction, bool&, TStrings* Values) {
            SetCaption("Tree: " + Values->CommaText());
        };
    }

    TQZTree* Rows = nullptr;
    TQZTree* Target = nullptr;
    TQZParamsEditEx* Params = nullptr;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
