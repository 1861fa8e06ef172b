#include "bz_parallel_decompression.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr std::uint64_t BlockMark = 0x314159265359ull;
constexpr std::uint64_t EndMark = 0x177245385090ull;
constexpr std::size_t ReadChunk = std::size_t{1} << 20;
// A block of the largest size compresses to well under a megabyte; a chunk that still
// does not decode when joined up to this is damaged, not split by a chance match.
constexpr std::uint64_t MaxJoinedBits = std::uint64_t{8} * 4 * 1024 * 1024;
constexpr unsigned MaxWorkers = 16;

// Bits, most significant first, from bit 0 of the first byte; unused bits are 0.
struct TBits {
    std::vector<unsigned char> Bytes;
    std::uint64_t Count = 0;

    // N bits of Src from bit Offset on; Src holds at least (Offset + N + 7) / 8 bytes.
    void Append(const unsigned char* Src, std::uint64_t Offset, std::uint64_t N)
    {
        if (N == 0)
            return;
        const std::uint64_t First = Offset / 8;
        const std::uint64_t Last = (Offset + N - 1) / 8;
        const unsigned S = static_cast<unsigned>(Offset % 8);
        const unsigned W = static_cast<unsigned>(Count % 8);
        const std::uint64_t Whole = (N + 7) / 8;
        Bytes.reserve(static_cast<std::size_t>((Count + N + 7) / 8));
        for (std::uint64_t K = 0; K < Whole; ++K) {
            const std::uint64_t I = First + K;
            unsigned V = static_cast<unsigned>(Src[I]) << S;
            if (S && I + 1 <= Last)
                V |= Src[I + 1] >> (8 - S);
            V &= 0xFF;
            if (W == 0) {
                Bytes.push_back(static_cast<unsigned char>(V));
            } else {
                Bytes.back() = static_cast<unsigned char>(Bytes.back() | (V >> W));
                Bytes.push_back(static_cast<unsigned char>((V << (8 - W)) & 0xFF));
            }
        }
        Count += N;
        Bytes.resize(static_cast<std::size_t>((Count + 7) / 8));
        if (Count % 8)
            Bytes.back() = static_cast<unsigned char>(Bytes.back() & (0xFF << (8 - Count % 8)));
    }

    // The low N (<= 56) bits of V.
    void AppendValue(std::uint64_t V, unsigned N)
    {
        unsigned char B[8];
        const std::uint64_t Left = V << (64 - N);
        for (int I = 0; I < 8; ++I)
            B[I] = static_cast<unsigned char>(Left >> (56 - 8 * I));
        Append(B, 0, N);
    }

    // N (<= 56) bits from bit At; the bits must be there.
    std::uint64_t Read(std::uint64_t At, unsigned N) const { return ReadBits(Bytes.data(), Bytes.size(), At, N); }

    static std::uint64_t ReadBits(const unsigned char* P, std::size_t Size, std::uint64_t At, unsigned N)
    {
        std::uint64_t V = 0;
        const std::size_t First = static_cast<std::size_t>(At / 8);
        for (std::size_t I = 0; I < 8; ++I)
            V = (V << 8) | (First + I < Size ? P[First + I] : 0);
        return (V << (At % 8)) >> (64 - N);
    }
};

// For each aligned 16-bit word: which (mark, shift) pairs it could be the second and
// third byte of. Bit m * 8 + s: mark m (0 block, 1 end) starting s bits into a byte.
// Made on first use, on the heap: a table the compiler can fill would put all
// 128 KiB, nearly all zeros, into every program that decodes.
const std::vector<std::uint16_t>& MarkTable()
{
    static const std::vector<std::uint16_t> Table = [] {
        std::vector<std::uint16_t> T(65536);
        const std::uint64_t Marks[2] = {BlockMark, EndMark};
        for (unsigned M = 0; M < 2; ++M)
            for (unsigned S = 0; S < 8; ++S)
                T[(Marks[M] >> (24 + S)) & 0xFFFF] |= static_cast<std::uint16_t>(1u << (M * 8 + S));
        return T;
    }();
    return Table;
}

struct TSpan {
    std::uint64_t Start = 0; // bit position in the stream, for the record
    bool End = false;        // begins with the end mark
    TBits Bits;              // from its mark up to the next mark
    bool Done = false;
    bool Ok = false;
    std::vector<char> Plain;
};

using TSpanPtr = std::shared_ptr<TSpan>;

// The decoder's tables of one thread, kept from block to block: a fresh decoder per
// block would otherwise map and fault in megabytes each time.
class TDecoderMemory {
public:
    TDecoderMemory() = default;
    TDecoderMemory(const TDecoderMemory&) = delete;
    TDecoderMemory& operator=(const TDecoderMemory&) = delete;
    ~TDecoderMemory()
    {
        for (const TPiece& P : FFree)
            std::free(P.Memory);
    }

    static void* Alloc(void* Self, int Items, int Size)
    {
        if (Items <= 0 || Size <= 0)
            return nullptr;
        auto& M = *static_cast<TDecoderMemory*>(Self);
        const std::size_t Bytes = static_cast<std::size_t>(Items) * static_cast<std::size_t>(Size);
        for (std::size_t I = 0; I < M.FFree.size(); ++I)
            if (M.FFree[I].Bytes == Bytes) {
                void* P = M.FFree[I].Memory;
                M.FFree.erase(M.FFree.begin() + static_cast<std::ptrdiff_t>(I));
                M.FInUse.push_back(TPiece{P, Bytes});
                return P;
            }
        void* P = std::malloc(Bytes);
        if (P)
            M.FInUse.push_back(TPiece{P, Bytes});
        return P;
    }

    static void Free(void* Self, void* P)
    {
        auto& M = *static_cast<TDecoderMemory*>(Self);
        for (std::size_t I = 0; I < M.FInUse.size(); ++I)
            if (M.FInUse[I].Memory == P) {
                M.FFree.push_back(M.FInUse[I]);
                M.FInUse.erase(M.FInUse.begin() + static_cast<std::ptrdiff_t>(I));
                break;
            }
        // The decoder makes three pieces; more kept would only hold memory.
        while (M.FFree.size() > 4) {
            std::free(M.FFree.front().Memory);
            M.FFree.erase(M.FFree.begin());
        }
    }

private:
    struct TPiece {
        void* Memory;
        std::size_t Bytes;
    };
    std::vector<TPiece> FInUse, FFree;
};

// Decodes the bits of one block (mark included) as a stream of its own.
bool DecodeBlock(const TBits& Block, char Level, std::vector<char>& Plain, TDecoderMemory& Memory)
{
    if (Block.Count < 80)
        return false;
    const std::uint64_t Crc = Block.Read(48, 32);
    TBits S;
    const unsigned char Head[4] = {'B', 'Z', 'h', static_cast<unsigned char>(Level)};
    S.Append(Head, 0, 32);
    S.Append(Block.Bytes.data(), 0, Block.Count);
    S.AppendValue(EndMark, 48);
    // A stream of one block carries that block's checksum as its own.
    S.AppendValue(Crc, 32);

    bz_stream Z;
    std::memset(&Z, 0, sizeof Z);
    Z.bzalloc = TDecoderMemory::Alloc;
    Z.bzfree = TDecoderMemory::Free;
    Z.opaque = &Memory;
    if (BZ2_bzDecompressInit(&Z, 0, 0) != BZ_OK)
        return false;
    Z.next_in = reinterpret_cast<char*>(S.Bytes.data());
    Z.avail_in = static_cast<unsigned>(S.Bytes.size());
    Plain.resize(static_cast<std::size_t>(Level - '0') * 100000 + 4096);
    std::size_t Filled = 0;
    bool Ok = false;
    for (;;) {
        if (Filled == Plain.size())
            Plain.resize(Plain.size() * 2);
        Z.next_out = Plain.data() + Filled;
        Z.avail_out = static_cast<unsigned>(Plain.size() - Filled);
        const int R = BZ2_bzDecompress(&Z);
        Filled = Plain.size() - Z.avail_out;
        if (R == BZ_STREAM_END) {
            Ok = true;
            break;
        }
        if (R != BZ_OK || (Z.avail_in == 0 && Z.avail_out > 0))
            break;
    }
    BZ2_bzDecompressEnd(&Z);
    Plain.resize(Ok ? Filled : 0);
    return Ok;
}

} // namespace

bool LooksLikeBZip2(const unsigned char* Head, std::size_t Size)
{
    if (Size < 10 || Head[0] != 'B' || Head[1] != 'Z' || Head[2] != 'h' || Head[3] < '1' || Head[3] > '9')
        return false;
    const std::uint64_t Mark = TBits::ReadBits(Head, Size, 32, 48);
    return Mark == BlockMark || Mark == EndMark;
}

class TBZParallelDecompressionStream::TState {
public:
    TState(TStream& Source, unsigned Workers, std::vector<std::uint64_t> ChanceMarks)
        : FSource(Source), FChanceMarks(std::move(ChanceMarks))
    {
        if (Workers == 0) {
            // Everything read and split now; each block decoded when it is asked for.
            FInline = true;
            FMaxSpans = static_cast<std::size_t>(-1);
            ScanGuarded();
            return;
        }
        Workers = std::min(Workers, MaxWorkers);
        FMaxSpans = 2 * Workers + 2;
        FThreads.emplace_back([this] { ScanGuarded(); });
        for (unsigned I = 0; I < Workers; ++I)
            FThreads.emplace_back([this] { Work(); });
    }

    ~TState()
    {
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FStop = true;
        }
        FChanged.notify_all();
        for (std::thread& T : FThreads)
            T.join();
    }

    std::int64_t Read(char* Buffer, std::int64_t Count)
    {
        std::int64_t Done = 0;
        while (Done < Count) {
            if (FPlainPos == FPlain.size() && !NextBlock())
                break;
            const std::size_t N = static_cast<std::size_t>(
                std::min<std::int64_t>(Count - Done, static_cast<std::int64_t>(FPlain.size() - FPlainPos)));
            std::memcpy(Buffer + Done, FPlain.data() + FPlainPos, N);
            FPlainPos += N;
            Done += static_cast<std::int64_t>(N);
        }
        FDelivered += Done;
        return Done;
    }

    bool AtStreamEnd() { return FPlainPos == FPlain.size() && !NextBlock(); }

    std::int64_t Delivered() const { return FDelivered; }

private:
    [[noreturn]] void Fail(TBZDamage Kind)
    {
        static const char* const Texts[] = {"the data is not a bzip2 stream", "a block of the data is damaged",
                                            "the data is cut short", "the data does not match its checksum"};
        FFailure = std::make_exception_ptr(EBZDamagedError(Texts[static_cast<int>(Kind)], Kind));
        std::rethrow_exception(FFailure);
    }

    // The next span in stream order once it is decoded; none when the reader is done.
    TSpanPtr TakeFront(bool WaitForDecoding)
    {
        std::unique_lock<std::mutex> Lock(FMutex);
        FChanged.wait(Lock, [&] {
            return (!FSpans.empty() && (FInline || !WaitForDecoding || FSpans.front()->End || FSpans.front()->Done)) ||
                   (FSpans.empty() && FScanDone);
        });
        if (FSpans.empty()) {
            if (FScanFailure)
                std::rethrow_exception(FScanFailure);
            return nullptr;
        }
        TSpanPtr S = FSpans.front();
        FSpans.pop_front();
        Lock.unlock();
        FChanged.notify_all();
        if (FInline && WaitForDecoding && !S->End) {
            S->Ok = DecodeBlock(S->Bits, FLevel, S->Plain, FMemory);
            S->Done = true;
        }
        return S;
    }

    // Moves to the next block's bytes; false at the stream's end (its checksum checked).
    bool NextBlock()
    {
        if (FFailure)
            std::rethrow_exception(FFailure);
        if (FEnded)
            return false;
        FPlain.clear();
        FPlainPos = 0;
        if (!FStarted) {
            FStarted = true;
            std::unique_lock<std::mutex> Lock(FMutex);
            FChanged.wait(Lock, [&] { return FHeaderRead; });
            if (!FHeaderOk)
                Fail(TBZDamage::NotBZip2);
        }
        TSpanPtr S = TakeFront(true);
        if (!S)
            Fail(TBZDamage::CutShort);
        if (S->End) {
            // A chance match may have cut the end mark from its checksum.
            TBits Tail = S->Bits;
            while (Tail.Count < 80) {
                TSpanPtr Next = TakeFront(false);
                if (!Next)
                    Fail(TBZDamage::CutShort);
                Tail.Append(Next->Bits.Bytes.data(), 0, Next->Bits.Count);
            }
            if (Tail.Read(48, 32) != FCombinedCrc)
                Fail(TBZDamage::Checksum);
            FEnded = true;
            return false;
        }
        std::uint64_t Crc = 0;
        if (S->Ok) {
            Crc = S->Bits.Read(48, 32);
            FPlain = std::move(S->Plain);
        } else {
            // A chance match of a mark inside the block cut it short: join the pieces.
            TBits Joined = S->Bits;
            bool EndSeen = false;
            for (;;) {
                TSpanPtr Next = TakeFront(false);
                if (!Next)
                    Fail(EndSeen ? TBZDamage::BadBlock : TBZDamage::CutShort);
                EndSeen = EndSeen || Next->End;
                Joined.Append(Next->Bits.Bytes.data(), 0, Next->Bits.Count);
                if (Joined.Count > MaxJoinedBits)
                    Fail(TBZDamage::BadBlock);
                if (DecodeBlock(Joined, FLevel, FPlain, FMemory)) {
                    Crc = Joined.Read(48, 32);
                    break;
                }
            }
        }
        FCombinedCrc = ((FCombinedCrc << 1) | (FCombinedCrc >> 31)) ^ Crc;
        FCombinedCrc &= 0xFFFFFFFFu;
        return true;
    }

    void ScanGuarded()
    {
        try {
            Scan();
        } catch (...) {
            std::lock_guard<std::mutex> Lock(FMutex);
            FScanFailure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FScanDone = true;
            FHeaderRead = true;
        }
        FChanged.notify_all();
    }

    // Hands a span to the consumer and, when it is a block, to the workers; false to stop.
    bool Emit(std::vector<unsigned char>& Buf, std::uint64_t BufBase, std::uint64_t From, std::uint64_t To, bool End)
    {
        auto S = std::make_shared<TSpan>();
        S->Start = From;
        S->End = End;
        const unsigned char* P = Buf.data() + (From / 8 - BufBase);
        S->Bits.Append(P, From % 8, To - From);
        std::unique_lock<std::mutex> Lock(FMutex);
        FChanged.wait(Lock, [&] { return FStop || FSpans.size() < FMaxSpans; });
        if (FStop)
            return false;
        FSpans.push_back(S);
        if (!S->End && !FInline)
            FWork.push_back(S);
        Lock.unlock();
        FChanged.notify_all();
        return true;
    }

    void Scan()
    {
        const auto& Table = MarkTable();
        std::vector<unsigned char> Buf;
        std::uint64_t BufBase = 0; // stream offset of Buf[0]
        std::uint64_t RealEnd = 0; // stream size once the source is exhausted
        bool Exhausted = false;
        // Small data gets a small buffer; one byte more finds the end without another read.
        const std::int64_t Left = FSource.Size() - FSource.Position();
        const std::size_t Chunk = static_cast<std::size_t>(
            std::clamp<std::int64_t>(Left + 1, 16, static_cast<std::int64_t>(ReadChunk)));
        const auto ReadMore = [&] {
            const std::size_t Old = Buf.size();
            Buf.resize(Old + Chunk);
            const std::int64_t Got = FSource.Read(Buf.data() + Old, static_cast<std::int64_t>(Chunk));
            Buf.resize(Old + static_cast<std::size_t>(Got > 0 ? Got : 0));
            if (Got <= 0) {
                Exhausted = true;
                RealEnd = BufBase + Buf.size();
                // Room for the look-ahead past the last byte.
                Buf.resize(Buf.size() + 8, 0);
            }
        };
        while (Buf.size() < 10 && !Exhausted)
            ReadMore();
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FHeaderOk = LooksLikeBZip2(Buf.data(), Exhausted ? static_cast<std::size_t>(RealEnd) : Buf.size());
            FLevel = FHeaderOk ? static_cast<char>(Buf[3]) : '9';
            FHeaderRead = true;
        }
        FChanged.notify_all();
        if (!FHeaderOk)
            return;

        std::uint64_t SpanStart = 32;
        bool StartsWithEnd = TBits::ReadBits(Buf.data(), Buf.size(), 32, 48) == EndMark;
        std::uint64_t J = 5; // stream offset of the word being looked at
        std::size_t NextChance = 0;
        while (NextChance < FChanceMarks.size() && FChanceMarks[NextChance] < 8 * (J - 1))
            ++NextChance;
        for (;;) {
            if (!Exhausted) {
                // Keep only what the current span still needs.
                const std::uint64_t Keep = SpanStart / 8;
                if (Keep > BufBase && Keep - BufBase > Buf.size() / 2) {
                    Buf.erase(Buf.begin(), Buf.begin() + static_cast<std::ptrdiff_t>(Keep - BufBase));
                    BufBase = Keep;
                }
                ReadMore();
            }
            // A mark starting at bit 8 (J - 1) + S needs the bytes J - 1 to J + 5.
            const std::uint64_t Limit = Exhausted ? (RealEnd >= 5 ? RealEnd - 5 : 0)
                                                  : (Buf.size() >= 6 ? BufBase + Buf.size() - 6 : 0);
            for (; J <= Limit; ++J) {
                const std::size_t I = static_cast<std::size_t>(J - BufBase);
                const unsigned Hits = Table[(static_cast<unsigned>(Buf[I]) << 8) | Buf[I + 1]];
                const bool Chance = NextChance < FChanceMarks.size() && FChanceMarks[NextChance] < 8 * J;
                if (!Hits && !Chance)
                    continue;
                for (unsigned S = 0; S < 8; ++S) {
                    const std::uint64_t At = 8 * (J - 1) + S;
                    const unsigned Kinds = (Hits >> S) & 0x101;
                    bool Mark = false;
                    if (NextChance < FChanceMarks.size() && FChanceMarks[NextChance] == At) {
                        Mark = true;
                        ++NextChance;
                    }
                    if (!Kinds && !Mark)
                        continue;
                    if (At <= SpanStart || (Exhausted && At + 48 > 8 * RealEnd))
                        continue;
                    const std::uint64_t Bits = TBits::ReadBits(Buf.data(), Buf.size(), At - 8 * BufBase, 48);
                    Mark = Mark || ((Kinds & 1) && Bits == BlockMark) || ((Kinds & 0x100) && Bits == EndMark);
                    if (!Mark)
                        continue;
                    if (!Emit(Buf, BufBase, SpanStart, At, StartsWithEnd))
                        return;
                    SpanStart = At;
                    StartsWithEnd = Bits == EndMark;
                }
                while (NextChance < FChanceMarks.size() && FChanceMarks[NextChance] < 8 * J)
                    ++NextChance;
            }
            if (Exhausted) {
                Emit(Buf, BufBase, SpanStart, 8 * RealEnd, StartsWithEnd);
                return;
            }
        }
    }

    void Work()
    {
        TDecoderMemory Memory;
        for (;;) {
            TSpanPtr S;
            {
                std::unique_lock<std::mutex> Lock(FMutex);
                FChanged.wait(Lock, [&] { return FStop || !FWork.empty() || FScanDone; });
                if (FStop || FWork.empty())
                    return;
                S = FWork.front();
                FWork.pop_front();
            }
            std::vector<char> Plain;
            const bool Ok = DecodeBlock(S->Bits, FLevel, Plain, Memory);
            {
                std::lock_guard<std::mutex> Lock(FMutex);
                S->Plain = std::move(Plain);
                S->Ok = Ok;
                S->Done = true;
            }
            FChanged.notify_all();
        }
    }

    TStream& FSource;
    const std::vector<std::uint64_t> FChanceMarks;
    bool FInline = false;
    std::vector<std::thread> FThreads;
    std::size_t FMaxSpans = 4;

    // Shared with the threads, under FMutex.
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<TSpanPtr> FSpans; // read, not yet delivered, in stream order
    std::deque<TSpanPtr> FWork;  // blocks waiting for a worker
    bool FStop = false;
    bool FScanDone = false;
    bool FHeaderRead = false;
    bool FHeaderOk = false;
    char FLevel = '9';
    std::exception_ptr FScanFailure;

    // The consumer's own.
    TDecoderMemory FMemory;
    std::vector<char> FPlain;
    std::size_t FPlainPos = 0;
    std::int64_t FDelivered = 0;
    std::uint64_t FCombinedCrc = 0;
    bool FStarted = false;
    bool FEnded = false;
    std::exception_ptr FFailure;
};

TBZParallelDecompressionStream::TBZParallelDecompressionStream(TStream& Source, unsigned Workers,
                                                               std::vector<std::uint64_t> ChanceMarks)
    : FState(std::make_unique<TState>(Source, Workers, std::move(ChanceMarks)))
{
}

TBZParallelDecompressionStream::~TBZParallelDecompressionStream() = default;

std::int64_t TBZParallelDecompressionStream::Read(void* Buffer, std::int64_t Count)
{
    return Count > 0 ? FState->Read(static_cast<char*>(Buffer), Count) : 0;
}

std::int64_t TBZParallelDecompressionStream::Write(const void*, std::int64_t)
{
    throw EBZDecompressionError("Invalid stream operation");
}

std::int64_t TBZParallelDecompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == TSeekOrigin::soCurrent)
        return FState->Delivered();
    throw EBZDecompressionError("Invalid stream operation");
}

void TBZParallelDecompressionStream::SetSize(std::int64_t) { throw EBZDecompressionError("Invalid stream operation"); }

bool TBZParallelDecompressionStream::AtStreamEnd() { return FState->AtStreamEnd(); }
