#pragma once

#include "exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

class EInvalidJpeg : public Exception {
public:
    using Exception::Exception;
};

// A picture as top-down rows of 4-byte BGRA pixels (alpha 255), the layout of a
// 32-bit DIB.
struct TBgraImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// Decodes a JPEG (JFIF) file image with libjpeg; raises EInvalidJpeg, with libjpeg's
// reason, for anything it cannot decode, and for pictures above MaxPixels.
TBgraImage DecodeJpeg(const std::string& Bytes, std::int64_t MaxPixels = 16 * 1024 * 1024);

// Encodes Image as a baseline JFIF file image of the given quality (1 to 100).
std::string EncodeJpeg(const TBgraImage& Image, int Quality);
