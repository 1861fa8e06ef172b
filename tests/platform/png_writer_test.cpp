#include "memory_stream.h"
#include "png_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

std::uint32_t BE32(const std::string& S, std::size_t At)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 3]));
}

// A reader of what the writer is meant to write, from the PNG and zlib formats
// themselves: every chunk's CRC, the zlib header and Adler-32, stored deflate blocks
// and the five row filters. It answers the pixels as RGB.
std::uint32_t Crc32(const std::string& Bytes)
{
    std::uint32_t Crc = 0xFFFFFFFFu;
    for (unsigned char B : Bytes) {
        Crc ^= B;
        for (int K = 0; K < 8; ++K)
            Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
    }
    return Crc ^ 0xFFFFFFFFu;
}

struct TDecodedPng {
    std::uint32_t Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgb;
};

TDecodedPng DecodePng(const std::string& B)
{
    TDecodedPng Png;
    EXPECT_EQ(B.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string Zlib;
    std::size_t At = 8;
    std::vector<std::string> Types;
    while (At + 12 <= B.size()) {
        const std::uint32_t Length = BE32(B, At);
        const std::string Type = B.substr(At + 4, 4);
        const std::string Data = B.substr(At + 8, Length);
        EXPECT_EQ(BE32(B, At + 8 + Length), Crc32(Type + Data)) << "CRC of " << Type;
        Types.push_back(Type);
        if (Type == "IHDR") {
            Png.Width = BE32(Data, 0);
            Png.Height = BE32(Data, 4);
            EXPECT_EQ(Data.substr(8), std::string("\x08\x02\x00\x00\x00", 5)); // 8-bit RGB
        } else if (Type == "IDAT") {
            Zlib += Data;
        }
        At += 12 + Length;
    }
    EXPECT_EQ(At, B.size());
    EXPECT_TRUE(!Types.empty() && Types.front() == "IHDR" && Types.back() == "IEND");

    // zlib: method 8, a header divisible by 31, stored blocks, Adler-32 of the rows.
    EXPECT_GE(Zlib.size(), 6u);
    const auto Byte = [&Zlib](std::size_t I) { return static_cast<std::uint8_t>(Zlib[I]); };
    EXPECT_EQ(Byte(0) & 0x0F, 8);
    EXPECT_EQ((Byte(0) * 256 + Byte(1)) % 31, 0);
    std::vector<std::uint8_t> Raw;
    std::size_t Z = 2;
    for (bool Final = false; !Final && Z + 5 <= Zlib.size();) {
        Final = Byte(Z) & 1;
        EXPECT_EQ((Byte(Z) >> 1) & 3, 0) << "only stored blocks are expected";
        const unsigned Len = Byte(Z + 1) | (Byte(Z + 2) << 8), NLen = Byte(Z + 3) | (Byte(Z + 4) << 8);
        EXPECT_EQ(Len ^ 0xFFFFu, NLen);
        Z += 5;
        for (unsigned I = 0; I < Len && Z < Zlib.size(); ++I)
            Raw.push_back(Byte(Z++));
    }
    std::uint32_t A = 1, Bsum = 0;
    for (std::uint8_t V : Raw) {
        A = (A + V) % 65521;
        Bsum = (Bsum + A) % 65521;
    }
    EXPECT_EQ(Z + 4, Zlib.size());
    if (Z + 4 <= Zlib.size())
        EXPECT_EQ(BE32(Zlib, Z), (Bsum << 16) | A);

    const std::size_t Row = static_cast<std::size_t>(Png.Width) * 3;
    EXPECT_EQ(Raw.size(), Png.Height * (Row + 1));
    if (Raw.size() != Png.Height * (Row + 1))
        return Png;
    std::vector<std::uint8_t> Prior(Row, 0);
    for (std::uint32_t Y = 0; Y < Png.Height; ++Y) {
        const std::uint8_t Filter = Raw[Y * (Row + 1)];
        std::vector<std::uint8_t> Line(Raw.begin() + Y * (Row + 1) + 1, Raw.begin() + (Y + 1) * (Row + 1));
        for (std::size_t X = 0; X < Row; ++X) {
            const int Left = X >= 3 ? Line[X - 3] : 0, Up = Prior[X], UpLeft = X >= 3 ? Prior[X - 3] : 0;
            int Predicted = 0;
            switch (Filter) {
            case 0: break;
            case 1: Predicted = Left; break;
            case 2: Predicted = Up; break;
            case 3: Predicted = (Left + Up) / 2; break;
            case 4: {
                const int P = Left + Up - UpLeft, PA = std::abs(P - Left), PB = std::abs(P - Up), PC = std::abs(P - UpLeft);
                Predicted = PA <= PB && PA <= PC ? Left : PB <= PC ? Up : UpLeft;
                break;
            }
            default: ADD_FAILURE() << "filter " << int(Filter); break;
            }
            Line[X] = static_cast<std::uint8_t>(Line[X] + Predicted);
        }
        Png.Rgb.insert(Png.Rgb.end(), Line.begin(), Line.end());
        Prior = Line;
    }
    return Png;
}

} // namespace

TEST(PngWriter, WhatItWritesDecodesToThePixelsItWasGiven)
{
    // Wide enough for more than one stored block; a stride with padding after each row.
    const std::int32_t W = 301, H = 250, Stride = W * 4 + 8;
    std::vector<std::uint8_t> Bgra(static_cast<std::size_t>(Stride) * H, 0xEE);
    for (std::int32_t Y = 0; Y < H; ++Y)
        for (std::int32_t X = 0; X < W; ++X) {
            std::uint8_t* P = &Bgra[static_cast<std::size_t>(Y) * Stride + static_cast<std::size_t>(X) * 4];
            P[0] = static_cast<std::uint8_t>(X * 3 + Y);   // blue
            P[1] = static_cast<std::uint8_t>(Y * 5);       // green
            P[2] = static_cast<std::uint8_t>(X ^ Y);       // red
            P[3] = 0x7F;                                   // alpha: not written
        }
    TMemoryStream S;
    WritePng(S, W, H, Bgra.data(), Stride);
    const TDecodedPng Png = DecodePng(S.Bytes());
    ASSERT_EQ(Png.Width, static_cast<std::uint32_t>(W));
    ASSERT_EQ(Png.Height, static_cast<std::uint32_t>(H));
    ASSERT_EQ(Png.Rgb.size(), static_cast<std::size_t>(W) * H * 3);
    for (std::int32_t Y = 0; Y < H; ++Y)
        for (std::int32_t X = 0; X < W; ++X) {
            const std::uint8_t* In = &Bgra[static_cast<std::size_t>(Y) * Stride + static_cast<std::size_t>(X) * 4];
            const std::uint8_t* Out = &Png.Rgb[(static_cast<std::size_t>(Y) * W + X) * 3];
            ASSERT_TRUE(Out[0] == In[2] && Out[1] == In[1] && Out[2] == In[0]) << X << "," << Y;
        }
}

TEST(PngWriter, WritesSignatureHeaderAndChunks)
{
    const std::int32_t W = 300, H = 250; // more than one stored block of image data
    std::vector<std::uint8_t> Pixels(static_cast<std::size_t>(W) * H * 4, 0x40);
    TMemoryStream S;
    WritePng(S, W, H, Pixels.data(), W * 4);
    const std::string B = S.Bytes();
    ASSERT_GT(B.size(), 33u);
    EXPECT_EQ(B.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(B.substr(12, 4), "IHDR");
    EXPECT_EQ(BE32(B, 16), 300u);
    EXPECT_EQ(BE32(B, 20), 250u);
    EXPECT_EQ(B.substr(37, 4), "IDAT");
    const std::uint32_t IdatLength = BE32(B, 33);
    // Raw rows (filter byte + RGB) in stored blocks, plus zlib header and checksum.
    const std::size_t Raw = static_cast<std::size_t>(H) * (1 + 3 * W);
    const std::size_t Blocks = (Raw + 65534) / 65535;
    EXPECT_EQ(IdatLength, 2 + Raw + 5 * Blocks + 4);
    EXPECT_EQ(B.substr(B.size() - 8, 4), "IEND");
}

TEST(PngWriter, RefusesEmptyImages)
{
    TMemoryStream S;
    std::uint8_t P[4] = {};
    EXPECT_ANY_THROW(WritePng(S, 0, 1, P, 4));
    EXPECT_EQ(S.Size(), 0);
}
