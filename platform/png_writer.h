#pragma once

#include "stream.h"

#include <cstdint>

// Writes a 24-bit PNG from top-down rows of BGRA pixels (the layout of a 32-bit DIB),
// Stride bytes apart. The image data is stored uncompressed: screenshots are small.
void WritePng(TStream& Stream, std::int32_t Width, std::int32_t Height, const std::uint8_t* Bgra,
              std::int64_t Stride);
