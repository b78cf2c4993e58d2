#pragma once
#include "vcl/base/geometry.h"
#include "vcl/base/win_types.h"

#include <memory>

// Painting goes into a memory bitmap of the area and reaches the target in one copy when the
// buffer goes out of scope, so a control repainting itself never flickers. The buffer's context
// uses the target's coordinates.
class TDoubleBuffer {
public:
    TDoubleBuffer(HDC target, const TRect& area);
    ~TDoubleBuffer();
    TDoubleBuffer(const TDoubleBuffer&) = delete;
    TDoubleBuffer& operator=(const TDoubleBuffer&) = delete;

    HDC DC() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
