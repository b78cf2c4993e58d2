#include "tools/progress_cyl.h"

#include "rtl/published.h"
#include "vcl/core/forms.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

class TCountedBar : public TQZProgressCyl {
public:
    using TQZProgressCyl::TQZProgressCyl;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TQZProgressCyl::Paint();
    }
};

struct TBarOnForm {
    TBarOnForm() : Form(CreateComponent<TForm>(nullptr)) {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 200);
        Form->SetColor(clRed);
        Bar = new TCountedBar(Form.get());
        Bar->SetParent(Form.get());
    }
    // The bar's pixels as 0x00RRGGBB, painted through the form into a memory context.
    TPaintedPixels Paint() { return TPaintedPixels(Form.get(), 200, 200); }

    TOwnedPtr<TForm> Form;
    TCountedBar* Bar;
};

uint32_t Pixel(TColor color) {
    return PixelOf(TColor(ColorToRGB(color)));
}

// Pixels of the cylinder's interior (inside its black frame) that satisfy a test.
template <class Test>
int CountInside(const TPaintedPixels& pixels, const TCylGeometry& g, Test test) {
    int count = 0;
    for (int y = g.CylTL + 1; y < g.CylB - 1; ++y)
        for (int x = g.CylTL + 1; x < g.CylR - 1; ++x)
            count += test(pixels.At(x, y), x, y) ? 1 : 0;
    return count;
}

} // namespace

TEST(ProgressCylShading, GeometryAndFillEdgeOfTheDefaultBar) {
    TCylGeometry g = CylinderGeometry(150, 22, 1, 2, 255);
    EXPECT_EQ(g.InnTL, 3);
    EXPECT_EQ(g.InnR, 147);
    EXPECT_EQ(g.CylTL, 4);
    EXPECT_EQ(g.CylR, 146);
    EXPECT_EQ(g.CylB, 18);
    EXPECT_EQ(g.PaceH, 18); // 255 div 14
    EXPECT_EQ(g.PaceV, 1);  // 255 div 142
    EXPECT_TRUE(g.Valid());

    TCylFill half = CylinderFill(50, 0, 100, false, 150, 22, g);
    EXPECT_EQ(half.Percent, 50);
    EXPECT_EQ(half.Pixel, 79);
    EXPECT_EQ(half.LinePos, 75);
    // Empty, the line still stands one pixel into the cylinder; full, it lies on the frame.
    EXPECT_EQ(CylinderFill(0, 0, 100, false, 150, 22, g).LinePos, 5);
    TCylFill over = CylinderFill(150, 0, 100, false, 150, 22, g);
    EXPECT_EQ(over.Position, 100);
    EXPECT_EQ(over.LinePos, 146);
    EXPECT_EQ(CylinderFill(-5, 0, 100, false, 150, 22, g).Position, 0);

    // A vertical bar fills from the bottom.
    TCylGeometry v = CylinderGeometry(22, 150, 1, 2, 255);
    EXPECT_EQ(CylinderFill(0, 0, 100, true, 22, 150, v).LinePos, v.CylB - 1);
    EXPECT_EQ(CylinderFill(50, 0, 100, true, 22, 150, v).LinePos, 146 + 8 - 79);
    EXPECT_EQ(CylinderFill(100, 0, 100, true, 22, 150, v).LinePos, v.CylTL);

    // Bevels that leave no cylinder make the bar invalid; a zero-height cylinder divides nothing.
    EXPECT_FALSE(CylinderGeometry(5, 5, 1, 2, 255).Valid());
    EXPECT_EQ(CylinderGeometry(150, 8, 1, 2, 255).PaceH, 0);
}

TEST(ProgressCylShading, ColourFactorsAndRowShades) {
    TCylShading s;
    TCylFactors white = CylinderFactors(0xFFFFFF, s);
    EXPECT_FLOAT_EQ(white.R, 1.0f);
    TCylFactors black = CylinderFactors(0x000000, s);
    EXPECT_FLOAT_EQ(black.G, 0.25f);
    TCylFactors mixed = CylinderFactors(0x804020, s); // blue 0x80, green 0x40, red 0x20
    EXPECT_FLOAT_EQ(mixed.R, (255 + 3 * 0x20) / 1020.0f);
    EXPECT_FLOAT_EQ(mixed.B, (255 + 3 * 0x80) / 1020.0f);

    // The brightest row lies a third into a 14-row cylinder; each row away darkens by the pace.
    EXPECT_EQ(ShadeStart(14, s), -4);
    EXPECT_EQ(ShadedPixel(0, 18, s, white), 0xFFFFFFu);
    EXPECT_EQ(ShadedPixel(-4, 18, s, white), 0xB7B7B7u);              // 255 - 4 * 18
    EXPECT_EQ(ShadedPixel(9, 18, s, black), uint32_t(23 * 0x010101)); // (255 - 162) / 4
    // Channels are clamped at both ends.
    EXPECT_EQ(ShadedPixel(30, 18, s, white), 0u);
    TCylShading bright;
    bright.IntensityRGB = 2000;
    EXPECT_EQ(ShadedPixel(0, 18, bright, CylinderFactors(0xFFFFFF, bright)), 0xFFFFFFu);
}

TEST(ProgressCylShading, BevelColoursFollowTheBevelColourAndTheCuts) {
    TCylBevelShades face = BevelShades(clBtnFace);
    EXPECT_EQ(face.Highlight, clBtnHighlight);
    EXPECT_EQ(face.DkShadow3D, cl3DDkShadow);
    TCylBevelShades own = BevelShades(TColor(0x30C080));
    EXPECT_EQ(own.Highlight, TColor(0x70FFC0));
    EXPECT_EQ(own.Shadow, TColor(0x008040));

    TCylBevelColors usual = BevelColors(face, bvRaised, bvLowered, 2, clBtnFace);
    EXPECT_EQ(usual.InnTL, clBtnHighlight);
    EXPECT_EQ(usual.InnBR, clBtnShadow);
    EXPECT_EQ(usual.OutTL, clBtnShadow);
    EXPECT_EQ(usual.OutBR, clBtnHighlight);
    // Bevels that touch take the 3-D shades.
    TCylBevelColors sunk = BevelColors(face, bvLowered, bvLowered, 0, clBtnFace);
    EXPECT_EQ(sunk.InnTL, cl3DDkShadow);
    EXPECT_EQ(sunk.InnBR, cl3DLight);
    TCylBevelColors raised = BevelColors(face, bvRaised, bvRaised, 0, clBtnFace);
    EXPECT_EQ(raised.InnTL, cl3DLight);
    EXPECT_EQ(raised.OutBR, cl3DDkShadow);
    TCylBevelColors space = BevelColors(face, bvSpace, bvSpace, 2, clYellow);
    EXPECT_EQ(space.InnTL, clYellow);
    EXPECT_EQ(space.OutBR, clYellow);
}

TEST(ProgressCyl, DefaultsAndPublishedProperties) {
    auto bar = MakeOwned<TQZProgressCyl>();
    EXPECT_EQ(bar->Width(), 150);
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_EQ(bar->Font()->Name(), "Arial");
    EXPECT_EQ(bar->Font()->Size(), 9);
    EXPECT_TRUE(bar->Font()->Style().Contains(fsBold));
    EXPECT_EQ(bar->Color(), clBtnFace);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->ShownText(), "0%");
    EXPECT_EQ(bar->FontEffect(), feShadowBottomRight);
    EXPECT_EQ(bar->BevelInner(), bvRaised);
    EXPECT_TRUE(bar->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(bar->ProEffect(), peCustom);
    EXPECT_EQ(GetOrdProp(*bar, "CylinderEffect"), ceMaximum);
    EXPECT_EQ(GetPropInfo(*bar->ForeStyle(), "LightAngle").GetFloat(*bar->ForeStyle()), -3.0);
}

TEST(ProgressCyl, PositionRepaintsOnlyOnChangeAndFiresDoneAtMax) {
    TBarOnForm f;
    f.Form->Show();
    int done = 0;
    f.Bar->OnProgressDone = [&](TObject* sender) {
        EXPECT_EQ(sender, f.Bar);
        ++done;
    };
    f.Bar->Paints = 0;
    f.Bar->SetPosition(50);
    EXPECT_EQ(f.Bar->Percent(), 50);
    EXPECT_EQ(f.Bar->ShownText(), "50%");
    EXPECT_EQ(f.Bar->Paints, 1); // painted at once, without a message loop
    f.Bar->SetPosition(50);
    EXPECT_EQ(f.Bar->Paints, 1);

    f.Bar->SetPosition(150);
    EXPECT_EQ(f.Bar->Position(), 100);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(f.Bar->ShownText(), "100%");
    f.Bar->SetTextDone("Готово");
    EXPECT_EQ(f.Bar->ShownText(), "Готово");
    f.Bar->SetPosition(100);
    EXPECT_EQ(done, 1);
}

TEST(ProgressCyl, MinAndMaxNeverMeet) {
    auto bar = MakeOwned<TQZProgressCyl>();
    bar->SetPosition(30);
    bar->SetMin(100);
    EXPECT_EQ(bar->Min(), 99);
    EXPECT_EQ(bar->Position(), 99);
    bar->SetMin(150); // above Max: refused
    EXPECT_EQ(bar->Min(), 99);
    bar->SetMin(0);
    bar->SetMax(0);
    EXPECT_EQ(bar->Max(), 1);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(bar->Percent(), 100);
    bar->SetMax(-5);
    EXPECT_EQ(bar->Max(), 1);
}

TEST(ProgressCyl, StylesRefuseZeroDivisors) {
    auto bar = MakeOwned<TQZProgressCyl>();
    TQZPCColorStyle* style = bar->ForeStyle();
    style->SetIntensity(0);
    style->SetLightAngle(0);
    style->SetRangeRGB(0);
    EXPECT_EQ(style->Intensity(), 4.0f);
    EXPECT_EQ(style->LightAngle(), -3.0f);
    EXPECT_EQ(style->RangeRGB(), 255);
    style->SetIntensity(2);
    EXPECT_EQ(style->Intensity(), 2.0f);
}

TEST(ProgressCyl, PaintsTheShadedCylinderInsideItsBevels) {
    TBarOnForm f;
    f.Bar->SetPosition(50);
    f.Bar->SetShowText(false);
    TPaintedPixels pixels = f.Paint();
    const TCylGeometry& g = f.Bar->Geometry();
    EXPECT_EQ(pixels.At(0, 10), Pixel(clBtnShadow));    // outer bevel, lowered
    EXPECT_EQ(pixels.At(1, 10), Pixel(clBtnFace));      // border
    EXPECT_EQ(pixels.At(3, 10), Pixel(clBtnHighlight)); // inner bevel, raised
    EXPECT_EQ(pixels.At(g.CylTL, 10), 0x000000u);       // frame round the cylinder
    EXPECT_EQ(pixels.At(10, 8), 0xFFFFFFu);             // brightest fore row
    EXPECT_EQ(pixels.At(10, 5), 0xC9C9C9u);             // 3 rows above it: 255 - 3 * 18
    TCylFactors back = CylinderFactors(ColorToRGB(clBtnFace), TCylShading());
    EXPECT_EQ(pixels.At(140, 8), ShadedPixel(0, 18, TCylShading(), back));
    TCylFactors line = CylinderFactors(ColorToRGB(clHighlight), TCylShading());
    EXPECT_EQ(pixels.At(75, 6), ShadedPixel(-2, 18, TCylShading(), line));
    EXPECT_EQ(pixels.At(160, 10), 0xFF0000u); // the form beside the bar
}

TEST(ProgressCyl, TooSmallForItsBevelsPaintsNothing) {
    TBarOnForm f;
    f.Bar->SetBounds(0, 0, 5, 5);
    EXPECT_FALSE(f.Bar->Geometry().Valid());
    TPaintedPixels pixels = f.Paint();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pixels.At(x, y), 0xFF0000u) << x << "," << y;
}

TEST(ProgressCyl, TextIsCentredInEveryOrientation) {
    TBarOnForm f;
    f.Bar->SetFontEffect(feNone);
    f.Bar->SetPosition(50);
    auto blackInside = [&] {
        TPaintedPixels pixels = f.Paint();
        return CountInside(pixels, f.Bar->Geometry(),
                           [](uint32_t p, int, int) { return p == 0x000000u; });
    };
    EXPECT_GT(blackInside(), 10);
    f.Bar->SetShowText(false);
    EXPECT_EQ(blackInside(), 0);

    // Turned text stays on a vertical bar, whichever way it reads.
    f.Bar->SetShowText(true);
    f.Bar->SetOrientation(pbVertical);
    f.Bar->SetBounds(0, 0, 24, 150);
    for (TQZFontOrientation o : {foTopToBottom, foBottomToTop}) {
        f.Bar->SetFontOrientation(o);
        EXPECT_GT(blackInside(), 10) << o;
    }
}

TEST(ProgressCyl, InvertedTextInvertsTheBarUnderIt) {
    TBarOnForm f;
    f.Bar->SetPosition(40);
    f.Bar->SetShowText(false);
    TPaintedPixels plain = f.Paint();
    f.Bar->SetShowText(true);
    f.Bar->SetFontEffect(feInvert);
    TPaintedPixels inverted = f.Paint();
    int flipped = CountInside(inverted, f.Bar->Geometry(), [&](uint32_t p, int x, int y) {
        return p == (plain.At(x, y) ^ 0xFFFFFFu);
    });
    int unchanged = CountInside(inverted, f.Bar->Geometry(),
                                [&](uint32_t p, int x, int y) { return p == plain.At(x, y); });
    const TCylGeometry& g = f.Bar->Geometry();
    EXPECT_GT(flipped, 10);
    EXPECT_EQ(flipped + unchanged, (g.CylR - g.CylTL - 2) * (g.CylB - g.CylTL - 2));
}

TEST(ProgressCyl, MouseEnterAndLeaveAreTold) {
    TBarOnForm f;
    f.Form->Show();
    std::vector<std::string> told;
    f.Bar->OnMouseEnter = [&](TObject*) { told.push_back("enter"); };
    f.Bar->OnMouseLeave = [&](TObject*) { told.push_back("leave"); };
    f.Bar->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(f.Bar->MouseIsEntered());
    f.Bar->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(f.Bar->MouseIsEntered());
    EXPECT_EQ(told, (std::vector<std::string>{"enter", "leave"}));
}

TEST(ProgressCyl, ASystemColourChangeRecomputesItsColours) {
    TBarOnForm f;
    f.Bar->SetPosition(50);
    f.Bar->SetShowText(false);
    f.Form->HandleNeeded();
    f.Paint();
    const int element = COLOR_HIGHLIGHT;
    const COLORREF old = GetSysColor(element);
    const COLORREF green = RGB(0, 160, 0);
    SetSysColors(1, &element, &green);
    // The system tells the top-level windows; the form passes it on to every control.
    SendMessageW(f.Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    TPaintedPixels pixels = f.Paint();
    SetSysColors(1, &element, &old);
    TCylFactors line = CylinderFactors(green, TCylShading());
    EXPECT_EQ(pixels.At(75, 6), ShadedPixel(-2, 18, TCylShading(), line));
}
