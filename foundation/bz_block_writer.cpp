#include "bz_block_writer.h"

#include "bz_streams.h"

#include <bzlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace {

constexpr unsigned char BlockMagic[6] = {0x31, 0x41, 0x59, 0x26, 0x53, 0x59};
constexpr unsigned char EndMagic[6] = {0x17, 0x72, 0x45, 0x38, 0x50, 0x90};
constexpr std::size_t HeaderBytes = 4;    // "BZh" and the level digit
constexpr std::uint64_t TrailerBits = 80; // end marker and the combined CRC
constexpr std::size_t EmitPiece = 65536;

// Plain bytes a worker is given at most while it still compresses one block, on
// average: a block of ordinary data is 0.5 to 1 MB of input, a block of long runs
// up to 25 MB.
constexpr std::size_t PlainPerBlock = 2 * 1024 * 1024;

std::string ErrorText(int Code) { return "error " + std::to_string(Code); }

int BitAt(const unsigned char* Bytes, std::uint64_t Bit) { return (Bytes[Bit >> 3] >> (7 - (Bit & 7))) & 1; }

void* ReusedAlloc(void* Opaque, int Items, int Size)
{
    if (Items <= 0 || Size <= 0)
        return nullptr;
    return static_cast<TBZReusedMemory*>(Opaque)->Allocate(static_cast<std::size_t>(Items) * static_cast<std::size_t>(Size));
}

void ReusedFree(void* Opaque, void* P) { static_cast<TBZReusedMemory*>(Opaque)->Release(P); }

// Where the one block of a one-block stream lies: after the header, up to the end
// marker, which is followed by the CRC (for one block the block's own) and 0 to 7
// zero bits. The marker is no repetition of itself at any shift below 8, so only one
// padding fits.
bool LocateBlock(TBZPackedBlock& B, std::size_t Size)
{
    const unsigned char* S = B.Stream.data();
    if (Size < HeaderBytes + 10 + TrailerBits / 8 || std::memcmp(S + HeaderBytes, BlockMagic, 6) != 0)
        return false;
    B.CRC = (std::uint32_t{S[10]} << 24) | (std::uint32_t{S[11]} << 16) | (std::uint32_t{S[12]} << 8) | S[13];
    unsigned char Trailer[10];
    std::memcpy(Trailer, EndMagic, 6);
    for (int I = 0; I < 4; ++I)
        Trailer[6 + I] = static_cast<unsigned char>(B.CRC >> (24 - 8 * I));
    const std::uint64_t End = std::uint64_t{Size} * 8;
    for (std::uint64_t Padding = 0; Padding < 8; ++Padding) {
        const std::uint64_t TrailerStart = End - Padding - TrailerBits;
        bool Fits = true;
        for (std::uint64_t I = 0; I < Padding && Fits; ++I)
            Fits = BitAt(S, End - 1 - I) == 0;
        for (std::uint64_t I = 0; I < TrailerBits && Fits; ++I)
            Fits = BitAt(S, TrailerStart + I) == BitAt(Trailer, I);
        if (Fits) {
            B.FirstBit = HeaderBytes * 8;
            B.BitCount = TrailerStart - B.FirstBit;
            return true;
        }
    }
    return false;
}

} // namespace

TBZBlockCutter::TBZBlockCutter(int BlockSize100k) : FLimit(std::int64_t{100000} * BlockSize100k - 19) {}

std::size_t TBZBlockCutter::NextCut(const unsigned char* Bytes, std::size_t Count)
{
    int Run = FRunByte, Length = FRunLength;
    std::int64_t Filled = FFilled;
    for (std::size_t I = 0; I < Count; ++I) {
        const int B = Bytes[I];
        if (B == Run && Length < 255) {
            ++Length;
            continue;
        }
        // A new run: the open one goes into the block.
        if (Length > 0) {
            Filled += Length < 4 ? Length : 5;
            if (Filled >= FLimit) {
                FFilled = 0;
                FRunByte = 256;
                FRunLength = 0;
                return I;
            }
        }
        Run = B;
        Length = 1;
    }
    FRunByte = Run;
    FRunLength = Length;
    FFilled = Filled;
    return Count;
}

TBZStreamSplicer::TBZStreamSplicer(int BlockSize100k)
    : FBytes{'B', 'Z', 'h', static_cast<unsigned char>('0' + BlockSize100k)}
{
}

void TBZStreamSplicer::AppendBits(const unsigned char* Bits, std::uint64_t BitCount)
{
    const std::size_t Whole = static_cast<std::size_t>(BitCount / 8);
    const int Rest = static_cast<int>(BitCount % 8);
    if (FPendingBits == 0) {
        FBytes.insert(FBytes.end(), Bits, Bits + Whole);
    } else {
        const std::size_t At = FBytes.size();
        FBytes.resize(At + Whole);
        unsigned char* Out = FBytes.data() + At;
        for (std::size_t I = 0; I < Whole; ++I) {
            Out[I] = static_cast<unsigned char>(FPending | (Bits[I] >> FPendingBits));
            FPending = (static_cast<unsigned>(Bits[I]) << (8 - FPendingBits)) & 0xFF;
        }
    }
    if (Rest > 0) {
        const unsigned Last = Bits[Whole] & (0xFF00u >> Rest) & 0xFF;
        FPending |= Last >> FPendingBits;
        FPendingBits += Rest;
        if (FPendingBits >= 8) {
            FBytes.push_back(static_cast<unsigned char>(FPending));
            FPendingBits -= 8;
            FPending = (Last << (Rest - FPendingBits)) & 0xFF;
        }
    }
}

void TBZStreamSplicer::AddBlock(const unsigned char* Bits, std::uint64_t BitCount, std::uint32_t BlockCRC)
{
    FCombinedCRC = ((FCombinedCRC << 1) | (FCombinedCRC >> 31)) ^ BlockCRC;
    AppendBits(Bits, BitCount);
}

void TBZStreamSplicer::Finish()
{
    unsigned char Trailer[10];
    std::memcpy(Trailer, EndMagic, 6);
    for (int I = 0; I < 4; ++I)
        Trailer[6 + I] = static_cast<unsigned char>(FCombinedCRC >> (24 - 8 * I));
    AppendBits(Trailer, TrailerBits);
    if (FPendingBits > 0) {
        FBytes.push_back(static_cast<unsigned char>(FPending));
        FPending = 0;
        FPendingBits = 0;
    }
}

TBZReusedMemory::~TBZReusedMemory()
{
    for (const TPiece& Piece : FPieces)
        std::free(Piece.P);
}

void* TBZReusedMemory::Allocate(std::size_t Bytes)
{
    for (TPiece& Piece : FPieces)
        if (!Piece.InUse && Piece.Bytes == Bytes) {
            Piece.InUse = true;
            return Piece.P;
        }
    void* P = BZHeapAllocate(Bytes);
    if (P) {
        try {
            FPieces.push_back(TPiece{P, Bytes, true});
        } catch (const std::bad_alloc&) {
            std::free(P);
            return nullptr;
        }
    }
    return P;
}

void TBZReusedMemory::Release(void* P)
{
    for (TPiece& Piece : FPieces)
        if (Piece.P == P)
            Piece.InUse = false;
}

void PackBlock(const char* Plain, std::size_t Count, int BlockSize100k, TBZReusedMemory& Memory, TBZPackedBlock& Out)
{
    bz_stream S;
    std::memset(&S, 0, sizeof S);
    S.bzalloc = ReusedAlloc;
    S.bzfree = ReusedFree;
    S.opaque = &Memory;
    int R = BZ2_bzCompressInit(&S, BlockSize100k, 0, 0);
    if (R < 0)
        throw EBZCompressionError(ErrorText(R));
    struct TEnd {
        bz_stream& S;
        ~TEnd() { BZ2_bzCompressEnd(&S); }
    } End{S};

    // A block's data hardly ever grows by more than a percent.
    const std::size_t Guess = std::min<std::size_t>(Count, std::size_t{100000} * BlockSize100k);
    Out.Stream.resize(Guess + Guess / 50 + 1024);
    S.next_in = const_cast<char*>(Plain);
    S.avail_in = static_cast<unsigned>(Count);
    for (;;) {
        const std::size_t Made = S.total_out_lo32;
        S.next_out = reinterpret_cast<char*>(Out.Stream.data() + Made);
        S.avail_out = static_cast<unsigned>(Out.Stream.size() - Made);
        R = BZ2_bzCompress(&S, BZ_FINISH);
        if (R < 0)
            throw EBZCompressionError(ErrorText(R));
        if (R == BZ_STREAM_END)
            break;
        if (S.avail_out == 0)
            Out.Stream.resize(Out.Stream.size() * 2);
    }
    if (!LocateBlock(Out, S.total_out_lo32))
        throw EBZCompressionError("The compressed data of a block has no end marker where a block ends");
}

TBZBlockWriter::TBZBlockWriter(int BlockSize100k, int Workers, TEmit Emit)
    : FBlockSize100k(BlockSize100k), FWorkerCount(static_cast<std::size_t>(std::max(Workers, 1))),
      FMaxBlocks(2 * FWorkerCount), FMaxPlainInFlight(FMaxBlocks * PlainPerBlock), FEmit(std::move(Emit)),
      FCutter(BlockSize100k), FSplicer(BlockSize100k)
{
}

TBZBlockWriter::~TBZBlockWriter() { StopWorkers(); }

template <typename F>
void TBZBlockWriter::Guarded(F&& Action)
{
    if (FFailure)
        std::rethrow_exception(FFailure);
    try {
        Action();
    } catch (...) {
        FFailure = std::current_exception();
        throw;
    }
}

void TBZBlockWriter::Write(const void* Buffer, std::int64_t Count)
{
    Guarded([&] {
        const char* P = static_cast<const char*>(Buffer);
        while (Count > 0) {
            const std::size_t Piece = static_cast<std::size_t>(std::min<std::int64_t>(Count, 1 << 30));
            const std::size_t Cut = FCutter.NextCut(reinterpret_cast<const unsigned char*>(P), Piece);
            FCurrent.insert(FCurrent.end(), P, P + Cut);
            FPlainBytes += static_cast<std::int64_t>(Cut);
            P += Cut;
            Count -= static_cast<std::int64_t>(Cut);
            if (Cut < Piece)
                EndBlock();
        }
    });
}

void TBZBlockWriter::EndBlock()
{
    if (FWorkers.empty())
        StartWorkers();
    auto Block = std::make_unique<TBlock>();
    Block->Plain.swap(FCurrent);
    FCurrent.reserve(std::min<std::size_t>(Block->Plain.size(), PlainPerBlock));
    {
        std::lock_guard<std::mutex> L(FLock);
        FPlainInFlight += Block->Plain.size();
        FQueue.push_back(Block.get());
        FWindow.push_back(std::move(Block));
    }
    FWorkReady.notify_one();
    WriteFinished(false);
}

void TBZBlockWriter::StartWorkers()
{
    try {
        for (std::size_t I = 0; I < FWorkerCount; ++I)
            FWorkers.emplace_back([this] { Work(); });
    } catch (const std::system_error& E) {
        // Fewer threads still make the same stream; none make none.
        if (FWorkers.empty())
            throw EBZCompressionError(std::string("Cannot start a compression thread: ") + E.what());
    }
}

void TBZBlockWriter::StopWorkers()
{
    {
        std::lock_guard<std::mutex> L(FLock);
        FStop = true;
    }
    FWorkReady.notify_all();
    for (std::thread& T : FWorkers)
        T.join();
    FWorkers.clear();
}

void TBZBlockWriter::Work()
{
    TBZReusedMemory Memory;
    std::unique_lock<std::mutex> L(FLock);
    for (;;) {
        FWorkReady.wait(L, [this] { return FStop || !FQueue.empty(); });
        if (FStop)
            return;
        TBlock* Block = FQueue.front();
        FQueue.pop_front();
        L.unlock();
        std::exception_ptr Failure;
        try {
            PackBlock(Block->Plain.data(), Block->Plain.size(), FBlockSize100k, Memory, Block->Packed);
        } catch (...) {
            Failure = std::current_exception();
        }
        const std::size_t Plain = Block->Plain.size();
        std::vector<char>().swap(Block->Plain);
        L.lock();
        Block->Done = true;
        FPlainInFlight -= Plain;
        if (Failure && !FWorkerFailure)
            FWorkerFailure = Failure;
        FBlockDone.notify_one();
    }
}

void TBZBlockWriter::WriteFinished(bool All)
{
    for (;;) {
        std::unique_ptr<TBlock> Ready;
        {
            std::unique_lock<std::mutex> L(FLock);
            for (;;) {
                if (FWorkerFailure)
                    std::rethrow_exception(FWorkerFailure);
                if (!FWindow.empty() && FWindow.front()->Done) {
                    Ready = std::move(FWindow.front());
                    FWindow.pop_front();
                    break;
                }
                const bool Room = FWindow.size() < FMaxBlocks && FPlainInFlight <= FMaxPlainInFlight;
                if (All ? FWindow.empty() : Room)
                    return;
                FBlockDone.wait(L);
            }
        }
        Splice(*Ready);
    }
}

void TBZBlockWriter::Splice(const TBlock& Block)
{
    const TBZPackedBlock& P = Block.Packed;
    FSplicer.AddBlock(P.Stream.data() + P.FirstBit / 8, P.BitCount, P.CRC);
    EmitWhole();
}

void TBZBlockWriter::EmitWhole()
{
    std::vector<unsigned char>& Bytes = FSplicer.Bytes();
    const std::size_t Whole = Bytes.size() / EmitPiece * EmitPiece;
    if (Whole == 0)
        return;
    for (std::size_t At = 0; At < Whole; At += EmitPiece)
        FEmit(Bytes.data() + At, EmitPiece);
    Bytes.erase(Bytes.begin(), Bytes.begin() + static_cast<std::ptrdiff_t>(Whole));
}

void TBZBlockWriter::Finish()
{
    if (FFinished && !FFailure)
        return;
    Guarded([&] {
        FFinished = true;
        if (!FCurrent.empty()) {
            if (FWorkers.empty()) {
                // The whole stream is one block: no thread is worth starting.
                TBlock Block;
                TBZReusedMemory Memory;
                PackBlock(FCurrent.data(), FCurrent.size(), FBlockSize100k, Memory, Block.Packed);
                Splice(Block);
            } else {
                EndBlock();
            }
        }
        WriteFinished(true);
        StopWorkers();
        FSplicer.Finish();
        EmitWhole();
        std::vector<unsigned char>& Rest = FSplicer.Bytes();
        if (!Rest.empty())
            FEmit(Rest.data(), Rest.size());
        Rest.clear();
    });
}
