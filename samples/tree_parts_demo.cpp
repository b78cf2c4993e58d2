// A window to try the tree library's header and scroll bars by hand: drag, resize and click the
// header, press, hold and drag the bars, double-click the form for the classic look. What
// happens is shown in the window's caption.
#include "qztree/header/header.h"
#include "qztree/scroll_bar/scroll_bar.h"

#include "rtl/string_list.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"

#include "vcl/base/windows_clean.h"

#include <string>

namespace {

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption("Tree parts");
        SetBounds(60, 60, 640, 420);
        BuildHeader();
        BuildBars();
        // A double click on the empty form switches between the themed and the classic look.
        OnDblClick = [this](TObject*) {
            bool themed = !Header->UseXPThemes();
            Header->SetUseXPThemes(themed);
            Vertical->SetUseXPThemes(themed);
            Horizontal->SetUseXPThemes(themed);
            Show(themed ? "themed" : "classic");
        };
    }

private:
    void Show(const std::string& what) { SetCaption("Tree parts: " + what); }

    void BuildHeader() {
        Header = new TQZHeader(this);
        Header->SetParent(this);
        Header->SetAllowDrag(true);
        Header->SetTracking(true);
        const char* names[] = {"Name", "Value", "Kind", "Filtered", "Looked up"};
        for (const char* name : names) {
            TQZHeaderSection* s = Header->Sections()->AddSection();
            s->SetText(name);
            s->SetWidth(110);
        }
        Header->Sections()->ItemByPos(0)->SetSortMode(hsmAscend);
        Header->Sections()->ItemByPos(2)->SetExpandable(true);
        Header->Sections()->ItemByPos(3)->SetFilterEnabled(true);
        Header->Sections()->ItemByPos(4)->SetLookupEnabled(true);
        Header->Sections()->ItemByPos(4)->LookupHistory()->Add("first");
        Header->OnSectionClick = [this](TObject*, TQZHeaderSection* s) {
            s->SetSortMode(s->SortMode() == hsmAscend ? hsmDescend : hsmAscend);
            Show("click " + s->Text());
        };
        Header->OnSectionResize = [this](TObject*, TQZHeaderSection* s) {
            Show("width of " + s->Text() + " " + std::to_string(s->Width()));
        };
        Header->OnSectionMove = [this](TObject*, TQZHeaderSection* s, int from, int to) {
            Show("moved " + s->Text() + " " + std::to_string(from) + " to " + std::to_string(to));
        };
        Header->OnFilterCall = [this](TObject*, TQZHeaderSection* s) {
            Show("filter " + s->Text());
        };
        Header->OnHeaderLookupDone = [this](TObject*, TQZHeaderSection*, const std::string& t,
                                            bool ok) {
            Show("lookup " + t + (ok ? " taken" : " dropped"));
        };
    }

    void BuildBars() {
        Vertical = new TQZScrollBar(this);
        Vertical->SetKind(sbVertical);
        Vertical->SetParent(this);
        Vertical->SetAlign(alRight);
        Vertical->ShowTrackHint = true;
        Horizontal = new TQZScrollBar(this);
        Horizontal->SetParent(this);
        Horizontal->SetAlign(alBottom);
        Horizontal->SetMax(1000);
        Horizontal->SetPage(100);
        Horizontal->SetSecondaryButtons(true);
        Horizontal->SetSecondBtnKind(sbkPage);
        for (TQZScrollBar* bar : {Vertical, Horizontal}) {
            bar->OnChange = [this, bar](TObject*) {
                Show((bar == Vertical ? "vertical " : "horizontal ") +
                     std::to_string(bar->Position()));
            };
            bar->OnScrollHintNeeded = [](TObject*, int pos, TQZFString& hint) {
                hint = "Row " + std::to_string(pos);
            };
        }
    }

    TQZHeader* Header = nullptr;
    TQZScrollBar* Vertical = nullptr;
    TQZScrollBar* Horizontal = nullptr;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
