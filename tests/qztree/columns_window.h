#pragma once
// A tree window with columns under a shown header, and what its view paints.
#include "tree_window.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "rtl/string_list.h"

#include <initializer_list>
#include <memory>
#include <string>

struct ColumnsWindow : TreeWindow {
    explicit ColumnsWindow(std::initializer_list<int> Widths) {
        tree->SetUseXPThemes(false);
        TStringList texts;
        for (size_t i = 0; i < Widths.size(); ++i)
            texts.Add("column " + std::to_string(i));
        tree->SetHeadersTexts(&texts);
        int i = 0;
        for (int width : Widths)
            Section(i++)->SetWidth(width);
        tree->SetShowColumns(true);
        PumpMessages();
    }
    TQZHeaderSection* Section(int Index) const { return tree->Header()->Sections()->Item(Index); }
    std::unique_ptr<TPaintedPixels> Paint() const {
        return std::make_unique<TPaintedPixels>(View(), View()->ClientWidth(),
                                                View()->ClientHeight());
    }
    // Pixels of a rectangle of the view that are not the background colour.
    static int Inked(const TPaintedPixels& Pixels, const TRect& R, TColor Background = clWindow) {
        int count = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                count += Pixels.At(x, y) != PixelOf(ColorToRGB(Background));
        return count;
    }
};
