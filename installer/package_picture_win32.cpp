#include "package_picture.h"

std::unique_ptr<TBitmap> DecodePackageBitmap(const TPackageBitmap& Bitmap)
{
    auto Out = std::make_unique<TBitmap>(Bitmap.Width, Bitmap.Height);
    const auto* Info = reinterpret_cast<const BITMAPINFO*>(Bitmap.Dib.data());
    const void* Bits = Bitmap.Dib.data() + Bitmap.BitsOffset;
    // The sizes were checked against the bytes present, so the decoder reads within them.
    const int Lines = StretchDIBits(Out->DC(), 0, 0, Bitmap.Width, Bitmap.Height, 0, 0, Bitmap.Width, Bitmap.Height,
                                    Bits, Info, DIB_RGB_COLORS, SRCCOPY);
    if (Lines == 0 || Lines == static_cast<int>(GDI_ERROR))
        throw EInvalidGraphic("Bitmap image is not valid: the system cannot decode it");
    GdiFlush();
    return Out;
}
