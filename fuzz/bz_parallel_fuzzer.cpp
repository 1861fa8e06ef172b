// Any bytes as a recipe of runs and literals placed around the end of a block: the
// stream compressed on several threads must equal the one that one thread writes.
//   byte 0: workers (2 to 4) and how often the recipe repeats
//   bytes 1-2: where the recipe starts, within 1 KB of the end of the first block
//   then pairs (v, n): a run of byte v of length 1-64 or 248-311 or 1-3008, or
//   0-95 bytes that repeat no neighbour.
#include "bz_streams.h"
#include "memory_stream.h"

#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t BlockEnd = 99981; // bytes without runs that fill a block at level 1
constexpr std::size_t MaxSize = 300000;

void NoRuns(std::string& S, std::size_t N, unsigned Seed)
{
    for (std::size_t I = 0; I < N; ++I) {
        Seed = Seed * 1103515245u + 12345u;
        unsigned B = (Seed >> 16) % 255;
        const unsigned Last = S.empty() ? 256 : static_cast<unsigned char>(S.back());
        if (B >= Last)
            ++B;
        S += static_cast<char>(B);
    }
}

std::string Compress(const std::string& Plain, int Workers)
{
    TMemoryStream Out;
    TBZCompressionStream Z(0, Out, Workers);
    // Two writes, so that a block may also end at the start of a Write.
    const std::size_t Half = Plain.size() / 2;
    Z.WriteBuffer(Plain.data(), static_cast<std::int64_t>(Half));
    Z.WriteBuffer(Plain.data() + Half, static_cast<std::int64_t>(Plain.size() - Half));
    Z.Finish();
    return Out.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    if (Size < 3)
        return 0;
    const int Workers = 2 + Data[0] % 3;
    const int Repeats = 1 + (Data[0] >> 4) % 4;
    std::string Recipe;
    for (std::size_t I = 3; I + 1 < Size && Recipe.size() < MaxSize; I += 2) {
        const char V = static_cast<char>(Data[I]);
        const unsigned N = Data[I + 1];
        if (N < 64)
            Recipe.append(N + 1, V);
        else if (N < 128)
            Recipe.append(248 + (N - 64), V);
        else if (N < 160)
            Recipe.append((N - 128) * 97 + 1, V);
        else
            NoRuns(Recipe, N - 160, Data[I]);
    }
    std::string Plain;
    NoRuns(Plain, BlockEnd - 1024 + (Data[1] | Data[2] << 8) % 2048, Data[1]);
    for (int R = 0; R < Repeats && Plain.size() < MaxSize; ++R)
        Plain += Recipe;
    if (Plain.size() > MaxSize)
        Plain.resize(MaxSize);
    if (Compress(Plain, Workers) != Compress(Plain, 1))
        std::abort();
    return 0;
}
