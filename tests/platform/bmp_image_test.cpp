#include "bmp_image.h"
#include "byte_literals.h"
#include "memory_stream.h"
#include "test_bitmaps.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A 3 x 2 bottom-up bitmap as other tools write it.
std::string Bitmap(int BitCount, std::uint32_t FileSize = 0, std::uint32_t Colors = 0)
{
    const std::size_t Stride = ((3 * BitCount + 31) / 32) * 4;
    std::string Table(BitCount <= 8 ? 4 * (Colors ? Colors : (1u << BitCount)) : 0, '\0');
    std::string Pixels(2 * Stride, '\0');
    if (BitCount == 24) {
        // bottom row first: blue, then red pixels on top
        for (int X = 0; X < 3; ++X) {
            Pixels[3 * X] = '\xFF';
            Pixels[Stride + 3 * X + 2] = '\xFF';
        }
    } else if (BitCount == 8) {
        Put32(Table, 4 * 1, 0x0000FF00); // colour 1 is green
        Pixels[Stride + 1] = 1;
    }
    std::string B = BitmapFile(3, 2, BitCount, 0, Table, Pixels, FileSize);
    Put32(B, 46, Colors);
    return B;
}

} // namespace

TEST(BmpImage, ReadsPixelsAndWritesAnExactFileHeader)
{
    TMemoryStream In(Bitmap(24, 9999)); // a file header whose size is wrong
    TBmpImage Image;
    Image.LoadFromStream(In);
    EXPECT_EQ(Image.Width(), 3);
    EXPECT_EQ(Image.Height(), 2);
    const std::vector<std::uint8_t> P = Image.ToBgra();
    EXPECT_EQ(P[2], 255); // top row red
    EXPECT_EQ(P[0], 0);
    EXPECT_EQ(P[12], 255); // bottom row blue
    TMemoryStream Out;
    Image.SaveToStream(Out);
    const std::string Saved = Out.Bytes();
    EXPECT_EQ(static_cast<std::int64_t>(Saved.size()), Image.FileImageSize());
    EXPECT_EQ(static_cast<unsigned char>(Saved[2]) | (static_cast<unsigned char>(Saved[3]) << 8), Saved.size());
    EXPECT_EQ(Saved[10], 54);
    // The image size is written as the pixel bytes that follow: two rows of 12.
    std::string Expected = Bitmap(24).substr(14);
    Put32(Expected, 20, 24);
    EXPECT_EQ(Saved.substr(14), Expected);
}

TEST(BmpImage, FileImagesFollowOneAnotherInAStream)
{
    TBmpImage A, B;
    TMemoryStream First(Bitmap(24)), Second(Bitmap(8));
    A.LoadFromStream(First);
    B.LoadFromStream(Second);
    TMemoryStream Both;
    A.SaveToStream(Both);
    B.SaveToStream(Both);
    Both.SetPosition(0);
    TBmpImage X, Y;
    X.LoadFromFileImage(Both);
    Y.LoadFromFileImage(Both);
    EXPECT_EQ(X.BitCount(), 24);
    EXPECT_EQ(Y.BitCount(), 8);
    EXPECT_EQ(Y.ToBgra()[5], 255); // the top row's second pixel is palette colour 1, green
    EXPECT_EQ(Both.Position(), Both.Size());
}

TEST(BmpImage, FromPixelsAndBack)
{
    std::vector<std::uint8_t> Pixels(2 * 2 * 4, 0);
    Pixels[0] = 10;
    Pixels[4 * 3 + 2] = 200;
    for (std::size_t I = 3; I < Pixels.size(); I += 4)
        Pixels[I] = 255;
    const TBmpImage Image = TBmpImage::FromBgra(2, 2, Pixels);
    TMemoryStream S;
    Image.SaveToStream(S);
    S.SetPosition(0);
    TBmpImage Loaded;
    Loaded.LoadFromStream(S);
    EXPECT_EQ(Loaded.ToBgra(), Pixels);
}

TEST(BmpImage, WhatIsNotASoundBitmapIsRefused)
{
    struct Case {
        const char* Name;
        std::function<std::string()> Make;
    };
    const Case Cases[] = {
        {"empty", [] { return std::string(); }},
        {"not BM", [] { std::string B = Bitmap(24); B[0] = 'X'; return B; }},
        {"text", [] { return std::string("just some text, not a picture at all......................"); }},
        {"cut pixels", [] { std::string B = Bitmap(24); return B.substr(0, B.size() - 1); }},
        {"zero width", [] { std::string B = Bitmap(24); Put32(B, 18, 0); return B; }},
        {"huge", [] { std::string B = Bitmap(24); Put32(B, 18, 0x7FFFFFFF); Put32(B, 22, 0x7FFFFFFF); return B; }},
        {"bit count 7", [] { std::string B = Bitmap(24); Put16(B, 28, 7); return B; }},
        {"planes", [] { std::string B = Bitmap(24); Put16(B, 26, 2); return B; }},
        {"RLE", [] { std::string B = Bitmap(8); Put32(B, 30, 1); return B; }},
        {"header size", [] { std::string B = Bitmap(24); Put32(B, 14, 41); return B; }},
        {"too many colours", [] { std::string B = Bitmap(8); Put32(B, 46, 300); return B; }},
        {"pixel offset inside the header", [] { std::string B = Bitmap(24); Put32(B, 10, 20); return B; }},
        {"pixel offset beyond the file", [] { std::string B = Bitmap(24); Put32(B, 10, 0x7FFFFFFF); return B; }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMemoryStream In(C.Make());
        TBmpImage Image;
        EXPECT_THROW(Image.LoadFromStream(In), EInvalidGraphic);
        EXPECT_TRUE(Image.Empty());
    }
    TMemoryStream Lying(Bitmap(24, 0x7FFFFFFF));
    TBmpImage Image;
    EXPECT_THROW(Image.LoadFromFileImage(Lying), EInvalidGraphic);
}
