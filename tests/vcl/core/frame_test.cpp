#include "vcl/controls/edit.h"
#include "vcl/core/custom_control.h"
#include "vcl/core/forms.h"
#include "vcl/graphics/gdi_objects.h"

#include "../vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

TOwnedPtr<TForm> RedForm() {
    auto form = MakeOwned<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 200);
    form->SetColor(clRed);
    return form;
}

template <class T> T* Child(TForm* form, int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}

// A control that draws a frame of its own, as the tree and its header do: 5 pixels of blue.
class TOwnFrame : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void NCCalcSize(TRect& ClientArea) override { ClientArea = ClientArea.Inflate(-5, -5); }
    void NCPaint(HDC WindowDC, const TRect& WindowRect) override {
        RECT r = ToRECT(WindowRect);
        TGdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
        FillRect(WindowDC, &r, blue.Handle());
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(ClientRect());
    }
};

// What the screen shows at a point, as 0x00RRGGBB.
uint32_t ScreenPixel(int x, int y) {
    TWindowDC screen(nullptr);
    COLORREF c = GetPixel(screen.DC(), x, y);
    return PixelOf(TColor(c));
}

void ShowPainted(TForm* form) {
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
}

} // namespace

TEST(Frame, BorderAndBevelsTakeTheirPlaceOutsideTheClientArea) {
    auto form = RedForm();
    auto* c = Child<TCustomControl>(form.get(), 10, 10, 100, 60);
    EXPECT_EQ(c->ClientWidth(), 100);
    c->SetBevelKind(bkTile); // lowered outer and raised inner cut: 2 pixels a side
    EXPECT_EQ(c->ClientWidth(), 96);
    EXPECT_EQ(c->ClientHeight(), 56);
    c->SetBevelEdges({beLeft, beTop});
    EXPECT_EQ(c->ClientWidth(), 98);
    EXPECT_EQ(c->ClientHeight(), 58);
    c->SetBevelKind(bkNone);
    c->SetBorderStyle(bsSingle);
    EXPECT_TRUE(GetWindowLongW(c->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(c->ClientWidth(), 100 - 2 * GetSystemMetrics(SM_CXEDGE));
    c->SetCtl3D(false);
    EXPECT_FALSE(GetWindowLongW(c->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongW(c->Handle(), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(c->ClientWidth(), 100 - 2 * GetSystemMetrics(SM_CXBORDER));
    // A window made later takes the same frame from its styles.
    c->RecreateWnd();
    EXPECT_TRUE(GetWindowLongW(c->Handle(), GWL_STYLE) & WS_BORDER);
}

TEST(Frame, BevelsAndAControlsOwnFrameArePaintedInTheNonClientArea) {
    auto form = RedForm();
    auto* bevelled = Child<TCustomControl>(form.get(), 10, 10, 100, 60);
    bevelled->SetBevelKind(bkTile);
    auto* own = Child<TOwnFrame>(form.get(), 150, 10, 100, 60);
    ShowPainted(form.get());
    // Lowered outer cut, raised inner cut, as the system draws its edges.
    EXPECT_EQ(ScreenPixel(10, 30), PixelOf(TColor(GetSysColor(COLOR_BTNSHADOW))));
    EXPECT_EQ(ScreenPixel(11, 30), PixelOf(TColor(GetSysColor(COLOR_BTNHIGHLIGHT))));
    EXPECT_EQ(own->ClientWidth(), 90);
    EXPECT_EQ(ScreenPixel(152, 30), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(160, 30), 0x00FF00u);
    EXPECT_EQ(ScreenPixel(140, 30), 0xFF0000u);
}

TEST(Frame, TextBoxesAreWhiteOnAColouredParent) {
    auto form = RedForm();
    auto* edit = Child<TEdit>(form.get(), 10, 10, 100, 22);
    auto* memo = Child<TMemo>(form.get(), 10, 40, 150, 80);
    memo->SetReadOnly(true);
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_FALSE(memo->ParentColor());
    form->SetColor(clYellow);
    EXPECT_EQ(memo->Color(), clWindow);
    const uint32_t white = PixelOf(TColor(ColorToRGB(clWindow)));
    EXPECT_EQ(TPaintedPixels(edit, 90, 15).At(60, 8), white);
    EXPECT_EQ(TPaintedPixels(memo, 140, 70).At(100, 50), white);
}
