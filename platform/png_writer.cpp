#include "png_writer.h"

#include "exceptions.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

std::uint32_t Crc32(const std::uint8_t* Data, std::size_t N, std::uint32_t Crc = 0)
{
    static const std::array<std::uint32_t, 256> Table = [] {
        std::array<std::uint32_t, 256> T{};
        for (std::uint32_t I = 0; I < 256; ++I) {
            std::uint32_t C = I;
            for (int K = 0; K < 8; ++K)
                C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
            T[I] = C;
        }
        return T;
    }();
    Crc = ~Crc;
    for (std::size_t I = 0; I < N; ++I)
        Crc = Table[(Crc ^ Data[I]) & 0xFF] ^ (Crc >> 8);
    return ~Crc;
}

void PutU32BE(std::vector<std::uint8_t>& Out, std::uint32_t V)
{
    Out.push_back(static_cast<std::uint8_t>(V >> 24));
    Out.push_back(static_cast<std::uint8_t>(V >> 16));
    Out.push_back(static_cast<std::uint8_t>(V >> 8));
    Out.push_back(static_cast<std::uint8_t>(V));
}

void WriteChunk(TStream& Stream, const char* Type, const std::vector<std::uint8_t>& Data)
{
    std::vector<std::uint8_t> Chunk;
    PutU32BE(Chunk, static_cast<std::uint32_t>(Data.size()));
    Chunk.insert(Chunk.end(), Type, Type + 4);
    Chunk.insert(Chunk.end(), Data.begin(), Data.end());
    PutU32BE(Chunk, Crc32(Chunk.data() + 4, Chunk.size() - 4));
    Stream.WriteBuffer(Chunk.data(), static_cast<std::int64_t>(Chunk.size()));
}

} // namespace

void WritePng(TStream& Stream, std::int32_t Width, std::int32_t Height, const std::uint8_t* Bgra,
              std::int64_t Stride)
{
    if (Width <= 0 || Height <= 0 || Width > 16384 || Height > 16384)
        throw EWriteError("Image size out of range for PNG");

    // Scanlines: filter byte 0, then RGB.
    std::vector<std::uint8_t> Raw;
    Raw.reserve(static_cast<std::size_t>(Height) * (1 + 3 * static_cast<std::size_t>(Width)));
    for (std::int32_t Y = 0; Y < Height; ++Y) {
        const std::uint8_t* Row = Bgra + Y * Stride;
        Raw.push_back(0);
        for (std::int32_t X = 0; X < Width; ++X) {
            Raw.push_back(Row[4 * X + 2]);
            Raw.push_back(Row[4 * X + 1]);
            Raw.push_back(Row[4 * X + 0]);
        }
    }

    // zlib stream of stored deflate blocks.
    std::vector<std::uint8_t> Z = {0x78, 0x01};
    std::size_t Pos = 0;
    do {
        const std::size_t N = std::min<std::size_t>(Raw.size() - Pos, 65535);
        const bool Last = Pos + N == Raw.size();
        Z.push_back(Last ? 1 : 0);
        Z.push_back(static_cast<std::uint8_t>(N));
        Z.push_back(static_cast<std::uint8_t>(N >> 8));
        Z.push_back(static_cast<std::uint8_t>(~N));
        Z.push_back(static_cast<std::uint8_t>(~N >> 8));
        Z.insert(Z.end(), Raw.begin() + static_cast<std::ptrdiff_t>(Pos), Raw.begin() + static_cast<std::ptrdiff_t>(Pos + N));
        Pos += N;
    } while (Pos < Raw.size());
    std::uint32_t A = 1, B = 0;
    for (std::uint8_t C : Raw) {
        A = (A + C) % 65521;
        B = (B + A) % 65521;
    }
    PutU32BE(Z, (B << 16) | A);

    static const std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Stream.WriteBuffer(Signature, 8);
    std::vector<std::uint8_t> Header;
    PutU32BE(Header, static_cast<std::uint32_t>(Width));
    PutU32BE(Header, static_cast<std::uint32_t>(Height));
    Header.insert(Header.end(), {8, 2, 0, 0, 0}); // 8 bits, truecolour, deflate, no filter, no interlace
    WriteChunk(Stream, "IHDR", Header);
    WriteChunk(Stream, "IDAT", Z);
    WriteChunk(Stream, "IEND", {});
}
