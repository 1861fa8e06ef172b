// The stream that compresses its blocks on several threads writes the bytes that
// one thread writes, and fails as one thread would.
#include "archive.h"
#include "bz_block_writer.h"
#include "bz_streams.h"
#include "byte_order.h"
#include "bzip2_tool.h"
#include "data_bag.h"
#include "memory_file_system.h"
#include "memory_stream.h"
#include "mixed_content.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr std::size_t Level5Block = 499981; // bytes without runs that fill a block at level 5
constexpr std::size_t Level1Block = 99981;

// Random bytes none of which equals its neighbour, so each one takes one place in a block.
std::string NoRuns(std::size_t N, unsigned Seed = 0)
{
    std::mt19937 Rng(Seed);
    std::string S(N, '\0');
    unsigned Last = 256;
    for (std::size_t I = 0; I < N; ++I) {
        unsigned B = Rng() % 255;
        if (B >= Last)
            ++B;
        S[I] = static_cast<char>(B);
        Last = B;
    }
    return S;
}

std::string Repeat(const std::string& Unit, std::size_t Size)
{
    std::string S;
    while (S.size() < Size)
        S += Unit;
    S.resize(Size);
    return S;
}

// Runs of every length from First to Last of alternating bytes, again and again.
std::string Runs(int First, int Last, std::size_t Size)
{
    std::string S;
    for (int Round = 0; S.size() < Size; ++Round)
        for (int L = First; L <= Last && S.size() < Size; ++L)
            S.append(static_cast<std::size_t>(L), static_cast<char>(L % 2 ? 'a' + Round % 3 : 'x'));
    S.resize(Size);
    return S;
}

std::string Random(std::size_t Size, unsigned Seed)
{
    std::mt19937_64 Rng(Seed);
    return MakeMixedContent(Rng, Size, 2);
}

std::string Mix(std::size_t Size, int Kind)
{
    std::mt19937_64 Rng(2026);
    std::string S;
    while (S.size() < Size)
        S += MakeMixedContent(Rng, Rng() % 80000, Kind);
    S.resize(Size);
    return S;
}

// Pieces from 1 byte to 64 KB, so that blocks end at every kind of place in a Write.
const std::size_t Pieces[] = {1, 2, 3, 4097, 65536, 13, 100000, 5};

std::string Compress(const std::string& Plain, int Workers, int BlockSize = 4, bool InPieces = false)
{
    TMemoryStream Out;
    TBZCompressionStream Z(BlockSize, Out, Workers);
    if (!InPieces) {
        Z.WriteString(Plain);
    } else {
        std::size_t At = 0;
        for (std::size_t I = 0; At < Plain.size(); ++I) {
            const std::size_t N = std::min(Pieces[I % (sizeof Pieces / sizeof *Pieces)], Plain.size() - At);
            Z.WriteBuffer(Plain.data() + At, static_cast<std::int64_t>(N));
            At += N;
        }
    }
    EXPECT_EQ(Z.Position(), static_cast<std::int64_t>(Plain.size()));
    Z.Finish();
    return Out.Bytes();
}

std::string Decompress(const std::string& Packed, std::size_t PlainSize)
{
    TMemoryStream In(Packed);
    TBZDecompressionStream Z(In);
    std::string Plain = Z.ReadString(static_cast<std::int64_t>(PlainSize));
    EXPECT_TRUE(Z.AtStreamEnd());
    return Plain;
}

// Makes the library's large memory requests fail while it lives.
class TLargeRequestsFail {
public:
    explicit TLargeRequestsFail(int Allowed)
    {
        Left = Allowed;
        SetBZAllocationFault([](std::size_t Bytes) { return Bytes >= 1024 * 1024 && Left.fetch_sub(1) <= 0; });
    }
    ~TLargeRequestsFail() { SetBZAllocationFault(nullptr); }

private:
    static std::atomic<int> Left;
};
std::atomic<int> TLargeRequestsFail::Left{0};

class TWorkers {
public:
    explicit TWorkers(int N) { SetBZCompressionWorkers(N); }
    ~TWorkers() { SetBZCompressionWorkers(0); }
};

// A destination that takes Room bytes and then fails like a full disk.
class TFullDisk : public TMemoryStream {
public:
    explicit TFullDisk(std::int64_t Room) : FRoom(Room) {}
    std::int64_t Write(const void* Buffer, std::int64_t Count) override
    {
        const std::int64_t N = std::min(Count, FRoom - Size());
        return N <= 0 ? 0 : TMemoryStream::Write(Buffer, N);
    }

private:
    std::int64_t FRoom;
};

struct TSample {
    const char* Name;
    std::string (*Make)();
};

const TSample Samples[] = {
    {"Empty", [] { return std::string(); }},
    {"OneByte", [] { return std::string("x"); }},
    {"ExactlyOneBlock", [] { return NoRuns(Level5Block); }},
    {"OneByteMore", [] { return NoRuns(Level5Block + 1); }},
    // A block holds up to 25.5 MB of one byte: the first block ends inside the run.
    {"OneLongRun", [] { return std::string(26000000, '\0'); }},
    // Long runs shrink a block's input so much that the end of the first block is
    // put among them by the bytes in front.
    {"LongRunsBrokenNowAndThen",
     [] { return NoRuns(490000) + Repeat(std::string(70000, 'q') + "!", 2000000) + NoRuns(10000); }},
    {"RunsOf4And5", [] { return Runs(4, 5, 2100000); }},
    {"RunsOf251To260", [] { return NoRuns(480000) + Runs(251, 260, 3000000) + NoRuns(10000); }},
    {"RunsOf1To8", [] { return Runs(1, 8, 1500000); }},
    {"Random", [] { return Random(2200000, 9); }},
    {"Text", [] { return Mix(2600000, 0); }},
    {"StructuredBinary", [] { return Mix(2600000, 1); }},
};

void PrintTo(const TSample& Sample, std::ostream* Out) { *Out << Sample.Name; }

class BZParallelInput : public testing::TestWithParam<TSample> {};

// A run of each length that matters, placed from a little after to a little before
// the end of the first block.
class BZParallelRunAtBlockEnd : public testing::TestWithParam<int> {};

} // namespace

TEST_P(BZParallelInput, SameBytesAsOneThread)
{
    const std::string Plain = GetParam().Make();
    const std::string Serial = Compress(Plain, 1);
    for (int Workers : {2, 3, 8})
        EXPECT_TRUE(Compress(Plain, Workers) == Serial) << Workers << " workers";
    EXPECT_TRUE(Compress(Plain, 4, 4, true) == Serial) << "in pieces";
    EXPECT_TRUE(Decompress(Serial, Plain.size()) == Plain);
}

INSTANTIATE_TEST_SUITE_P(Inputs, BZParallelInput, testing::ValuesIn(Samples),
                         [](const testing::TestParamInfo<TSample>& Info) { return std::string(Info.param.Name); });

TEST_P(BZParallelRunAtBlockEnd, SameBytesAsOneThread)
{
    const int Run = GetParam();
    for (int Before = -2; Before <= 12; ++Before) {
        std::string Plain = NoRuns(Level1Block - static_cast<std::size_t>(Before), 3);
        Plain.append(static_cast<std::size_t>(Run), '\xfe');
        Plain += NoRuns(3000, 5);
        EXPECT_TRUE(Compress(Plain, 2, 0) == Compress(Plain, 1, 0)) << Before << " before the end";
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, BZParallelRunAtBlockEnd,
                         testing::Values(1, 2, 3, 4, 5, 6, 7, 254, 255, 256, 257, 259, 510, 511, 600));

TEST(BZParallel, BlocksEndWhereTheLibraryEndsThemAtEveryBlockSize)
{
    for (int BlockSize = 0; BlockSize <= 8; ++BlockSize) {
        const std::string Plain = NoRuns(static_cast<std::size_t>(BlockSize + 1) * 100000 + 3000, 1);
        EXPECT_TRUE(Compress(Plain, 2, BlockSize) == Compress(Plain, 1, BlockSize)) << BlockSize;
    }
}

TEST(BZParallel, CutterCountsRunsAsTheLibraryDoes)
{
    TBZBlockCutter NoRunCutter(5);
    const std::string Plain = NoRuns(Level5Block + 10);
    const auto* P = reinterpret_cast<const unsigned char*>(Plain.data());
    EXPECT_EQ(NoRunCutter.NextCut(P, Level5Block), Level5Block);
    // The byte after a full block begins the next one, even in a Write of its own.
    EXPECT_EQ(NoRunCutter.NextCut(P + Level5Block, 10), 0u);
    EXPECT_EQ(NoRunCutter.NextCut(P + Level5Block, 10), 10u);

    // Zeros go in runs of 255, 5 bytes each: the 19997th run fills a level-1 block,
    // and the library sees that when the next run begins.
    const std::string Zeros(6000000, '\0');
    TBZBlockCutter ZeroCutter(1);
    EXPECT_EQ(ZeroCutter.NextCut(reinterpret_cast<const unsigned char*>(Zeros.data()), Zeros.size()), 19997u * 255);
}

TEST(BZParallel, StandardBzip2AcceptsAndRestoresTheStream)
{
    const std::string Plain = Mix(1500000, 0) + Runs(250, 262, 700000) + Random(900000, 4);
    const std::string Packed = Compress(Plain, 4);
    const TBzip2Verdict Test = TestWithBzip2Tool(Packed);
    if (!Test.Found)
        GTEST_SKIP() << "no bzip2 program in this build's world";
    EXPECT_TRUE(Test.Accepted) << Test.Message;
    const TBzip2Verdict Decoded = DecodeWithBzip2Tool(Packed);
    ASSERT_TRUE(Decoded.Accepted) << Decoded.Message;
    EXPECT_TRUE(Decoded.Plain == Plain);
}

TEST(BZParallel, PositionProgressAndTheDestinationMovedMeanwhile)
{
    const std::string Plain = Mix(1200000, 1);
    TMemoryStream Out;
    Out.WriteString("head");
    std::vector<std::thread::id> Callers;
    {
        TBZCompressionStream Z(4, Out, 3);
        Z.OnProgress = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &Z);
            Callers.push_back(std::this_thread::get_id());
        };
        Z.WriteString(Plain.substr(0, 700000));
        EXPECT_EQ(Z.Position(), 700000);
        Out.SetPosition(0); // somebody else moves the destination: the stream goes on where it was
        Z.WriteString(Plain.substr(700000));
        Z.Finish();
    }
    ASSERT_FALSE(Callers.empty());
    for (const std::thread::id& Id : Callers)
        EXPECT_EQ(Id, std::this_thread::get_id());
    EXPECT_TRUE(Out.Bytes() == "head" + Compress(Plain, 1));
}

TEST(BZParallel, AWorkerThatGetsNoMemoryFailsTheStream)
{
    const std::string Plain = Random(3000000, 2);
    {
        const TLargeRequestsFail Fail(0);
        TMemoryStream Out;
        TBZCompressionStream Z(4, Out, 4);
        std::string Message = "no error";
        try {
            Z.WriteString(Plain);
            Z.Finish();
        } catch (const EBZCompressionError& E) {
            Message = E.Message();
        }
        EXPECT_EQ(Message, "error -3");
        // The stream stays failed.
        EXPECT_THROW(Z.Finish(), EBZCompressionError);
    }
    {
        // The first worker gets its memory and goes on; the others fail.
        const TLargeRequestsFail Fail(2);
        TMemoryStream Out;
        EXPECT_THROW(
            {
                TBZCompressionStream Z(4, Out, 4);
                Z.WriteString(Plain + Plain);
                Z.Finish();
            },
            EBZCompressionError);
    }
    // A stream of one block is compressed on the writing thread and fails there alike.
    const TLargeRequestsFail Fail(0);
    TMemoryStream Out;
    TBZCompressionStream Z(4, Out, 4);
    Z.WriteString("short");
    EXPECT_THROW(Z.Finish(), EBZCompressionError);
    // A failed finish is not a finished stream the second time either.
    EXPECT_THROW(Z.Finish(), EBZCompressionError);
}

TEST(BZParallel, AFullDiskFailsTheStreamAndTheWorkersStop)
{
    const std::string Plain = Mix(4000000, 0);
    TFullDisk Out(300000);
    EXPECT_THROW(
        {
            TBZCompressionStream Z(4, Out, 4);
            Z.WriteString(Plain);
            Z.Finish();
        },
        EWriteError);
    // A stream dropped while its blocks are still being compressed.
    TMemoryStream Other;
    auto Z = std::make_unique<TBZCompressionStream>(4, Other, 4);
    Z->WriteString(Plain);
    EXPECT_NO_THROW(Z.reset());
}

TEST(BZParallel, PackWritesTheSameArchiveWithAnyNumberOfWorkers)
{
    TMemoryFileSystem FS;
    std::mt19937_64 Rng(7);
    for (int I = 0; I < 12; ++I) {
        const std::string Content = MakeMixedContent(Rng, Rng() % 600000, I % 3);
        FS.AddFile("C:\\src\\dir" + std::to_string(I % 3) + "\\file" + std::to_string(I) + ".dat", Content);
    }
    FS.AddFile("C:\\src\\zeros.bin", std::string(2000000, '\0'));
    FS.ForceDirectories("C:\\src\\empty");

    std::vector<std::vector<std::int32_t>> Progress;
    std::vector<std::string> Archives;
    for (int Workers : {1, 2, 8}) {
        const TWorkers Set(Workers);
        Progress.emplace_back();
        std::vector<std::int32_t>& Seen = Progress.back();
        ArchivePack(CArchive_BZip::Create, "C:\\src", "C:\\out\\a.arc",
                    [&](TObject* Sender) { Seen.push_back(static_cast<CArchive_base*>(Sender)->Progress); }, FS);
        Archives.push_back(FS.FileBytes("C:\\out\\a.arc"));
    }
    for (std::size_t I = 1; I < Archives.size(); ++I) {
        EXPECT_TRUE(Archives[I] == Archives[0]);
        EXPECT_EQ(Progress[I], Progress[0]);
    }
    EXPECT_TRUE(std::is_sorted(Progress[2].begin(), Progress[2].end()));

    CArchive_BZip(nullptr, FS).Unpack("C:\\out\\a.arc", "D:\\dest");
    EXPECT_TRUE(FS.FileBytes("D:\\dest\\zeros.bin") == std::string(2000000, '\0'));

    // The data part is a stream that the standard tool takes as it is and restores
    // to the files back to back.
    const std::string Data = Archives[2].substr(24, Le32(Archives[2], 16) - 24);
    const TBzip2Verdict Test = TestWithBzip2Tool(Data);
    if (!Test.Found)
        GTEST_SKIP() << "no bzip2 program in this build's world";
    EXPECT_TRUE(Test.Accepted) << Test.Message;
    THash Sources(false);
    CArchive_BZip(nullptr, FS).List("C:\\out\\a.arc", Sources, "C:\\src");
    std::string Files;
    for (const THashPair& P : Sources.Pairs())
        Files += FS.FileBytes(P.Value);
    const TBzip2Verdict Decoded = DecodeWithBzip2Tool(Data);
    ASSERT_TRUE(Decoded.Accepted) << Decoded.Message;
    EXPECT_TRUE(Decoded.Plain == Files);
}

TEST(BZParallel, AFailedWorkerFailsThePackAndTheArchiveClaimsNothing)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\big.dat", Random(2500000, 5));
    const TWorkers Set(4);
    {
        const TLargeRequestsFail Fail(0);
        EXPECT_THROW(ArchivePack(CArchive_BZip::Create, "C:\\src", "C:\\out\\a.arc", nullptr, FS), EBZCompressionError);
    }
    THash List(false);
    EXPECT_THROW(CArchive_BZip(nullptr, FS).List("C:\\out\\a.arc", List, ""), EArchiveError);
    EXPECT_THROW(CArchive_BZip(nullptr, FS).Unpack("C:\\out\\a.arc", "D:\\dest"), EArchiveError);
    EXPECT_FALSE(FS.DirectoryExists("D:\\dest"));
}

TEST(BZParallel, CompressedDataBagIsTheSameWithAnyNumberOfWorkers)
{
    std::vector<std::string> Saved;
    for (int Workers : {1, 4}) {
        const TWorkers Set(Workers);
        CDataBag Bag;
        Bag.PutBuffer(Mix(900000, 0).data(), 100000 + 1, 900000);
        Bag.PutBuffer(Mix(700000, 1).data(), 100000 + 2, 700000);
        TMemoryStream Out;
        Bag.SaveToStream(Out, true);
        Saved.push_back(Out.Bytes());
    }
    EXPECT_TRUE(Saved[1] == Saved[0]);
    TMemoryStream In(Saved[1]);
    CDataBag Loaded;
    ASSERT_EQ(Loaded.LoadFromStream(In), brDone);
    std::string Back(700000, '\0');
    EXPECT_EQ(Loaded.GetBuffer(&Back[0], 100000 + 2, 700000), brDone);
    EXPECT_TRUE(Back == Mix(700000, 1));
}
