#pragma once

#include "exceptions.h"
#include "stream.h"

#include <cstdint>
#include <string>
#include <vector>

class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
    using Exception::Exception;
};

// A Windows bitmap file image held as its device-independent bitmap (info header,
// colour table, pixel rows). Reading trusts none of the file's sizes, its file header
// included; writing gives an exact file header, because readers of a package find
// where one bitmap ends only through that header's size.
class TBmpImage {
public:
    // Reads a bitmap file image at the stream's position; raises EInvalidGraphic for
    // anything that is not a sound bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel.
    void LoadFromStream(TStream& Stream);
    // Reads one file image whose file header is trusted for its length: the form in
    // which bitmaps follow one another in a stream.
    void LoadFromFileImage(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    // Answers the bytes written.
    std::int64_t FileImageSize() const;

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    int BitCount() const { return FBitCount; }
    bool Empty() const { return FDib.empty(); }

    // Top-down rows of 4-byte BGRA pixels (alpha 255).
    std::vector<std::uint8_t> ToBgra() const;
    // A 32-bit bitmap of the given pixels (top-down BGRA rows).
    static TBmpImage FromBgra(std::int32_t Width, std::int32_t Height, const std::vector<std::uint8_t>& Bgra);

    // The info header and what follows it, as a DIB.
    const std::string& Dib() const { return FDib; }

private:
    void ParseDib(std::string Dib);

    std::string FDib;
    std::uint32_t FHeaderSize = 0;
    std::uint32_t FColorTableSize = 0; // bytes, masks of BI_BITFIELDS included
    std::int32_t FWidth = 0;
    std::int32_t FHeight = 0; // always positive; FTopDown tells the row order
    bool FTopDown = false;
    int FBitCount = 0;
    std::uint32_t FCompression = 0;
    std::uint32_t FMasks[3] = {0, 0, 0};
};
