#include "draw_helpers.h"

#include "bmp_image.h"
#include "exceptions.h"
#include "file_stream.h"
#include "string_helpers.h"
#include "win32_handles.h"

void TCanvasPainter::SetBrush(TColor Color)
{
    FCanvas.BrushStyle = bsSolid;
    FCanvas.BrushColor = Color;
}

TTextSize TCanvasPainter::TextExtent(const std::string& Text)
{
    const SIZE Extent = FCanvas.TextExtent(Text);
    return TTextSize{Extent.cx, Extent.cy};
}

void TCanvasPainter::TextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    FCanvas.TextRect(RECT{R.Left, R.Top, R.Right, R.Bottom}, X, Y, Text);
}

// A bitmap is read by our own reader.
bool TCanvasPainter::DrawPicture(const std::string& FileName, const TRect& R)
{
    const int RW = R.Right - R.Left, RH = R.Bottom - R.Top;
    const std::string Lower = LowerAscii(FileName);
    if (Lower.size() > 4 && Lower.compare(Lower.size() - 4, 4, ".ico") == 0) {
        HICON Icon = static_cast<HICON>(LoadImageA(nullptr, FileName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        if (!Icon)
            return false;
        ICONINFO Info = {};
        int W = 32, H = 32;
        if (GetIconInfo(Icon, &Info)) {
            const TGdiObject<HBITMAP> Color(Info.hbmColor), Mask(Info.hbmMask);
            BITMAP B = {};
            if (Color && GetObjectA(Color.Get(), sizeof B, &B)) {
                W = B.bmWidth;
                H = B.bmHeight;
            }
        }
        if (W > RW || H > RH)
            FCanvas.DrawIcon(R.Left, R.Top, Icon, RW, RH);
        else
            FCanvas.DrawIcon(R.Left, R.Top, Icon, W, H);
        DestroyIcon(Icon);
        return true;
    }
    TBmpImage Image;
    try {
        TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
        Image.LoadFromStream(Stream);
    } catch (const Exception&) {
        return false;
    }
    const std::vector<std::uint8_t> Pixels = Image.ToBgra();
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof Info.bmiHeader;
    Info.bmiHeader.biWidth = Image.Width();
    Info.bmiHeader.biHeight = -Image.Height();
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    const bool Larger = Image.Width() > RW || Image.Height() > RH;
    const int DW = Larger ? RW : Image.Width(), DH = Larger ? RH : Image.Height();
    SetStretchBltMode(FCanvas.Handle(), COLORONCOLOR);
    StretchDIBits(FCanvas.Handle(), R.Left, R.Top, DW, DH, 0, 0, Image.Width(), Image.Height(), Pixels.data(), &Info,
                  DIB_RGB_COLORS, SRCCOPY);
    return true;
}

void DrawFrame3DXY(TCanvas& Canvas, int X1, int Y1, int X2, int Y2, TColor Color1, TColor Color2)
{
    TCanvasPainter(Canvas).Frame3D(X1, Y1, X2, Y2, Color1, Color2);
}

void DrawFrame3D(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2)
{
    DrawFrame3DXY(Canvas, R.Left, R.Top, R.Right, R.Bottom, Color1, Color2);
}

void DrawAlignedText(TCanvas& Canvas, const TRect& R, const std::string& Text, int Alignment, bool Underline)
{
    TCanvasPainter(Canvas).AlignedText(R, Text, Alignment, Underline);
}
