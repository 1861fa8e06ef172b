#include "memory_stream.h"
#include "png_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::uint32_t BE32(const std::string& S, std::size_t At)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(S[At + 3]));
}

} // namespace

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
