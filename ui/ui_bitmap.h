#pragma once

#include "ui_canvas.h"
#include "ui_types.h"

#include <windows.h>

#include <cstdint>

// A 32-bit top-down DIB section with its own memory DC and canvas, so paint code can
// draw into it and tests can read the pixels.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int Width, int Height) { SetSize(Width, Height); }
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Raises Exception for sizes GDI cannot make; 0 x 0 is an empty bitmap.
    void SetSize(int Width, int Height);
    void Assign(const TBitmap& Source);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    TCanvas& Canvas() { return FCanvas; }
    HDC DC() const { return FDC.Get(); }
    HBITMAP Handle() const { return FBitmap.Get(); }
    // Top-down rows of 4-byte BGRA pixels, Width * 4 bytes apart; null when empty.
    const std::uint8_t* Bits() const { return FBits; }

    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);
    // The platform's convention: the colour of the bottom-left pixel.
    TColor TransparentColor() const { return Empty() ? clNone : Pixel(0, FHeight - 1); }
    // Copies the bitmap onto Dest, pixels of Transparent left out.
    void DrawTransparent(HDC Dest, int X, int Y, TColor Transparent) const;

private:
    void Free();

    int FWidth = 0, FHeight = 0;
    TGdiObject<HBITMAP> FBitmap;
    TMemoryDC FDC;
    TSelection FSelection; // the bitmap in the DC
    std::uint8_t* FBits = nullptr;
    TCanvas FCanvas;
};
