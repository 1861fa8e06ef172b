#include "screenshot.h"

#include "exceptions.h"
#include "file_stream.h"
#include "png_writer.h"

#include <cstring>

namespace {

class TWindowDC {
public:
    explicit TWindowDC(HWND W) : FWindow(W), FDC(GetWindowDC(W)) {}
    ~TWindowDC() { ReleaseDC(FWindow, FDC); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

class TMemoryDC {
public:
    explicit TMemoryDC(HDC Compatible) : FDC(CreateCompatibleDC(Compatible)) {}
    ~TMemoryDC() { DeleteDC(FDC); }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

class TGdiObject {
public:
    explicit TGdiObject(HGDIOBJ O) : FObject(O) {}
    ~TGdiObject()
    {
        if (FObject)
            DeleteObject(FObject);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    HGDIOBJ Get() const { return FObject; }

private:
    HGDIOBJ FObject;
};

} // namespace

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

    TWindowDC Source(Window);
    TMemoryDC Memory(Source.Get());
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = Shot.Width;
    Info.bmiHeader.biHeight = -Shot.Height; // top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    TGdiObject Dib(CreateDIBSection(Memory.Get(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Dib.Get() || !Bits)
        throw Exception("Cannot create the screenshot bitmap");
    const HGDIOBJ Old = SelectObject(Memory.Get(), Dib.Get());
    BitBlt(Memory.Get(), 0, 0, Shot.Width, Shot.Height, Source.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    Shot.Bgra.resize(static_cast<std::size_t>(Shot.Width) * Shot.Height * 4);
    std::memcpy(Shot.Bgra.data(), Bits, Shot.Bgra.size());
    SelectObject(Memory.Get(), Old);
    return Shot;
}

void SavePng(const TScreenshot& Shot, const std::string& FileName)
{
    TFileStream File(FileName, fmCreate);
    WritePng(File, Shot.Width, Shot.Height, Shot.Bgra.data(), static_cast<std::int64_t>(Shot.Width) * 4);
}
