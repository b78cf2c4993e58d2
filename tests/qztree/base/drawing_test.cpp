#include "qztree/base/background.h"
#include "qztree/base/colors.h"
#include "qztree/base/draw.h"
#include "qztree/base/themes.h"
#include "qztree/base/tools.h"
#include "qztree/scroll_bar/flat_scroll_bars.h"

#include "rtl/format_settings.h"
#include "rtl/streams.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

uint32_t Rgb(int r, int g, int b) {
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

struct TFakeTheme {
    static inline int Opened = 0, Closed = 0, Part = -1, State = -1;
    static HTHEME WINAPI Open(HWND, LPCWSTR) {
        ++Opened;
        return HTHEME(0x1234);
    }
    static HRESULT WINAPI Close(HTHEME) {
        ++Closed;
        return S_OK;
    }
    static HRESULT WINAPI Draw(HTHEME, HDC, int part, int state, const RECT*, const RECT*) {
        Part = part;
        State = state;
        return S_OK;
    }
};

} // namespace

TEST(QZColors, HlsOfWhiteGreysAndPrimaries) {
    THLSColor white = RGBtoHLS(clWhite);
    EXPECT_EQ(LightnessOf(white), 252);
    EXPECT_EQ(SaturationOf(white), 0);
    EXPECT_EQ(HueOf(white), 168);
    EXPECT_EQ(HLStoRGB(white), clWhite);
    EXPECT_EQ(HLStoRGB(RGBtoHLS(clRed)), clRed);
    EXPECT_EQ(HLStoRGB(RGBtoHLS(clBlue)), clBlue);
    // The 252 scale loses a little on the way there and back.
    TColor back = HLStoRGB(RGBtoHLS(RGBValue(10, 200, 90)));
    EXPECT_NEAR(ColorRValue(back), 10, 2);
    EXPECT_NEAR(ColorGValue(back), 200, 2);
    EXPECT_NEAR(ColorBValue(back), 90, 2);
    EXPECT_EQ(HueOf(RGBtoHLS(clRed)), 0);
    EXPECT_EQ(HueOf(RGBtoHLS(clLime)), 84);
    // A lightness above the scale, as a lighter light grey asks, stays white, not wrapped.
    EXPECT_EQ(HLStoRGB(168, 255, 0), clWhite);
    EXPECT_EQ(ColorRValue(RGBValue(1, 2, 3)), 1);
    EXPECT_EQ(ColorBValue(RGBValue(1, 2, 3)), 3);
    EXPECT_EQ(DarkenedColor(clWhite, 252), RGBValue(191, 191, 191));
}

TEST(QZDrawing, GradientBandsAndSolidFill) {
    TBitmap bmp(10, 128);
    GradientFill(bmp.DC(), Rect(0, 0, 10, 128), clBlack, true, 64, clWhite);
    // 64 steps over 128 rows: two-row bands, the first black, the last white.
    EXPECT_EQ(bmp.ScanLine(0)[5] & 0xFFFFFF, 0u);
    EXPECT_EQ(bmp.ScanLine(1)[5] & 0xFFFFFF, 0u);
    EXPECT_EQ(bmp.ScanLine(2)[5] & 0xFFFFFF, bmp.ScanLine(3)[5] & 0xFFFFFF);
    EXPECT_NE(bmp.ScanLine(2)[5] & 0xFFFFFF, bmp.ScanLine(4)[5] & 0xFFFFFF);
    EXPECT_EQ(bmp.ScanLine(126)[5] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bmp.ScanLine(127)[5] & 0xFFFFFF, 0xFFFFFFu);

    FillSolidRect2(bmp.DC(), Rect(0, 0, 10, 128), clRed);
    GradientFill(bmp.DC(), Rect(0, 0, 10, 128), clBlack, true, 0, clWhite);
    EXPECT_EQ(bmp.ScanLine(64)[5] & 0xFFFFFF, Rgb(255, 0, 0)) << "no steps paint nothing";
    GradientFill(bmp.DC(), Rect(0, 0, 10, 128), clBlue, false, 0, clBlue);
    EXPECT_EQ(bmp.ScanLine(64)[5] & 0xFFFFFF, Rgb(0, 0, 255)) << "equal colours fill";
}

TEST(QZDrawing, ArrowsAndRectangles) {
    TBitmap bmp(20, 20);
    FillSolidRect2(bmp.DC(), Rect(0, 0, 20, 20), clWhite);
    DrawArrow(bmp.Canvas(), eadLeft, Rect(0, 0, 20, 20), true, clBlack);
    // A 4 x 7 arrow centred: base column at x = 8 + 3 spans seven rows, tip at x = 8.
    TRect place;
    CenterRects(4, 20, 7, place, 20);
    EXPECT_EQ(place.Left, 8);
    EXPECT_EQ(place.Top, 7);
    for (int y = 7; y < 14; ++y)
        EXPECT_EQ(bmp.ScanLine(y)[11] & 0xFFFFFF, 0u) << y;
    EXPECT_EQ(bmp.ScanLine(6)[11] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bmp.ScanLine(10)[8] & 0xFFFFFF, 0u);
    EXPECT_EQ(bmp.ScanLine(9)[8] & 0xFFFFFF, 0xFFFFFFu);
    // Too small a rectangle draws nothing.
    FillSolidRect2(bmp.DC(), Rect(0, 0, 20, 20), clWhite);
    DrawArrow(bmp.Canvas(), eadUp, Rect(0, 0, 5, 20), true, clBlack);
    EXPECT_EQ(bmp.ScanLine(10)[2] & 0xFFFFFF, 0xFFFFFFu);

    FillSolidRect2(bmp.DC(), Rect(0, 0, 20, 20), clWhite);
    Draw3dRect(bmp.DC(), 2, 2, 10, 10, clRed, clBlue);
    EXPECT_EQ(bmp.ScanLine(2)[2] & 0xFFFFFF, Rgb(255, 0, 0));
    EXPECT_EQ(bmp.ScanLine(11)[11] & 0xFFFFFF, Rgb(0, 0, 255));
    EXPECT_EQ(bmp.ScanLine(5)[5] & 0xFFFFFF, 0xFFFFFFu);
    TRect inner = DrawBevel(bmp.DC(), Rect(0, 0, 20, 20), clRed, clBlue, {ebsLeft, ebsBottom});
    EXPECT_EQ(inner, Rect(1, 0, 20, 19));
}

TEST(QZDrawing, TransparentBitmapKeepsTheBackground) {
    TBitmap picture(4, 4);
    FillSolidRect2(picture.DC(), Rect(0, 0, 4, 4), clFuchsia);
    FillSolidRect2(picture.DC(), Rect(1, 1, 3, 3), clBlue);
    TBitmap target(10, 10);
    FillSolidRect2(target.DC(), Rect(0, 0, 10, 10), clLime);
    DrawTransparentBitmapEx(target.DC(), picture, 2, 2, Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(target.ScanLine(2)[2] & 0xFFFFFF, Rgb(0, 255, 0));
    EXPECT_EQ(target.ScanLine(3)[3] & 0xFFFFFF, Rgb(0, 0, 255));
}

TEST(QZDrawing, BackgroundModes) {
    TBitmap target(40, 40);
    TQZBackground b;
    b.DrawMode = bgtTileBitmap;
    b.FillColor = clRed;
    TBitmap empty(0, 5);
    b.SourceBitmap = &empty;
    ExtDrawBkgnd(target.DC(), Rect(0, 0, 40, 40), Rect(0, 0, 40, 40), b);
    EXPECT_EQ(target.ScanLine(20)[20] & 0xFFFFFF, Rgb(255, 0, 0)) << "a zero-size bitmap is empty";

    TBitmap tile(8, 8);
    FillSolidRect2(tile.DC(), Rect(0, 0, 8, 8), clBlue);
    FillSolidRect2(tile.DC(), Rect(0, 0, 1, 1), clLime);
    b.SourceBitmap = &tile;
    ExtDrawBkgnd(target.DC(), Rect(0, 0, 40, 40), Rect(-3, 0, 40, 40), b);
    EXPECT_EQ(target.ScanLine(8)[5] & 0xFFFFFF, Rgb(0, 255, 0)) << "tiles from the document";
    EXPECT_EQ(target.ScanLine(9)[5] & 0xFFFFFF, Rgb(0, 0, 255));

    b.DrawMode = bgtCenterBitmap;
    b.DoBlend = true;
    b.OverColor = clWhite;
    ExtDrawBkgnd(target.DC(), Rect(0, 0, 40, 40), Rect(0, 0, 40, 40), b);
    EXPECT_EQ(target.ScanLine(0)[0] & 0xFFFFFF, Rgb(255, 0, 0));
    EXPECT_EQ(target.ScanLine(20)[20] & 0xFFFFFF, Rgb(0, 0, 255));
    EXPECT_EQ(target.ScanLine(20)[21] & 0xFFFFFF, 0xFFFFFFu) << "checkerboard of OverColor";

    // Tiles of odd size: the checkerboard runs on across their edges.
    TBitmap odd(3, 3);
    FillSolidRect2(odd.DC(), Rect(0, 0, 3, 3), clBlue);
    b.SourceBitmap = &odd;
    b.DrawMode = bgtTileBitmap;
    ExtDrawBkgnd(target.DC(), Rect(1, 1, 40, 40), Rect(1, 1, 40, 40), b);
    int seams = 0;
    for (int y = 1; y < 12; ++y)
        for (int x = 1; x < 12; ++x) {
            uint32_t want = ((x - 1) + (y - 1)) % 2 == 1 ? 0xFFFFFFu : Rgb(0, 0, 255);
            seams += (target.ScanLine(y)[x] & 0xFFFFFF) != want;
        }
    EXPECT_EQ(seams, 0);
}

TEST(QZTools, KeyboardTimesAndSystemFlags) {
    EXPECT_EQ(KeybTimeFromSetting(SPI_GETKEYBOARDSPEED, 31), 31);
    EXPECT_EQ(KeybTimeFromSetting(SPI_GETKEYBOARDDELAY, 1), 500);
    EXPECT_EQ(KeybTimeFromSetting(SPI_GETWHEELSCROLLLINES, 3), 3);
    TQZOSFlags xp = DefineOS(VER_PLATFORM_WIN32_NT, 5, 1, 2600);
    EXPECT_TRUE(xp.IsWinXP && xp.IsWinXPUp && xp.IsWinNTUp && xp.IsWin2000Up);
    EXPECT_FALSE(xp.IsWin98Up);
    TQZOSFlags me = DefineOS(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000);
    EXPECT_TRUE(me.IsWinME && me.IsWin98Up && me.IsWin95OSR2);
    EXPECT_FALSE(me.IsWinNTUp);
    EXPECT_TRUE(SystemOffersThemes(VER_PLATFORM_WIN32_NT, 5, 1));
    EXPECT_TRUE(SystemOffersThemes(VER_PLATFORM_WIN32_NT, 6, 0));
    EXPECT_FALSE(SystemOffersThemes(VER_PLATFORM_WIN32_NT, 5, 0));
    EXPECT_FALSE(SystemOffersThemes(VER_PLATFORM_WIN32_WINDOWS, 5, 1));
}

TEST(QZTools, LenientCurrency) {
    FormatSettings() = TFormatSettings();
    EXPECT_EQ(PrettyStrToCurr("(1 234,50)"), -12345000);
    EXPECT_EQ(PrettyStrToCurr("12.5.3"), 125000);
    EXPECT_EQ(PrettyStrToCurr("abc"), 0);
    EXPECT_EQ(PrettyStrToCurr(""), 0);
    EXPECT_EQ(PrettyStrToCurr("1.234567"), 12345) << "beyond the fourth place ignored";
    EXPECT_EQ(PrettyStrToCurr("-5x7"), -50000);
    FormatSettings().CurrencyString = "р.";
    EXPECT_EQ(PrettyStrToCurr("-12р.99"), -120000) << "currency after digits and minus ends";
    EXPECT_EQ(PrettyStrToCurr("12р.99"), 12990000);
    FormatSettings() = TFormatSettings();
    // A run of digits that would overflow stops where the value still fits.
    int64_t big = PrettyStrToCurr(std::string(40, '9'));
    EXPECT_GT(big, 0);
    EXPECT_EQ(big % CurrencyScale, 0);
}

TEST(QZTools, StringsInStreams) {
    TMemoryStream stream;
    EXPECT_TRUE(WriteStringToStream(stream, "Object"));
    EXPECT_TRUE(WriteStringToStream(stream, ""));
    EXPECT_EQ(stream.Size(), 4 + 6 + 4);
    stream.SetPosition(0);
    std::string s = "old";
    EXPECT_TRUE(ReadStringFromStream(stream, s));
    EXPECT_EQ(s, "Object");
    EXPECT_TRUE(ReadStringFromStream(stream, s));
    EXPECT_EQ(s, "");
    s = "kept";
    EXPECT_FALSE(ReadStringFromStream(stream, s)) << "end of stream";
    EXPECT_EQ(s, "kept");

    TMemoryStream negative({0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_FALSE(ReadStringFromStream(negative, s));
    negative.SetPosition(0);
    EXPECT_THROW(
        {
            try {
                ReadStreamString(negative);
            } catch (const EReadError& e) {
                EXPECT_EQ(e.Message, "Invalid string header read from the stream");
                throw;
            }
        },
        EReadError);
    // A huge length is refused before anything is allocated.
    TMemoryStream huge({0xFF, 0xFF, 0xFF, 0x7F, 'a'});
    EXPECT_FALSE(ReadFStringFromStream(huge, s));
    EXPECT_EQ(s, "kept");
}

TEST(QZThemes, BindingTableAndBackgroundForAClass) {
    EXPECT_EQ(ThemeEntryPointNames().size(), 47u);
    EXPECT_STREQ(ThemeEntryPointNames().front(), "IsThemeActive");
    EXPECT_STREQ(ThemeEntryPointNames().back(), "GetCurrentThemeName");
    EXPECT_EQ(ThemeEntryPoint("NoSuchFunction"), nullptr);

    bool wasAvailable = ThemesAvailable;
    TThemeFunctions saved = ThemeApi;
    ThemesAvailable = false;
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(DrawThemeBackgroundTo(L"HEADER", nullptr, 1, 1, r, nullptr), E_NOTIMPL);
    ThemesAvailable = true;
    ThemeApi.OpenThemeData = &TFakeTheme::Open;
    ThemeApi.CloseThemeData = &TFakeTheme::Close;
    ThemeApi.DrawThemeBackground = &TFakeTheme::Draw;
    TFakeTheme::Opened = TFakeTheme::Closed = 0;
    EXPECT_EQ(DrawThemeBackgroundTo(L"HEADER", nullptr, 1, 3, r, nullptr), S_OK);
    EXPECT_EQ(TFakeTheme::Part, 1);
    EXPECT_EQ(TFakeTheme::State, 3);
    EXPECT_EQ(TFakeTheme::Opened, 1);
    EXPECT_EQ(TFakeTheme::Closed, 1);
    ThemeApi = saved;
    ThemesAvailable = wasAvailable;
}

TEST(QZDrawing, FlatScrollBarsOfAWindow) {
    HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VSCROLL | WS_BORDER, 0, 0, 100, 120,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 50;
    si.nPos = 0;
    SetScrollInfo(wnd, SB_VERT, &si, FALSE);
    TBitmap target(100, 120);
    FillSolidRect2(target.DC(), Rect(0, 0, 100, 120), clRed);
    DrawFlatScrollbars(wnd, target.DC(), false, ssNone);
    EXPECT_EQ(target.ScanLine(60)[95] & 0xFFFFFF, 0xFF0000u) << "no bars selected";
    DrawFlatScrollbars(wnd, target.DC(), false, ssBoth);
    int border = GetSystemMetrics(SM_CXBORDER);
    int vw = GetSystemMetrics(SM_CXVSCROLL);
    int x = 100 - border - vw;
    // Thumb right below the top button: a highlight line on its top-left.
    int thumbTop = border + vw;
    EXPECT_EQ(target.ScanLine(thumbTop)[x + 3] & 0xFFFFFF,
              PixelOf(TColor(ColorToRGB(clBtnHighlight))));
    EXPECT_EQ(target.ScanLine(60)[10] & 0xFFFFFF, 0xFF0000u) << "only the bar is painted";
    DestroyWindow(wnd);
}
