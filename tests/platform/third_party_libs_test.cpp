// Proves that the libraries link and work in this build: libbz2 round-trips
// bytes, libjpeg decodes a JPEG that the native libjpeg wrote.
#include "test_dirs.h"

#include <bzlib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

extern "C" {
#include "../fixtures/pattern.h"
}

TEST(ThirdPartyLibs, Bzip2RoundTrip)
{
    std::string Input;
    unsigned Seed = 1;
    for (int I = 0; I < 200000; ++I) {
        Seed = Seed * 1103515245u + 12345u;
        Input += static_cast<char>((I % 1000 < 500) ? 'a' + (I % 7) : static_cast<char>(Seed >> 16));
    }
    std::vector<char> Packed(Input.size() + Input.size() / 100 + 600);
    unsigned PackedLen = static_cast<unsigned>(Packed.size());
    ASSERT_EQ(BZ2_bzBuffToBuffCompress(Packed.data(), &PackedLen, Input.data(), static_cast<unsigned>(Input.size()),
                                       5, 0, 0),
              BZ_OK);
    EXPECT_LT(PackedLen, Input.size());
    std::vector<char> Unpacked(Input.size());
    unsigned UnpackedLen = static_cast<unsigned>(Unpacked.size());
    ASSERT_EQ(BZ2_bzBuffToBuffDecompress(Unpacked.data(), &UnpackedLen, Packed.data(), PackedLen, 0, 0), BZ_OK);
    EXPECT_EQ(std::string(Unpacked.data(), UnpackedLen), Input);
}

TEST(ThirdPartyLibs, JpegDecodesTheNativeFixture)
{
    FILE* In = std::fopen(FixturePath("pattern.jpg").c_str(), "rb");
    ASSERT_NE(In, nullptr);
    jpeg_decompress_struct D;
    jpeg_error_mgr E;
    D.err = jpeg_std_error(&E);
    jpeg_create_decompress(&D);
    jpeg_stdio_src(&D, In);
    ASSERT_EQ(jpeg_read_header(&D, TRUE), JPEG_HEADER_OK);
    D.out_color_space = JCS_RGB;
    jpeg_start_decompress(&D);
    ASSERT_EQ(D.output_width, static_cast<JDIMENSION>(PATTERN_WIDTH));
    ASSERT_EQ(D.output_height, static_cast<JDIMENSION>(PATTERN_HEIGHT));
    ASSERT_EQ(D.output_components, 3);
    std::vector<JSAMPLE> Row(PATTERN_WIDTH * 3);
    int WorstError = 0;
    while (D.output_scanline < D.output_height) {
        const int Y = static_cast<int>(D.output_scanline);
        JSAMPROW P = Row.data();
        jpeg_read_scanlines(&D, &P, 1);
        for (int X = 0; X < PATTERN_WIDTH; ++X) {
            WorstError = std::max(WorstError, std::abs(Row[3 * X] - PatternRed(X, Y)));
            WorstError = std::max(WorstError, std::abs(Row[3 * X + 1] - PatternGreen(X, Y)));
            WorstError = std::max(WorstError, std::abs(Row[3 * X + 2] - PatternBlue(X, Y)));
        }
    }
    jpeg_finish_decompress(&D);
    jpeg_destroy_decompress(&D);
    std::fclose(In);
    EXPECT_LE(WorstError, 12);
}
