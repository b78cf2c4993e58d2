#include "vcl/graphics/double_buffer.h"

#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/top_down_dib.h"

#include <algorithm>

struct TDoubleBuffer::TImpl {
    TImpl(HDC target, const TRect& area)
        : Target(target), Area(area), Memory(target),
          // A bitmap of our own rows, so that lines can be drawn into it directly.
          Bitmap(std::max(area.Width(), 1), std::max(area.Height(), 1)),
          Selection(Memory.DC(), Bitmap.Handle()) {
        SetViewportOrgEx(Memory.DC(), -area.Left, -area.Top, nullptr);
    }
    ~TImpl() {
        SetViewportOrgEx(Memory.DC(), 0, 0, nullptr);
        BitBlt(Target, Area.Left, Area.Top, Area.Width(), Area.Height(), Memory.DC(), 0, 0,
               SRCCOPY);
    }

    HDC Target;
    TRect Area;
    TMemoryDC Memory;
    TTopDownDib Bitmap;
    TSelectObject Selection;
};

TDoubleBuffer::TDoubleBuffer(HDC target, const TRect& area)
    : FImpl(std::make_unique<TImpl>(target, area)) {}

TDoubleBuffer::~TDoubleBuffer() = default;

HDC TDoubleBuffer::DC() const {
    return FImpl->Memory.DC();
}
