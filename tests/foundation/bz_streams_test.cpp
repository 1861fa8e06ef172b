#include "bz_streams.h"
#include "bzip2_tool.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

namespace {

std::string Sample(std::size_t N)
{
    std::string S;
    unsigned Seed = 7;
    for (std::size_t I = 0; I < N; ++I) {
        Seed = Seed * 1103515245u + 12345u;
        S += (I / 64) % 2 ? static_cast<char>(Seed >> 16) : static_cast<char>('a' + I % 26);
    }
    return S;
}

std::string Compress(const std::string& Plain, std::size_t Piece = 0)
{
    TMemoryStream Out;
    TBZCompressionStream Z(4, Out);
    if (Piece == 0)
        Z.WriteString(Plain);
    else
        for (std::size_t I = 0; I < Plain.size(); I += Piece)
            Z.WriteString(Plain.substr(I, Piece));
    Z.Finish();
    return Out.Bytes();
}

std::string Decompress(const std::string& Packed, std::int64_t PlainSize)
{
    TMemoryStream In(Packed);
    TBZDecompressionStream Z(In);
    return Z.ReadString(PlainSize);
}

template <typename E, typename F>
std::string MessageOf(F&& Action)
{
    try {
        Action();
    } catch (const E& Error) {
        return Error.Message();
    }
    return "no error";
}

} // namespace

TEST(BZStreams, EmptyInputStillMakesACompleteStream)
{
    const std::string Packed = Compress("");
    EXPECT_EQ(Packed.substr(0, 4), "BZh5");
    TMemoryStream In(Packed);
    TBZDecompressionStream Z(In);
    char C;
    EXPECT_EQ(Z.Read(&C, 1), 0);
    EXPECT_TRUE(Z.AtStreamEnd());
}

TEST(BZStreams, ManySmallWritesGiveTheSameBytes)
{
    const std::string Plain = Sample(300000);
    const std::string Once = Compress(Plain);
    EXPECT_EQ(Compress(Plain, 7), Once);
    EXPECT_EQ(Decompress(Once, static_cast<std::int64_t>(Plain.size())), Plain);
}

TEST(BZStreams, StandardBzip2ToolDecodesOurStream)
{
    const std::string Plain = Sample(200000);
    const TBzip2Verdict Tool = DecodeWithBzip2Tool(Compress(Plain));
    if (!Tool.Found)
        GTEST_SKIP() << "no bzip2 program in this build's world";
    ASSERT_TRUE(Tool.Accepted) << Tool.Message;
    EXPECT_EQ(Tool.Plain, Plain);
}

TEST(BZStreams, CompressionSeekAnswersOnlyThePosition)
{
    TMemoryStream Out;
    TBZCompressionStream Z(4, Out);
    Z.WriteString("12345");
    EXPECT_EQ(Z.Position(), 5);
    EXPECT_EQ(MessageOf<EBZCompressionError>([&] { Z.Seek(0, TSeekOrigin::soBeginning); }), "Invalid stream operation");
    EXPECT_EQ(MessageOf<EBZCompressionError>([&] { Z.Seek(1, TSeekOrigin::soCurrent); }), "Invalid stream operation");
    char C;
    EXPECT_EQ(MessageOf<EBZCompressionError>([&] { Z.Read(&C, 1); }), "Invalid stream operation");
    EXPECT_THROW(TBZCompressionStream(9, Out), EBZCompressionError);
}

TEST(BZStreams, DecompressionSkipsForwardAndRewinds)
{
    const std::string Plain = Sample(20000);
    TMemoryStream In(std::string(40, 'h') + Compress(Plain));
    In.SetPosition(40);
    TBZDecompressionStream Z(In);
    EXPECT_EQ(Z.Seek(10000, TSeekOrigin::soCurrent), 10000);
    EXPECT_EQ(Z.ReadString(5), Plain.substr(10000, 5));
    EXPECT_EQ(Z.Seek(12000, TSeekOrigin::soBeginning), 12000);
    EXPECT_EQ(Z.ReadString(3), Plain.substr(12000, 3));
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Z.Seek(12003, TSeekOrigin::soBeginning); }),
              "Invalid stream operation");
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Z.Seek(5, TSeekOrigin::soBeginning); }), "Invalid stream operation");
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Z.Seek(0, TSeekOrigin::soEnd); }), "Invalid stream operation");
    In.SetPosition(0); // somebody else moves the source: the rewind still starts at 40
    EXPECT_EQ(Z.Seek(0, TSeekOrigin::soBeginning), 0);
    EXPECT_EQ(Z.ReadString(20000), Plain);
    EXPECT_TRUE(Z.AtStreamEnd());
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Z.Write("x", 1); }), "Invalid stream operation");
}

TEST(BZStreams, ASourceCutShortGivesAShortRead)
{
    const std::string Plain = Sample(100000);
    const std::string Packed = Compress(Plain);
    TMemoryStream In(Packed.substr(0, Packed.size() / 2));
    TBZDecompressionStream Z(In);
    std::string Buf(Plain.size(), '\0');
    const std::int64_t Got = Z.Read(&Buf[0], static_cast<std::int64_t>(Buf.size()));
    EXPECT_LT(Got, static_cast<std::int64_t>(Plain.size()));
    EXPECT_EQ(Buf.substr(0, static_cast<std::size_t>(Got)), Plain.substr(0, static_cast<std::size_t>(Got)));
}

TEST(BZStreams, DamagedDataRaisesWithTheLibrarysCode)
{
    std::string Packed = Compress(Sample(50000));
    Packed[6] ^= 0x55; // the block's magic number
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Decompress(Packed, 50000); }), "error -4");
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Decompress("not bzip2 at all", 5); }), "error -5");
}

TEST(BZStreams, ReadingPastTheEndWithDataBehindRaises)
{
    TMemoryStream In(Compress("abc") + "trailing bytes");
    TBZDecompressionStream Z(In);
    EXPECT_EQ(Z.ReadString(3), "abc");
    char Buf[4];
    EXPECT_EQ(MessageOf<EBZDecompressionError>([&] { Z.Read(Buf, 4); }), "error -1");
}

TEST(BZStreams, AtStreamEndTellsWhetherPlainBytesAreLeft)
{
    const std::string Packed = Compress("abcdef");
    TMemoryStream In(Packed);
    TBZDecompressionStream Z(In);
    EXPECT_EQ(Z.ReadString(5), "abcde");
    EXPECT_FALSE(Z.AtStreamEnd());
}

TEST(BZStreams, ProgressFiresOnEveryLibraryCall)
{
    TMemoryStream Out;
    int Calls = 0;
    {
        TBZCompressionStream Z(4, Out);
        Z.OnProgress = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &Z);
            ++Calls;
        };
        Z.WriteString("data");
        Z.Finish();
    }
    EXPECT_GT(Calls, 0);
}

TEST(BZStreams, DestructorFinishesWhenNobodyDid)
{
    TMemoryStream Out;
    { TBZCompressionStream(4, Out).WriteString("late"); }
    EXPECT_EQ(Decompress(Out.Bytes(), 4), "late");
}
