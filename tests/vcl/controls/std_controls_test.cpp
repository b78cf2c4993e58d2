#include "rtl/published.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/controls/track_bar.h"
#include "vcl/controls/up_down.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"
#include "vcl/dialogs/dialogs.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include "../vcl_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <uxtheme.h>

namespace {
TOwnedPtr<TForm> MakeForm() {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
    return form;
}
} // namespace

TEST(StdControls, TrackBarReportsEveryChangeOfPositionAlsoWhenClamped) {
    auto form = MakeForm();
    auto* tb = new TTrackBar(form.get());
    tb->SetParent(form.get());
    std::vector<int> changes;
    tb->OnChange = [&](TObject*) { changes.push_back(tb->Position()); };
    tb->SetMax(10);
    tb->SetPosition(8);
    tb->SetPosition(8);
    tb->SetMax(5); // clamps the position
    tb->SetMax(20);
    tb->SetPosition(-3);
    EXPECT_EQ(changes, (std::vector<int>{8, 5, 0}));
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETRANGEMAX, 0, 0), 20);

    // The user moves it: the window tells its parent, which passes the notice on.
    SendMessageW(tb->Handle(), TBM_SETPOS, TRUE, 7);
    SendMessageW(form->Handle(), WM_HSCROLL, TB_THUMBPOSITION, LPARAM(tb->Handle()));
    EXPECT_EQ(changes.back(), 7);
    EXPECT_EQ(tb->Position(), 7);

    tb->SetSelStart(2);
    tb->SetSelEnd(5);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELSTART, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELEND, 0, 0), 5);
    // Ends past 16 bits reach the control whole.
    tb->SetMax(200000);
    tb->SetSelEnd(150000);
    tb->SetSelStart(70000);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELSTART, 0, 0), 70000);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELEND, 0, 0), 150000);
}

TEST(StdControls, TrackBarDrawsItsSelectionAsABandAndKeepsItInItsRange) {
    auto form = MakeForm();
    auto* tb = new TTrackBar(form.get());
    tb->SetParent(form.get());
    tb->SetBounds(0, 0, 400, 32);
    tb->SetMax(100);
    tb->SetPosition(90);
    const uint32_t highlight = PixelOf(TColor(GetSysColor(COLOR_HIGHLIGHT)));
    RECT channel{};
    SendMessageW(tb->Handle(), TBM_GETCHANNELRECT, 0, LPARAM(&channel));
    const int middle = (channel.top + channel.bottom) / 2;
    const auto bandPixels = [&] {
        TPaintedPixels pixels(tb, tb->Width(), tb->Height());
        int count = 0;
        for (int x = 0; x < tb->Width(); ++x)
            count += pixels.At(x, middle) == highlight;
        return count;
    };
    EXPECT_EQ(bandPixels(), 0); // no selection, no band

    tb->SetSelStart(20);
    tb->SetSelEnd(60);
    const TRect band = tb->SelectionBand();
    EXPECT_EQ(band.Left, tb->ValueToPixel(20));
    EXPECT_EQ(band.Right, tb->ValueToPixel(60) + 1);
    EXPECT_LT(tb->ValueToPixel(20), tb->ValueToPixel(21));
    TPaintedPixels pixels(tb, tb->Width(), tb->Height());
    EXPECT_EQ(pixels.At((band.Left + band.Right) / 2, middle), highlight);
    EXPECT_NE(pixels.At(band.Left - 3, middle), highlight);
    EXPECT_NE(pixels.At(band.Right + 3, middle), highlight);
    EXPECT_GE(bandPixels(), band.Width() - 2);
    // The classic look as well as the themed one.
    SetWindowTheme(tb->Handle(), L" ", L" ");
    EXPECT_GE(bandPixels(), band.Width() - 2);

    // A smaller range takes the selection in.
    tb->SetMax(1);
    EXPECT_EQ(tb->SelStart(), 1);
    EXPECT_EQ(tb->SelEnd(), 1);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELSTART, 0, 0), 1);
    EXPECT_EQ(SendMessageW(tb->Handle(), TBM_GETSELEND, 0, 0), 1);
}

TEST(StdControls, TrackBarDrawsItsThumbWhereThePositionIsAfterTheRangeGrows) {
    auto form = MakeForm();
    form->Show();
    const auto makeBar = [&](int max, int position) {
        auto* tb = new TTrackBar(form.get());
        tb->SetParent(form.get());
        tb->SetBounds(0, 0, 400, 32);
        tb->SetMax(max);
        tb->SetPosition(position);
        return tb;
    };
    const auto samePicture = [](TTrackBar* a, TTrackBar* b) {
        TPaintedPixels pa(a, a->Width(), a->Height()), pb(b, b->Width(), b->Height());
        for (int y = 0; y < a->Height(); ++y)
            for (int x = 0; x < a->Width(); ++x)
                if (pa.At(x, y) != pb.At(x, y))
                    return false;
        return true;
    };
    // The time line after a first file of 30 snapshots, and then a second file whose snapshots
    // come after them: the position stays on the same value while the range doubles.
    TTrackBar* grown = makeBar(29, 29);
    grown->SetMax(59);
    TTrackBar* fresh = makeBar(59, 29);
    EXPECT_TRUE(samePicture(grown, fresh));
    RECT thumb{};
    SendMessageW(grown->Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    EXPECT_NEAR((thumb.left + thumb.right) / 2, grown->ValueToPixel(29), 1);
    // Moved, grown again and given a selection, it shows one thumb, where the position is.
    grown->SetPosition(40);
    grown->SetMax(79);
    TTrackBar* later = makeBar(79, 40);
    for (TTrackBar* tb : {grown, later}) {
        tb->SetSelStart(10);
        tb->SetSelEnd(50);
    }
    EXPECT_TRUE(samePicture(grown, later));
}

TEST(StdControls, UpDownAsksBeforeEachStep) {
    auto form = MakeForm();
    auto* ud = new TUpDown(form.get());
    ud->SetParent(form.get());
    ud->SetBounds(10, 10, 17, 30);
    ud->SetMax(10);
    bool allow = false;
    std::vector<std::pair<short, TUpDownDirection>> asked;
    ud->OnChangingEx = [&](TObject*, bool& allowChange, short newValue,
                           TUpDownDirection direction) {
        asked.push_back({newValue, direction});
        allowChange = allow;
    };
    ud->HandleNeeded();
    NMUPDOWN notice{};
    notice.hdr.hwndFrom = ud->Handle();
    notice.hdr.idFrom = 0;
    notice.hdr.code = UDN_DELTAPOS;
    notice.iPos = 3;
    notice.iDelta = 1;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NOTIFY, 0, LPARAM(&notice)), 1);
    allow = true;
    notice.iDelta = -1;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NOTIFY, 0, LPARAM(&notice)), 0);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].first, 4);
    EXPECT_EQ(asked[0].second, updUp);
    EXPECT_EQ(asked[1].first, 2);
    EXPECT_EQ(asked[1].second, updDown);

    // A press on the upper arrow asks too, and a refusal keeps the position.
    allow = false;
    asked.clear();
    SendMessageW(ud->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 3));
    SendMessageW(ud->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
    EXPECT_FALSE(asked.empty());
    EXPECT_EQ(ud->Position(), 0);
}

TEST(StdControls, MemoHoldsMoreThanThirtyTwoKilobytesInStepWithItsLines) {
    auto form = MakeForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->Lines()->BeginUpdate();
    for (int i = 0; i < 5000; ++i)
        memo->Lines()->Add("строка номер " + std::to_string(i));
    memo->Lines()->EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_GT(GetWindowTextLengthW(memo->Handle()), 80000);
    EXPECT_EQ(memo->Lines()->Count(), 5000);
    EXPECT_EQ(memo->Lines()->Get(4999), "строка номер 4999");

    // Typing into the window shows in the lines.
    SetWindowTextW(memo->Handle(), L"один\r\nдва");
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "два");
    memo->Lines()->Clear();
    EXPECT_EQ(GetWindowTextLengthW(memo->Handle()), 0);
    EXPECT_EQ(GetObjectProp(*memo, "Lines"), memo->Lines());
}

TEST(StdControls, EditReportsChangesAndKeepsItsTextAcrossWindows) {
    auto form = MakeForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("Текст");
    EXPECT_EQ(changes, 1);
    SetWindowTextW(edit->Handle(), L"набрано");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit->Text(), "набрано");
    edit->SetReadOnly(true);
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
    form->RecreateWnd();
    EXPECT_EQ(edit->Text(), "набрано");
    EXPECT_EQ(GetStrProp(*edit, "Text"), "набрано");
}

TEST(StdControls, ButtonClickSetsTheModalResultOfItsForm) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    button->SetModalResult(mrOk);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    button->SetCancel(true);
    form->Show();
    PostMessageW(button->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
}

TEST(StdControls, ToolBarTakesButtonsAtRunTime) {
    auto form = MakeForm();
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    bar->SetShowCaptions(true);
    bar->SetButtonSize(59, 24);
    bar->HandleNeeded();
    std::vector<intptr_t> clicked;
    for (const char* caption : {"Diagram", "SystemInfo"}) {
        auto* button = new TToolButton(bar);
        button->SetCaption(caption);
        button->SetTag(intptr_t(caption));
        button->OnClick = [&](TObject* sender) {
            clicked.push_back(static_cast<TComponent*>(sender)->Tag());
        };
        button->SetParent(bar);
    }
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
    wchar_t text[64] = {};
    SendMessageW(bar->Handle(), TB_GETBUTTONTEXTW, bar->Buttons(1)->Command(), LPARAM(text));
    EXPECT_STREQ(text, L"SystemInfo");
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(bar->Buttons(1)->Command(), BN_CLICKED),
                 LPARAM(bar->Handle()));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], bar->Buttons(1)->Tag());
    bar->Buttons(0)->Free();
    EXPECT_EQ(bar->ButtonCount(), 1);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 1);
}

TEST(StdControls, ImageListDrawsItsPictures) {
    auto images = MakeOwned<TImageList>();
    TBitmap picture(16, 16);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(images->Add(&picture), 0);
    EXPECT_EQ(images->Add(&picture), 1);
    EXPECT_EQ(images->Count(), 2);
    TBitmap target(20, 20);
    images->Draw(target.Canvas(), 2, 2, 1);
    EXPECT_EQ(target.ScanLine(5)[5] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(target.ScanLine(0)[0] & 0xFFFFFF, 0xFFFFFFu);

    auto form = MakeForm();
    auto* bar = new TToolBar(form.get());
    bar->SetImages(images.get());
    images.reset();
    EXPECT_EQ(bar->Images(), nullptr);
}

TEST(StdControls, LabelSizesToItsCaption) {
    auto form = MakeForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("Current time:");
    int width = label->Width();
    EXPECT_GT(width, 20);
    label->SetCaption("Current time: and more");
    EXPECT_GT(label->Width(), width);
}

TEST(StdControls, OpenDialogIsAnsweredByTheHook) {
    auto dialog = MakeOwned<TOpenDialog>();
    dialog->Options.Include(ofAllowMultiSelect);
    auto previous = SetOpenDialogHook([](TOpenDialog& d) {
        d.Files()->Add("C:\\a.dbg");
        d.Files()->Add("C:\\b.dbg");
        d.FileName = "C:\\a.dbg";
        return true;
    });
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->Files()->Count(), 2);
    SetOpenDialogHook([](TOpenDialog&) { return false; });
    EXPECT_FALSE(dialog->Execute());
    SetOpenDialogHook(previous);
}

TEST(StdControls, MenuItemsComeAndGoAtRunTime) {
    auto menu = MakeOwned<TPopupMenu>();
    auto* first = new TMenuItem(menu.get());
    first->SetCaption("Show in percent of Max");
    menu->Items()->Add(first);
    int clicked = 0;
    for (int i = 0; i < 3; ++i) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption("Delete " + std::to_string(i));
        item->SetTag(i);
        item->OnClick = [&](TObject* sender) {
            clicked = int(static_cast<TMenuItem*>(sender)->Tag()) + 10;
        };
        menu->Items()->Add(item);
    }
    EXPECT_EQ(menu->Items()->Count(), 4);
    TMenuItem* second = menu->Items()->Items(2);
    menu->Items()->FindCommand(second->Command())->Click();
    EXPECT_EQ(clicked, 11);
    while (menu->Items()->Count() > 1)
        menu->Items()->Items(1)->Free();
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0), first);
}

namespace {
// A form that makes its label while it loads, as the program's windows do.
class TFormWithLabel : public TForm {
public:
    explicit TFormWithLabel(TComponent* AOwner) : TForm(AOwner) {
        Label = new TLabel(this);
        Label->SetParent(this);
        Label->SetCaption("Current time: and more");
    }
    TLabel* Label;
};
} // namespace

TEST(StdControls, ALabelMadeWhileItsFormLoadsTakesTheSizeOfItsText) {
    auto form = TOwnedPtr<TFormWithLabel>(CreateComponent<TFormWithLabel>(nullptr));
    auto* later = new TLabel(form.get());
    later->SetParent(form.get());
    later->SetCaption("Current time: and more");
    EXPECT_GT(form->Label->Width(), 65);
    EXPECT_EQ(form->Label->Width(), later->Width());
}

TEST(StdControls, AFlatToolBarErasesItsOwnBackground) {
    auto form = MakeForm();
    form->SetColor(clRed);
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    TBitmap picture(bar->Width(), bar->Height());
    SendMessageW(bar->Handle(), WM_ERASEBKGND, WPARAM(picture.DC()), 0);
    EXPECT_EQ(picture.ScanLine(5)[5] & 0xFFFFFF, 0xFF0000u);
}
