#include "jpeg_image.h"

#include "test_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TBgraImage Gradient(std::int32_t W, std::int32_t H)
{
    TBgraImage I;
    I.Width = W;
    I.Height = H;
    for (std::int32_t Y = 0; Y < H; ++Y)
        for (std::int32_t X = 0; X < W; ++X)
            I.Pixels.insert(I.Pixels.end(), {static_cast<std::uint8_t>(X * 255 / W), static_cast<std::uint8_t>(Y * 255 / H),
                                             200, 255});
    return I;
}

} // namespace

TEST(JpegImage, WhatIsEncodedDecodesToTheSameSizeAndNearlyTheSamePixels)
{
    const TBgraImage In = Gradient(64, 48);
    const std::string File = EncodeJpeg(In, 95);
    ASSERT_GE(File.size(), 4u);
    EXPECT_EQ(File.substr(0, 3), std::string("\xFF\xD8\xFF"));
    const TBgraImage Out = DecodeJpeg(File);
    ASSERT_EQ(Out.Width, 64);
    ASSERT_EQ(Out.Height, 48);
    ASSERT_EQ(Out.Pixels.size(), In.Pixels.size());
    int Worst = 0;
    for (std::size_t I = 0; I < In.Pixels.size(); ++I)
        Worst = std::max(Worst, std::abs(In.Pixels[I] - Out.Pixels[I]));
    EXPECT_LE(Worst, 12);
}

TEST(JpegImage, TheCommittedFixtureDecodes)
{
    const TBgraImage Out = DecodeJpeg(ReadWholeFile(FixturePath("pattern.jpg")));
    EXPECT_GT(Out.Width, 0);
    EXPECT_GT(Out.Height, 0);
    EXPECT_EQ(Out.Pixels.size(), static_cast<std::size_t>(Out.Width) * Out.Height * 4);
}

TEST(JpegImage, BrokenFilesRaiseWithLibjpegsReason)
{
    const std::string Good = EncodeJpeg(Gradient(16, 16), 80);
    struct TCase {
        const char* What;
        std::string Bytes;
    } Cases[] = {
        {"empty", ""},
        {"no JPEG", "This is text."},
        {"cut after the header", Good.substr(0, 20)},
        {"only the start marker", std::string("\xFF\xD8", 2)},
    };
    for (const TCase& C : Cases) {
        try {
            DecodeJpeg(C.Bytes);
            ADD_FAILURE() << C.What << " decoded";
        } catch (const EInvalidJpeg& E) {
            EXPECT_FALSE(std::string(E.what()).empty()) << C.What;
        }
    }
}

TEST(JpegImage, APictureAboveTheLimitIsRefused)
{
    EXPECT_THROW(DecodeJpeg(EncodeJpeg(Gradient(40, 30), 80), 40 * 30 - 1), EInvalidJpeg);
    EXPECT_NO_THROW(DecodeJpeg(EncodeJpeg(Gradient(40, 30), 80), 40 * 30));
}

TEST(JpegImage, TheEncoderRefusesPixelsThatDoNotFitTheSize)
{
    TBgraImage Bad = Gradient(8, 8);
    Bad.Pixels.pop_back();
    EXPECT_THROW(EncodeJpeg(Bad, 80), EInvalidJpeg);
}
