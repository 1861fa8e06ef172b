#include "bz_parallel_decompression.h"
#include "bz_streams.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Text, runs and noise, so that blocks differ in kind and size.
std::string Mixed(std::size_t N, unsigned Seed)
{
    std::mt19937 Rng(Seed);
    std::string S;
    S.reserve(N);
    while (S.size() < N) {
        switch (Rng() % 3) {
        case 0:
            S += "the package installs the program and its files ";
            break;
        case 1:
            S.append(Rng() % 300, static_cast<char>('A' + Rng() % 26));
            break;
        default:
            for (int I = 0; I < 200; ++I)
                S += static_cast<char>(Rng());
        }
    }
    S.resize(N);
    return S;
}

std::string Compress(const std::string& Plain, int BlockCode = 4)
{
    TMemoryStream Out;
    TBZCompressionStream Z(BlockCode, Out);
    Z.WriteString(Plain);
    Z.Finish();
    return Out.Bytes();
}

std::string DecodeAll(const std::string& Packed, unsigned Workers, std::size_t Piece = 100000)
{
    TMemoryStream In(Packed);
    TBZParallelDecompressionStream Z(In, Workers);
    std::string Out, Buf(Piece, '\0');
    for (;;) {
        const std::int64_t Got = Z.Read(&Buf[0], static_cast<std::int64_t>(Buf.size()));
        Out.append(Buf, 0, static_cast<std::size_t>(Got));
        if (Got < static_cast<std::int64_t>(Buf.size()))
            break;
    }
    EXPECT_TRUE(Z.AtStreamEnd());
    EXPECT_EQ(Z.Position(), static_cast<std::int64_t>(Out.size()));
    return Out;
}

TBZDamage DamageOf(const std::string& Packed, std::int64_t* Delivered = nullptr, unsigned Workers = 3)
{
    TMemoryStream In(Packed);
    TBZParallelDecompressionStream Z(In, Workers);
    std::string Buf(65536, '\0');
    try {
        while (Z.Read(&Buf[0], static_cast<std::int64_t>(Buf.size())) > 0) {
        }
        Z.AtStreamEnd();
    } catch (const EBZDamagedError& E) {
        if (Delivered)
            *Delivered = Z.Position();
        // Asked again, the stream says the same.
        EXPECT_THROW(Z.Read(&Buf[0], 1), EBZDamagedError);
        return E.Kind();
    }
    ADD_FAILURE() << "no damage found";
    return TBZDamage::NotBZip2;
}

} // namespace

TEST(BZParallel, DecodesWhatTheCompressionStreamWrites)
{
    const std::string Plain = Mixed(1600000, 1); // four blocks of block size 5
    const std::string Packed = Compress(Plain);
    for (unsigned Workers : {0u, 1u, 2u, 8u})
        EXPECT_EQ(DecodeAll(Packed, Workers), Plain) << Workers << " workers";
    EXPECT_EQ(DecodeAll(Packed, 4, 7), Plain); // odd read sizes across block borders
    const std::string Small = Mixed(500000, 2);
    EXPECT_EQ(DecodeAll(Compress(Small, 0), 2), Small); // block size 1: many blocks
}

TEST(BZParallel, EmptyAndTinyStreams)
{
    EXPECT_EQ(DecodeAll(Compress(""), 2), "");
    EXPECT_EQ(DecodeAll(Compress("x"), 2), "x");
}

TEST(BZParallel, OnlyTheBytesOfTheStreamCount)
{
    const std::string Plain = Mixed(200000, 3);
    TMemoryStream In(Compress(Plain) + "tables behind the data");
    TBZParallelDecompressionStream Z(In, 2);
    EXPECT_EQ(Z.ReadString(static_cast<std::int64_t>(Plain.size() - 1)), Plain.substr(0, Plain.size() - 1));
    EXPECT_FALSE(Z.AtStreamEnd()); // one byte left
    EXPECT_EQ(Z.ReadString(1), Plain.substr(Plain.size() - 1));
    EXPECT_TRUE(Z.AtStreamEnd());
    char C;
    EXPECT_EQ(Z.Read(&C, 1), 0);
}

TEST(BZParallel, AChanceMarkInsideABlockIsJoinedAgain)
{
    const std::string Plain = Mixed(1500000, 10);
    const std::string Packed = Compress(Plain);
    const std::uint64_t Bits = 8 * Packed.size();
    // Inside the first block (twice), somewhere in the middle, right after the first
    // block's mark, and between the end mark and its checksum.
    const std::vector<std::uint64_t> Chance = {32 + 1, 32 + 5000, 32 + 5001, Bits / 2 + 3, Bits - 60};
    for (unsigned Workers : {0u, 3u}) {
        TMemoryStream In(Packed);
        TBZParallelDecompressionStream Z(In, Workers, Chance);
        EXPECT_EQ(Z.ReadString(static_cast<std::int64_t>(Plain.size())), Plain);
        EXPECT_TRUE(Z.AtStreamEnd());
    }

    // Joining does not hide real damage.
    std::string Bad = Packed;
    Bad[Bad.size() / 2] ^= 0x08;
    TMemoryStream BadIn(Bad);
    TBZParallelDecompressionStream Y(BadIn, 3, Chance);
    EXPECT_THROW(Y.ReadString(static_cast<std::int64_t>(Plain.size())), EBZDamagedError);
}

TEST(BZParallel, DamageIsNamedAfterAllBytesBeforeIt)
{
    const std::string Plain = Mixed(1500000, 4);
    const std::string Packed = Compress(Plain);

    EXPECT_EQ(DamageOf("not bzip2 at all, not at all"), TBZDamage::NotBZip2);
    EXPECT_EQ(DamageOf("BZh5"), TBZDamage::NotBZip2);

    std::int64_t Delivered = -1;
    EXPECT_EQ(DamageOf(Packed.substr(0, Packed.size() * 2 / 3), &Delivered), TBZDamage::CutShort);
    EXPECT_GT(Delivered, 0);

    std::string Bad = Packed;
    Bad[Bad.size() * 2 / 3] ^= 0x10;
    EXPECT_EQ(DamageOf(Bad, &Delivered), TBZDamage::BadBlock);
    EXPECT_GT(Delivered, 400000); // the blocks in front of the damage came out whole
    std::int64_t DeliveredInline = -1;
    EXPECT_EQ(DamageOf(Bad, &DeliveredInline, 0), TBZDamage::BadBlock);
    EXPECT_EQ(DeliveredInline, Delivered);

    std::string WrongSum = Packed;
    WrongSum[WrongSum.size() - 2] ^= 0x01; // inside the stream checksum after the end mark
    EXPECT_EQ(DamageOf(WrongSum), TBZDamage::Checksum);

    // A single block whose data is damaged, followed by the end mark.
    std::string One = Compress(Mixed(100000, 5));
    One[One.size() / 2] ^= 0x40;
    EXPECT_EQ(DamageOf(One), TBZDamage::BadBlock);
}

TEST(BZParallel, FreedWhileTheThreadsStillWork)
{
    const std::string Packed = Compress(Mixed(4000000, 6));
    TMemoryStream In(Packed);
    TBZParallelDecompressionStream Z(In, 4);
    EXPECT_EQ(Z.ReadString(10).size(), 10u);
}

TEST(BZParallel, TheStartOfAStream)
{
    const std::string Packed = Compress("abc");
    const auto* P = reinterpret_cast<const unsigned char*>(Packed.data());
    EXPECT_TRUE(LooksLikeBZip2(P, Packed.size()));
    const std::string Empty = Compress("");
    EXPECT_TRUE(LooksLikeBZip2(reinterpret_cast<const unsigned char*>(Empty.data()), Empty.size()));
    EXPECT_FALSE(LooksLikeBZip2(P, 9));
    std::string NoMark = Packed;
    NoMark[5] ^= 1;
    EXPECT_FALSE(LooksLikeBZip2(reinterpret_cast<const unsigned char*>(NoMark.data()), NoMark.size()));
    std::string Level0 = Packed;
    Level0[3] = '0';
    EXPECT_FALSE(LooksLikeBZip2(reinterpret_cast<const unsigned char*>(Level0.data()), Level0.size()));
}
