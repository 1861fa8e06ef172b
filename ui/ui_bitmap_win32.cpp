#include "ui_bitmap.h"

#include "exceptions.h"
#include "system_error.h"

#include <cstring>

TBitmap::~TBitmap() { Free(); }

void TBitmap::Free()
{
    FCanvas.SetHandle(nullptr);
    FSelection.Reset();
    FDC.Reset();
    FBitmap.Reset();
    FBits = nullptr;
    FWidth = FHeight = 0;
}

void TBitmap::SetSize(int Width, int Height)
{
    if (Width < 0 || Height < 0 || (Width > 0 && Height > 0x7FFFFFFF / 4 / Width))
        throw Exception("Invalid bitmap size");
    Free();
    if (Width == 0 || Height == 0)
        return;
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = Width;
    Info.bmiHeader.biHeight = -Height;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    FDC.Reset(CreateCompatibleDC(nullptr));
    if (!FBitmap || !Bits || !FDC) {
        Free();
        throw Exception("Cannot create a bitmap");
    }
    FSelection = SelectInto(FDC.Get(), FBitmap.Get());
    FBits = static_cast<std::uint8_t*>(Bits);
    FWidth = Width;
    FHeight = Height;
    std::memset(FBits, 0xFF, static_cast<std::size_t>(Width) * Height * 4);
    FCanvas.SetHandle(FDC.Get());
}

void TBitmap::Assign(const TBitmap& Source)
{
    SetSize(Source.FWidth, Source.FHeight);
    if (!Empty())
        std::memcpy(FBits, Source.FBits, static_cast<std::size_t>(FWidth) * FHeight * 4);
}

TColor TBitmap::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return clNone;
    GdiFlush();
    const std::uint8_t* P = FBits + (static_cast<std::size_t>(Y) * FWidth + X) * 4;
    return static_cast<TColor>(P[2]) | (static_cast<TColor>(P[1]) << 8) | (static_cast<TColor>(P[0]) << 16);
}

void TBitmap::SetPixel(int X, int Y, TColor Color)
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return;
    GdiFlush();
    const COLORREF C = ColorToRGB(Color);
    std::uint8_t* P = FBits + (static_cast<std::size_t>(Y) * FWidth + X) * 4;
    P[0] = GetBValue(C);
    P[1] = GetGValue(C);
    P[2] = GetRValue(C);
    P[3] = 0;
}

void TBitmap::DrawTransparent(HDC Dest, int X, int Y, TColor Transparent) const
{
    if (Empty())
        return;
    // GDI's own mask blit rather than msimg32's TransparentBlt: msimg32 is no KnownDLL,
    // so an import of it would be looked for beside the program first. Copied into a
    // monochrome bitmap, the pixels of the source's background colour become 1, all
    // others 0.
    TGdiObject<HBITMAP> Mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    TMemoryDC MaskDC(CreateCompatibleDC(nullptr));
    if (!Mask || !MaskDC)
        throw Exception("Cannot make a bitmap mask: " + LastSystemError());
    {
        const TSelection InMask = SelectInto(MaskDC.Get(), Mask.Get());
        const COLORREF Background = SetBkColor(FDC.Get(), ColorToRGB(Transparent));
        const BOOL Made = BitBlt(MaskDC.Get(), 0, 0, FWidth, FHeight, FDC.Get(), 0, 0, SRCCOPY);
        const std::string Reason = Made ? std::string() : LastSystemError();
        SetBkColor(FDC.Get(), Background);
        if (!Made)
            throw Exception("Cannot make a bitmap mask: " + Reason);
    }
    // Where the mask is 1 the destination stays, elsewhere the bitmap is copied.
    constexpr DWORD KeepDestination = 0x00AA0029;
    if (!MaskBlt(Dest, X, Y, FWidth, FHeight, FDC.Get(), 0, 0, Mask.Get(), 0, 0, MAKEROP4(KeepDestination, SRCCOPY)))
        throw Exception("Cannot draw a bitmap: " + LastSystemError());
}
