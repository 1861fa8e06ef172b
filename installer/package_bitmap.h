#pragma once

#include "bmp_image.h"
#include "stream.h"

#include <cstdint>
#include <string>

// A bitmap file image of a package, checked against the bytes present so that the
// system's own decoder can be handed it without reading past its end. The header
// versions, bit depths and compressions (RLE included) the system loads are kept.
struct TPackageBitmap {
    // From the info header on: the header, the colour table or masks, the pixels.
    std::string Dib;
    // Where the pixels start in Dib.
    std::uint32_t BitsOffset = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0; // always positive
};

// Reads the bitmap whose file header starts at the stream's position. Its total
// size (bfSize) must fit in what the stream still has; with Delimited the bitmap is
// exactly that long (bitmaps following one another in a record), else it is the
// rest of the stream (a publisher's whole file, whose bfSize other tools often get
// wrong). Anything unsound raises EInvalidGraphic before anything is allocated.
TPackageBitmap ReadPackageBitmap(TStream& Stream, bool Delimited);
