#pragma once

#include "byte_order.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A bitmap file with a 40-byte info header over Table and Pixels; a non-zero FileSize
// puts that (wrong) size in its file header. Compressed pixels state their size.
inline std::string BitmapFile(int Width, int Height, int BitCount, std::uint32_t Compression, const std::string& Table,
                              const std::string& Pixels, std::uint32_t FileSize = 0)
{
    std::string B(54, '\0');
    B[0] = 'B';
    B[1] = 'M';
    PutLe32(B, 2, FileSize ? FileSize : static_cast<std::uint32_t>(B.size() + Table.size() + Pixels.size()));
    PutLe32(B, 10, static_cast<std::uint32_t>(B.size() + Table.size()));
    PutLe32(B, 14, 40);
    PutLe32(B, 18, static_cast<std::uint32_t>(Width));
    PutLe32(B, 22, static_cast<std::uint32_t>(Height));
    B[26] = 1;
    B[28] = static_cast<char>(BitCount);
    PutLe32(B, 30, Compression);
    if (Compression != 0)
        PutLe32(B, 34, static_cast<std::uint32_t>(Pixels.size()));
    return B + Table + Pixels;
}

// A small 24-bit bitmap file of patterned pixels; a non-zero FileSize puts a wrong size
// in its file header.
inline std::string MakeBmp(int Width, int Height, std::uint32_t FileSize = 0)
{
    const std::size_t Stride = ((static_cast<std::size_t>(Width) * 24 + 31) / 32) * 4;
    std::string Pixels(Stride * static_cast<std::size_t>(Height), '\0');
    for (std::size_t I = 0; I < Pixels.size(); ++I)
        Pixels[I] = static_cast<char>((54 + I) * 7);
    return BitmapFile(Width, Height, 24, 0, "", Pixels, FileSize);
}
