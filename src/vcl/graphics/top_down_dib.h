#pragma once
#include "vcl/base/windows_clean.h"

#include <cstdint>

// A 32-bit top-down device-independent bitmap: rows of 0x00RRGGBB from the top, which our own
// code may write. The system does not tell which way a bitmap's rows run, so the bitmaps made
// here are known by their handles while they live (see IsTopDownDib).
class TTopDownDib {
public:
    TTopDownDib(int width, int height);
    ~TTopDownDib();
    TTopDownDib(const TTopDownDib&) = delete;
    TTopDownDib& operator=(const TTopDownDib&) = delete;

    HBITMAP Handle() const { return FHandle; }
    uint32_t* Bits() const { return FBits; }

private:
    HBITMAP FHandle = nullptr;
    uint32_t* FBits = nullptr;
};

// Whether bitmap is a live TTopDownDib.
bool IsTopDownDib(HGDIOBJ bitmap);
