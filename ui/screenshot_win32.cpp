#include "screenshot.h"

#include "exceptions.h"
#include "file_stream.h"
#include "png_writer.h"
#include "ui_bitmap.h"
#include "win32_handles.h"

std::uint32_t TScreenshot::PixelRGB(std::int32_t X, std::int32_t Y) const
{
    const std::uint8_t* P = &Bgra[(static_cast<std::size_t>(Y) * Width + X) * 4];
    return static_cast<std::uint32_t>(P[2]) | (static_cast<std::uint32_t>(P[1]) << 8) |
           (static_cast<std::uint32_t>(P[0]) << 16);
}

TScreenshot CaptureWindow(HWND Window)
{
    RECT R;
    if (!GetWindowRect(Window, &R))
        throw Exception("Cannot capture a window that does not exist");
    TScreenshot Shot;
    Shot.Width = R.right - R.left;
    Shot.Height = R.bottom - R.top;
    if (Shot.Width <= 0 || Shot.Height <= 0)
        throw Exception("Cannot capture an empty window");

    const TWindowDC Source = WindowDC(Window);
    if (!Source)
        throw Exception("Cannot capture a window: no device context");
    TBitmap Pixels(Shot.Width, Shot.Height);
    BitBlt(Pixels.DC(), 0, 0, Shot.Width, Shot.Height, Source.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    Shot.Bgra.assign(Pixels.Bits(), Pixels.Bits() + static_cast<std::size_t>(Shot.Width) * Shot.Height * 4);
    return Shot;
}

void SavePng(const TScreenshot& Shot, const std::string& FileName)
{
    TFileStream File(FileName, fmCreate);
    WritePng(File, Shot.Width, Shot.Height, Shot.Bgra.data(), static_cast<std::int64_t>(Shot.Width) * 4);
}
