#include "vcl/graphics/top_down_dib.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Few live at once: the bitmaps of the pictures and a buffer while a control paints.
struct TLiveDibs {
    std::mutex Lock;
    std::vector<HGDIOBJ> Handles;
};

TLiveDibs& LiveDibs() {
    static TLiveDibs* dibs = new TLiveDibs; // bitmaps may be freed while the program ends
    return *dibs;
}

} // namespace

TTopDownDib::TTopDownDib(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FHandle = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FHandle)
        return;
    FBits = static_cast<uint32_t*>(bits);
    TLiveDibs& live = LiveDibs();
    std::lock_guard<std::mutex> guard(live.Lock);
    try {
        live.Handles.push_back(FHandle);
    } catch (...) {
        DeleteObject(FHandle); // the destructor does not run for a constructor that raises
        throw;
    }
}

TTopDownDib::~TTopDownDib() {
    if (!FHandle)
        return;
    {
        TLiveDibs& live = LiveDibs();
        std::lock_guard<std::mutex> guard(live.Lock);
        live.Handles.erase(std::find(live.Handles.begin(), live.Handles.end(), FHandle));
    }
    DeleteObject(FHandle);
}

bool IsTopDownDib(HGDIOBJ bitmap) {
    TLiveDibs& live = LiveDibs();
    std::lock_guard<std::mutex> guard(live.Lock);
    return bitmap &&
           std::find(live.Handles.begin(), live.Handles.end(), bitmap) != live.Handles.end();
}
