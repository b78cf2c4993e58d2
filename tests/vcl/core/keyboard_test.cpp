#include "vcl/controls/button.h"
#include "vcl/controls/check_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/group_box.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/radio_button.h"
#include "vcl/core/custom_control.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"
#include "vcl/grid/inplace_edit.h"
#include "vcl/grid/string_grid.h"

#include "../vcl_test_support.h"
#include "support/message_capture.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// Holds keys down in the thread's key state for a scope, as a person holds Shift or Ctrl.
class THeldKeys {
public:
    explicit THeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(FSaved);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~THeldKeys() { SetKeyboardState(FSaved); }

private:
    BYTE FSaved[256];
};

constexpr LPARAM AltDown = 1 << 29;

// A key pressed and released on a window, as the keyboard posts it, then handled by the loop.
void Press(HWND window, WPARAM key, bool alt = false) {
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | (alt ? AltDown : 0));
    PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001 | (alt ? AltDown : 0));
    Application->ProcessMessages();
}

template <class T>
T* Make(TWinControl* parent, int left, int top, int width = 60, int height = 22) {
    T* control = new T(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent))
                                             : static_cast<TComponent*>(parent));
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TOwnedPtr<TForm> DialogForm() {
    auto form = MakeOwned<TForm>();
    form->SetBorderStyle(bsDialog);
    form->SetBounds(100, 100, 420, 320);
    return form;
}

// The control whose window holds the focus.
TControl* FocusedControl() {
    return TWinControl::FindControl(GetFocus());
}

} // namespace

TEST(Keyboard, TabAndShiftTabWalkTheTabOrderAcrossNestedPanelsAndGroupBoxes) {
    auto form = DialogForm();
    auto* edit1 = Make<TEdit>(form.get(), 10, 10);
    auto* outer = Make<TPanel>(form.get(), 10, 40, 380, 200);
    auto* edit2 = Make<TEdit>(outer, 10, 10);
    auto* inner = Make<TGroupBox>(outer, 10, 40, 300, 100);
    auto* memo = Make<TMemo>(inner, 10, 10, 100, 50);
    auto* hidden = Make<TEdit>(inner, 120, 10);
    auto* disabled = Make<TButton>(inner, 200, 10);
    auto* button1 = Make<TButton>(outer, 10, 150);
    auto* button2 = Make<TButton>(form.get(), 10, 260);
    hidden->SetVisible(false);
    disabled->SetEnabled(false);
    // The buttons of the panel come before its edit; panels take no focus themselves.
    button1->SetTabOrder(0);
    EXPECT_EQ(button1->TabOrder(), 0);
    EXPECT_EQ(edit2->TabOrder(), 1);
    form->Show();
    edit1->SetFocus();
    ASSERT_EQ(FocusedControl(), edit1);

    std::vector<TControl*> forward;
    for (int i = 0; i < 5; ++i) {
        Press(GetFocus(), VK_TAB);
        forward.push_back(FocusedControl());
    }
    EXPECT_EQ(forward, (std::vector<TControl*>{button1, edit2, memo, button2, edit1}));
    EXPECT_EQ(form->ActiveControl(), edit1);

    std::vector<TControl*> backward;
    {
        THeldKeys shift({VK_SHIFT});
        for (int i = 0; i < 3; ++i) {
            Press(GetFocus(), VK_TAB);
            backward.push_back(FocusedControl());
        }
    }
    EXPECT_EQ(backward, (std::vector<TControl*>{button2, memo, edit2}));
    // Tab moved the focus only: the edits got no tab character.
    EXPECT_EQ(edit2->Text(), "");
    EXPECT_EQ(memo->Text(), "");
}

TEST(Keyboard, SelectFirstAndArrowsWithinAGroup) {
    auto form = DialogForm();
    auto* edit = Make<TEdit>(form.get(), 10, 10);
    auto* group = Make<TPanel>(form.get(), 10, 40, 300, 120);
    auto* a = Make<TButton>(group, 10, 10);
    auto* b = Make<TButton>(group, 10, 40);
    auto* c = Make<TButton>(group, 10, 70);
    form->Show();
    form->SelectFirst();
    EXPECT_EQ(FocusedControl(), edit);
    a->SetFocus();
    Press(GetFocus(), VK_DOWN);
    EXPECT_EQ(FocusedControl(), b);
    Press(GetFocus(), VK_RIGHT);
    EXPECT_EQ(FocusedControl(), c);
    // Arrows go round within the group and never leave it.
    Press(GetFocus(), VK_DOWN);
    EXPECT_EQ(FocusedControl(), a);
    Press(GetFocus(), VK_UP);
    EXPECT_EQ(FocusedControl(), c);
    // An edit keeps its arrows.
    edit->SetFocus();
    Press(GetFocus(), VK_DOWN);
    EXPECT_EQ(FocusedControl(), edit);
}

namespace {
// A modal dialog with an edit, a memo, OK (default) and Cancel.
struct TModalDialog {
    TOwnedPtr<TForm> Form = DialogForm();
    TEdit* Edit = Make<TEdit>(Form.get(), 10, 10, 200);
    TMemo* Memo = Make<TMemo>(Form.get(), 10, 40, 200, 80);
    TButton* Ok = Make<TButton>(Form.get(), 10, 200, 75, 25);
    TButton* Cancel = Make<TButton>(Form.get(), 100, 200, 75, 25);
    int OkClicks = 0;

    TModalDialog() {
        Ok->SetCaption("OK");
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Ok->OnClick = [this](TObject*) { ++OkClicks; };
        Cancel->SetCaption("Cancel");
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Form->SetActiveControl(Edit);
    }
    // Keys posted now reach the focused control once the dialog runs.
    TModalResult Run(std::function<void()> whileShown) {
        Form->OnShow = [whileShown](TObject*) { whileShown(); };
        return Form->ShowModal();
    }
};

void PostKey(TWinControl* control, WPARAM key) {
    PostMessageW(control->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(control->Handle(), WM_KEYUP, key, 0xC0000001);
}
} // namespace

TEST(Keyboard, EnterAndEscapeOnAModalFormWithAnEditFocused) {
    {
        TModalDialog dialog;
        EXPECT_EQ(dialog.Run([&] { PostKey(dialog.Edit, VK_RETURN); }), mrOk);
        EXPECT_EQ(dialog.OkClicks, 1);
    }
    {
        TModalDialog dialog;
        EXPECT_EQ(dialog.Run([&] { PostKey(dialog.Edit, VK_ESCAPE); }), mrCancel);
        EXPECT_EQ(dialog.OkClicks, 0);
    }
    {
        // The memo wants Enter: it breaks the line, and the dialog stays until Cancel is pressed.
        TModalDialog dialog;
        dialog.Form->SetActiveControl(dialog.Memo);
        // The line break comes as a character after the key; once it is typed, 'b' and a click on
        // Cancel follow.
        dialog.Memo->OnKeyPress = [&](TObject*, char& key) {
            if (key != '\r')
                return;
            PostMessageW(dialog.Memo->Handle(), WM_CHAR, 'b', 1);
            PostMessageW(dialog.Cancel->Handle(), BM_CLICK, 0, 0);
        };
        TModalResult result = dialog.Run([&] {
            PostMessageW(dialog.Memo->Handle(), WM_CHAR, 'a', 1);
            PostKey(dialog.Memo, VK_RETURN);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(dialog.OkClicks, 0);
        EXPECT_EQ(dialog.Memo->Text(), "a\r\nb");
    }
    {
        // A focused button other than the default one takes Enter.
        TModalDialog dialog;
        dialog.Form->SetActiveControl(dialog.Cancel);
        EXPECT_EQ(dialog.Run([&] { PostKey(dialog.Cancel, VK_RETURN); }), mrCancel);
        EXPECT_EQ(dialog.OkClicks, 0);
    }
}

TEST(Keyboard, EnterAndEscapeTakeAltFromTheirOwnKeyMessageWhateverTheThreadsKeyStateHolds) {
    // An Alt whose release another program took, as a window manager's key grab does.
    THeldKeys staleAlt({VK_MENU, VK_LMENU});
    TModalDialog dialog;
    const TModalResult result = dialog.Run([&] {
        const HWND edit = dialog.Edit->Handle();
        // Alt+Enter is not Enter; a plain Escape is Escape. Should Escape be declined, OK ends it.
        PostMessageW(edit, WM_SYSKEYDOWN, VK_RETURN, 1 | AltDown);
        PostMessageW(edit, WM_SYSKEYUP, VK_RETURN, 0xC0000001 | AltDown);
        PostKey(dialog.Edit, VK_ESCAPE);
        PostMessageW(dialog.Ok->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(dialog.OkClicks, 0);
    Application->ProcessMessages();
}

TEST(Keyboard, AltWithAMnemonicClicksItsButton) {
    auto form = DialogForm();
    auto* edit = Make<TEdit>(form.get(), 10, 10);
    auto* open = Make<TButton>(form.get(), 10, 40, 75, 25);
    open->SetCaption("&Open");
    auto* save = Make<TButton>(form.get(), 100, 40, 75, 25);
    save->SetCaption("Save && &quit");
    std::vector<std::string> clicks;
    open->OnClick = [&](TObject*) { clicks.push_back("open"); };
    save->OnClick = [&](TObject*) { clicks.push_back("save"); };
    form->Show();
    edit->SetFocus();
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'o', 1 | AltDown);
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'Q', 1 | AltDown);
    // Without Alt the edit takes the letter as text...
    PostMessageW(edit->Handle(), WM_CHAR, 'o', 1);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"open", "save"}));
    EXPECT_EQ(edit->Text(), "o");
    // ...and a button, which takes no characters, lets it reach the mnemonic.
    save->SetFocus();
    PostMessageW(save->Handle(), WM_CHAR, 'O', 1);
    // "&&" is an ampersand, not a mnemonic.
    PostMessageW(save->Handle(), WM_SYSCHAR, 's', 1 | AltDown);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"open", "save", "open"}));
}

TEST(Keyboard, OnShortCutSeesKeysFirstAndMenuShortCutsRunTheirItems) {
    auto form = DialogForm();
    auto* edit = Make<TEdit>(form.get(), 10, 10);
    std::vector<uint16_t> seen;
    form->OnShortCut = [&](TWMKey& key, bool& handled) {
        seen.push_back(key.CharCode);
        handled = key.CharCode == 'Z';
    };
    auto* menu = new TPopupMenu(form.get());
    auto* save = new TMenuItem(menu);
    save->SetCaption("Save");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    auto* off = new TMenuItem(menu);
    off->SetCaption("Off");
    off->SetShortCut(ShortCut('D', {ssCtrl}));
    off->SetEnabled(false);
    menu->Items()->Add(save);
    menu->Items()->Add(off);
    int saves = 0, offs = 0;
    save->OnClick = [&](TObject*) { ++saves; };
    off->OnClick = [&](TObject*) { ++offs; };
    edit->SetPopupMenu(menu);
    form->Show();
    edit->SetFocus();

    Press(edit->Handle(), 'Z');
    Press(edit->Handle(), 'A');
    EXPECT_EQ(seen, (std::vector<uint16_t>{'Z', 'A'}));
    // The taken key never reached the edit; the other one typed its letter.
    EXPECT_EQ(edit->Text(), "a");
    {
        THeldKeys ctrl({VK_CONTROL});
        Press(edit->Handle(), 'S');
        Press(edit->Handle(), 'D');
    }
    Press(edit->Handle(), 'S');
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(offs, 0);
    EXPECT_EQ(ShortCutToText(save->ShortCut()), "Ctrl+S");
}

TEST(Keyboard, OnCanResizeDecidesEveryNewSize) {
    auto form = DialogForm();
    form->OnCanResize = [](TObject*, int& width, int& height, bool& resize) {
        width = std::min(width, 500);
        resize = height != 333;
    };
    form->Show();
    form->SetBounds(100, 100, 700, 300);
    EXPECT_EQ(form->Width(), 500);
    form->SetBounds(100, 100, 450, 333);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 300);
    // The user sizes the window: the system moves it, the form is asked all the same.
    SetWindowPos(form->Handle(), nullptr, 0, 0, 800, 280, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 280);
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 500);
}

namespace {
// A control that counts the layer's notices it hears and can take the wheel.
class TNoticeCounter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int SysColorChanges = 0;
    std::vector<std::string>* Log = nullptr;
    bool TakeWheel = false;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_SYSCOLORCHANGE)
            ++SysColorChanges;
        TCustomControl::WndProc(Message);
    }

protected:
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override {
        if (Log)
            Log->push_back(Name() + " " + std::to_string(WheelDelta));
        return TakeWheel;
    }
};

class TActivationCounter : public TForm {
public:
    using TForm::TForm;
    int Activates = 0;
    int Deactivates = 0;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_ACTIVATE)
            ++Activates;
        if (Message.Msg == CM_DEACTIVATE)
            ++Deactivates;
        TForm::WndProc(Message);
    }
};
} // namespace

TEST(Keyboard, NoticesOfActivationAndSystemColoursReachTheControls) {
    auto first = MakeOwned<TActivationCounter>();
    first->SetBounds(0, 0, 200, 200);
    auto* panel = Make<TPanel>(first.get(), 0, 0, 150, 150);
    auto* deep = Make<TNoticeCounter>(panel, 10, 10, 50, 50);
    auto second = MakeOwned<TActivationCounter>();
    second->SetBounds(300, 0, 200, 200);
    int onActivate = 0;
    first->OnActivate = [&](TObject*) { ++onActivate; };
    first->Show();
    second->Show();
    SetActiveWindow(first->Handle());
    Application->ProcessMessages();
    EXPECT_GE(first->Activates, 1);
    EXPECT_EQ(onActivate, first->Activates);
    SetActiveWindow(second->Handle());
    Application->ProcessMessages();
    EXPECT_GE(first->Deactivates, 1);

    SendMessageW(first->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(deep->SysColorChanges, 1);
}

TEST(Keyboard, TheWheelGoesToTheFocusedControlFirstThenItsParents) {
    auto form = DialogForm();
    std::vector<std::string> log;
    auto* panel = Make<TNoticeCounter>(form.get(), 0, 0, 200, 200);
    panel->SetName("panel");
    auto* focused = Make<TNoticeCounter>(panel, 10, 10, 50, 50);
    focused->SetName("focused");
    focused->SetTabStop(true);
    auto* under = Make<TNoticeCounter>(form.get(), 250, 10, 50, 50);
    under->SetName("under");
    for (auto* c : {panel, focused, under})
        c->Log = &log;
    form->Show();
    focused->SetFocus();
    // The wheel lands on the control under the pointer; the focused one hears it first.
    SendMessageW(under->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(270, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"focused 120", "panel 120"}));
    log.clear();
    focused->TakeWheel = true;
    SendMessageW(under->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(270, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"focused -120"}));
}

TEST(Keyboard, AControlThatWantsTheVeryKeyMessageKeepsItFromTheDefaultButton) {
    auto form = DialogForm();
    auto* grid = Make<TStringGrid>(form.get(), 10, 10, 300, 150);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    auto* ok = Make<TButton>(form.get(), 10, 200, 75, 25);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    grid->SetFocus();
    PostMessageW(grid->Handle(), WM_CHAR, 'x', 1);
    Application->ProcessMessages();
    ASSERT_TRUE(grid->EditorMode());
    // Enter in the cell's edit ends the editing; the dialog does not see it.
    Press(grid->InplaceEditor()->Handle(), VK_RETURN);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(clicks, 0);
    // On the grid itself Enter is the dialog's.
    Press(grid->Handle(), VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

TEST(Keyboard, TheMainFormsShortCutsServeEveryForm) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(Application->MainForm(), main);
    main->SetBounds(0, 0, 200, 100);
    std::vector<std::string> seen;
    main->OnShortCut = [&](TWMKey& key, bool& handled) {
        seen.push_back("main " + std::to_string(key.CharCode));
        handled = key.CharCode == VK_F5;
    };
    auto other = DialogForm();
    auto* edit = Make<TEdit>(other.get(), 10, 10);
    other->OnShortCut = [&](TWMKey& key, bool&) {
        seen.push_back("other " + std::to_string(key.CharCode));
    };
    main->Show();
    other->Show();
    edit->SetFocus();
    Press(edit->Handle(), VK_F5);
    EXPECT_EQ(seen, (std::vector<std::string>{"other 116", "main 116"}));
    seen.clear();
    // On the main form itself it is asked once.
    Press(main->Handle(), VK_F6);
    EXPECT_EQ(seen, (std::vector<std::string>{"main 117"}));
    main->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Keyboard, AShortCutHandlerThatRaisesIsShownAndTheDialogGoesOn) {
    MessageCapture messages;
    TModalDialog dialog;
    dialog.Form->OnShortCut = [](TWMKey& key, bool&) {
        if (key.CharCode == VK_F9)
            throw Exception("No F9 here");
    };
    TModalResult result = dialog.Run([&] {
        PostKey(dialog.Edit, VK_F9);
        PostKey(dialog.Edit, VK_RETURN);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(messages.Texts, std::vector<std::string>{"No F9 here"});
}

namespace {
class TSysCommandCounter : public TForm {
public:
    using TForm::TForm;
    std::vector<intptr_t> KeyMenus;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_KEYMENU) {
            KeyMenus.push_back(Message.LParam);
            return;
        }
        TForm::WndProc(Message);
    }
};
} // namespace

TEST(Keyboard, AltWithAKeyNoControlTookOpensTheMainFormsMenu) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    TSysCommandCounter* main = nullptr;
    Application->CreateForm(main);
    main->SetBounds(0, 0, 200, 100);
    auto other = DialogForm();
    main->Show();
    other->Show();
    SendMessageW(other->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_EQ(main->KeyMenus, std::vector<intptr_t>{'f'});
    main->Free();
}

TEST(Keyboard, AltWithAMnemonicTogglesACheckBoxAndChecksARadioButton) {
    auto form = DialogForm();
    auto* edit = Make<TEdit>(form.get(), 10, 10);
    auto* verbose = Make<TCheckBox>(form.get(), 10, 40, 120, 20);
    verbose->SetCaption("&Verbose");
    auto* alpha = Make<TRadioButton>(form.get(), 10, 70, 120, 20);
    alpha->SetCaption("&Alpha");
    auto* beta = Make<TRadioButton>(form.get(), 10, 100, 120, 20);
    beta->SetCaption("&Beta");
    alpha->SetChecked(true);
    form->Show();
    edit->SetFocus();
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'v', 1 | AltDown);
    Application->ProcessMessages();
    EXPECT_TRUE(verbose->Checked());
    EXPECT_EQ(FocusedControl(), verbose);
    PostMessageW(GetFocus(), WM_SYSCHAR, 'b', 1 | AltDown);
    Application->ProcessMessages();
    EXPECT_TRUE(beta->Checked());
    EXPECT_FALSE(alpha->Checked());
    EXPECT_EQ(FocusedControl(), beta);
}

TEST(Keyboard, AFormActivatedGivesTheKeysToTheFirstStopWhenItsActiveControlIsOutOfSight) {
    auto form = DialogForm();
    auto* first = Make<TEdit>(form.get(), 10, 10);
    auto* page = Make<TPanel>(form.get(), 10, 50, 200, 100);
    auto* onPage = Make<TEdit>(page, 10, 10);
    auto other = DialogForm();
    other->SetLeft(600);
    form->Show();
    other->Show();
    SetActiveWindow(form->Handle());
    onPage->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(FocusedControl(), onPage);

    // Away while the page goes, then back: the keys are where Tab starts.
    SetActiveWindow(other->Handle());
    page->SetVisible(false);
    SetActiveWindow(form->Handle());
    Application->ProcessMessages();
    EXPECT_EQ(FocusedControl(), first);

    // Only disabled meanwhile, a control keeps them.
    page->SetVisible(true);
    onPage->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(FocusedControl(), onPage);
    SetActiveWindow(other->Handle());
    onPage->SetEnabled(false);
    SetActiveWindow(form->Handle());
    onPage->SetEnabled(true);
    Application->ProcessMessages();
    EXPECT_EQ(FocusedControl(), onPage);
}
