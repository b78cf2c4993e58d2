#pragma once
// A real tree control on a shown form; tests post keys and clicks to its inner view window.
#include "../vcl/user_input.h"
#include "../vcl/vcl_test_support.h"

#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/view/tree_view.h"

#include <string>

// The window's own pixel at a point of its frame, as 0x00RRGGBB.
inline uint32_t FramePixel(HWND Window, int X, int Y) {
    HDC dc = GetWindowDC(Window);
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Window, dc);
    return PixelOf(TColor(c));
}

inline void RedrawFrame(TWinControl* Control) {
    RedrawWindow(Control->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    PumpMessages();
}

inline void PressKey(HWND Window, uint16_t Key, TShiftState Shift) {
    if (Shift.Empty())
        PostKey(Window, Key);
    else
        PostKeyWith(Window, Key, Shift);
}

struct TreeWindow {
    TOwnedPtr<TForm> form = MakeShownForm(300, 200);
    TCustomQZTree* tree = new TCustomQZTree(form.get());

    TreeWindow() {
        tree->SetParent(form.get());
        tree->SetBounds(0, 0, 300, 200);
        PumpMessages();
    }
    TQZTreeView* View() const { return tree->ViewControl(); }
    HWND ViewWindow() const { return View()->Handle(); }
    TQZTreeItem* Add(TQZTreeItem* parent, const std::string& text) {
        return tree->Items()->AddChild(parent, text);
    }
    void Focus() {
        View()->SetFocus();
        PumpMessages();
    }
    void Key(uint16_t key, TShiftState shift = {}) { PressKey(ViewWindow(), key, shift); }
    std::string FocusedText() const {
        return tree->GetFocused() ? tree->GetFocused()->Text() : "none";
    }
    // Items marked selected, in absolute order.
    std::string Marked() const {
        std::string text;
        for (int i = 0; i < tree->Items()->Count(); ++i)
            if (tree->Items()->Item(i)->Selected())
                text += (text.empty() ? "" : " ") + tree->Items()->Item(i)->Text();
        return text;
    }
};
