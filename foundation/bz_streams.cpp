#include "bz_streams.h"

#include "bz_block_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr std::size_t BufferSize = 65536;
constexpr int MaxWorkers = 64;
// Beyond this the one thread that reads and cuts the input is the limit, and a
// 32-bit process's memory would be spent on idle compressors.
constexpr int MaxDefaultWorkers = 16;

std::atomic<int> Workers{0};
std::atomic<TBZAllocationFault> AllocationFault{nullptr};

void* BZAlloc(void*, int Items, int Size)
{
    if (Items <= 0 || Size <= 0)
        return nullptr;
    return BZHeapAllocate(static_cast<std::size_t>(Items) * static_cast<std::size_t>(Size));
}

void BZFree(void*, void* P) { std::free(P); }

std::string ErrorText(int Code) { return "error " + std::to_string(Code); }

const char* const InvalidOperation = "Invalid stream operation";

std::int64_t Total(unsigned Lo, unsigned Hi) { return static_cast<std::int64_t>((static_cast<std::uint64_t>(Hi) << 32) | Lo); }

} // namespace

int BZCompressionWorkers()
{
    const int Set = Workers.load();
    if (Set > 0)
        return Set;
    const unsigned Cores = std::thread::hardware_concurrency();
    return Cores == 0 ? 1 : std::min(static_cast<int>(Cores), MaxDefaultWorkers);
}

void SetBZCompressionWorkers(int N) { Workers.store(std::clamp(N, 0, MaxWorkers)); }

void* BZHeapAllocate(std::size_t Bytes)
{
    const TBZAllocationFault Fault = AllocationFault.load();
    if (Fault && Fault(Bytes))
        return nullptr;
    return std::malloc(Bytes);
}

void SetBZAllocationFault(TBZAllocationFault Fault) { AllocationFault.store(Fault); }

TCustomBZip2Stream::TCustomBZip2Stream(TStream& S) : Strm(S), StrmPos(S.Position()), Buffer(BufferSize)
{
    std::memset(&FBZRec, 0, sizeof FBZRec);
    FBZRec.bzalloc = BZAlloc;
    FBZRec.bzfree = BZFree;
}

void TCustomBZip2Stream::SetSize(std::int64_t) { throw EBZip2Error(InvalidOperation); }

void TCustomBZip2Stream::RestoreStrmPosition()
{
    if (Strm.Position() != StrmPos)
        Strm.SetPosition(StrmPos);
}

void TCustomBZip2Stream::Progress()
{
    if (OnProgress)
        OnProgress(this);
}

TBZCompressionStream::TBZCompressionStream(int BlockSize, TStream& Dest, int Workers) : TCustomBZip2Stream(Dest)
{
    if (BlockSize < 0 || BlockSize > 8)
        throw EBZCompressionError(ErrorText(BZ_PARAM_ERROR));
    if (Workers > 1) {
        FBlocks = std::make_unique<TBZBlockWriter>(BlockSize + 1, Workers,
                                                   [this](const unsigned char* Bytes, std::size_t Count) { Emit(Bytes, Count); });
        return;
    }
    FBZRec.next_out = Buffer.data();
    FBZRec.avail_out = BufferSize;
    const int R = BZ2_bzCompressInit(&FBZRec, BlockSize + 1, 0, 0);
    if (R < 0)
        throw EBZCompressionError(ErrorText(R));
}

TBZCompressionStream::~TBZCompressionStream()
{
    if (!FFinished) {
        try {
            Finish();
        } catch (...) {
            // A destructor must not throw; whoever needed the data called Finish.
        }
    }
    if (!FBlocks)
        BZ2_bzCompressEnd(&FBZRec);
}

std::int64_t TBZCompressionStream::Read(void*, std::int64_t) { throw EBZCompressionError(InvalidOperation); }

void TBZCompressionStream::FlushBuffer(std::size_t Count)
{
    if (Count > 0)
        Strm.WriteBuffer(Buffer.data(), static_cast<std::int64_t>(Count));
    StrmPos = Strm.Position();
    FBZRec.next_out = Buffer.data();
    FBZRec.avail_out = BufferSize;
}

void TBZCompressionStream::Emit(const unsigned char* Bytes, std::size_t Count)
{
    RestoreStrmPosition();
    Strm.WriteBuffer(Bytes, static_cast<std::int64_t>(Count));
    StrmPos = Strm.Position();
}

std::int64_t TBZCompressionStream::Write(const void* Buf, std::int64_t Count)
{
    if (FFinished)
        throw EBZCompressionError(InvalidOperation);
    if (Count <= 0)
        return 0;
    if (FBlocks) {
        FBlocks->Write(Buf, Count);
        Progress();
        return Count;
    }
    RestoreStrmPosition();
    const char* P = static_cast<const char*>(Buf);
    std::int64_t Left = Count;
    while (Left > 0) {
        // The library counts in 32 bits.
        const unsigned Piece = static_cast<unsigned>(Left > 0x40000000 ? 0x40000000 : Left);
        FBZRec.next_in = const_cast<char*>(P);
        FBZRec.avail_in = Piece;
        while (FBZRec.avail_in > 0) {
            const int R = BZ2_bzCompress(&FBZRec, BZ_RUN);
            if (R < 0)
                throw EBZCompressionError(ErrorText(R));
            if (FBZRec.avail_out == 0)
                FlushBuffer(BufferSize);
            Progress();
        }
        P += Piece;
        Left -= Piece;
    }
    return Count;
}

std::int64_t TBZCompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == TSeekOrigin::soCurrent)
        return FBlocks ? FBlocks->PlainBytes() : Total(FBZRec.total_in_lo32, FBZRec.total_in_hi32);
    throw EBZCompressionError(InvalidOperation);
}

void TBZCompressionStream::Finish()
{
    if (FFinished) {
        if (FFinishFailure)
            std::rethrow_exception(FFinishFailure);
        return;
    }
    FFinished = true;
    try {
        FinishStream();
    } catch (...) {
        FFinishFailure = std::current_exception();
        throw;
    }
}

void TBZCompressionStream::FinishStream()
{
    if (FBlocks) {
        FBlocks->Finish();
        Progress();
        return;
    }
    FBZRec.next_in = nullptr;
    FBZRec.avail_in = 0;
    RestoreStrmPosition();
    for (;;) {
        const int R = BZ2_bzCompress(&FBZRec, BZ_FINISH);
        if (R < 0)
            throw EBZCompressionError(ErrorText(R));
        if (R == BZ_STREAM_END)
            break;
        if (FBZRec.avail_out == 0)
            FlushBuffer(BufferSize);
    }
    FlushBuffer(BufferSize - FBZRec.avail_out);
}

TBZDecompressionStream::TBZDecompressionStream(TStream& Source) : TCustomBZip2Stream(Source), FStartPos(StrmPos)
{
    const int R = BZ2_bzDecompressInit(&FBZRec, 0, 0);
    if (R < 0)
        throw EBZDecompressionError(ErrorText(R));
}

TBZDecompressionStream::~TBZDecompressionStream() { BZ2_bzDecompressEnd(&FBZRec); }

std::int64_t TBZDecompressionStream::Delivered() const { return Total(FBZRec.total_out_lo32, FBZRec.total_out_hi32); }

std::int64_t TBZDecompressionStream::Read(void* Buf, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    RestoreStrmPosition();
    const unsigned Want = static_cast<unsigned>(Count > 0x40000000 ? 0x40000000 : Count);
    FBZRec.next_out = static_cast<char*>(Buf);
    FBZRec.avail_out = Want;
    while (FBZRec.avail_out > 0) {
        if (FBZRec.avail_in == 0) {
            const std::int64_t Got = Strm.Read(Buffer.data(), BufferSize);
            if (Got <= 0)
                return Want - FBZRec.avail_out;
            StrmPos = Strm.Position();
            FBZRec.next_in = Buffer.data();
            FBZRec.avail_in = static_cast<unsigned>(Got);
        }
        const int R = BZ2_bzDecompress(&FBZRec);
        if (R < 0)
            throw EBZDecompressionError(ErrorText(R));
        if (R == BZ_STREAM_END)
            FEnded = true;
        Progress();
    }
    return Want;
}

bool TBZDecompressionStream::AtStreamEnd()
{
    if (FEnded)
        return true;
    // The library may report the end only on the call after the last byte.
    char Probe;
    RestoreStrmPosition();
    for (;;) {
        FBZRec.next_out = &Probe;
        FBZRec.avail_out = 1;
        if (FBZRec.avail_in == 0) {
            const std::int64_t Got = Strm.Read(Buffer.data(), BufferSize);
            if (Got <= 0)
                return false;
            StrmPos = Strm.Position();
            FBZRec.next_in = Buffer.data();
            FBZRec.avail_in = static_cast<unsigned>(Got);
        }
        const int R = BZ2_bzDecompress(&FBZRec);
        if (R < 0)
            throw EBZDecompressionError(ErrorText(R));
        if (FBZRec.avail_out == 0)
            return false; // a plain byte more than the reader expected
        if (R == BZ_STREAM_END) {
            FEnded = true;
            return true;
        }
    }
}

std::int64_t TBZDecompressionStream::Write(const void*, std::int64_t) { throw EBZDecompressionError(InvalidOperation); }

void TBZDecompressionStream::Restart()
{
    int R = BZ2_bzDecompressEnd(&FBZRec);
    if (R < 0)
        throw EBZDecompressionError(ErrorText(R));
    std::memset(&FBZRec, 0, sizeof FBZRec);
    FBZRec.bzalloc = BZAlloc;
    FBZRec.bzfree = BZFree;
    R = BZ2_bzDecompressInit(&FBZRec, 0, 0);
    if (R < 0)
        throw EBZDecompressionError(ErrorText(R));
    FEnded = false;
    StrmPos = FStartPos;
    Strm.SetPosition(FStartPos);
}

std::int64_t TBZDecompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == TSeekOrigin::soBeginning) {
        Restart();
        return 0;
    }
    std::int64_t Skip;
    if (Origin == TSeekOrigin::soCurrent && Offset >= 0)
        Skip = Offset;
    else if (Origin == TSeekOrigin::soBeginning && Offset > Delivered())
        Skip = Offset - Delivered();
    else
        throw EBZDecompressionError(InvalidOperation);
    char Piece[4096];
    while (Skip > 0) {
        const std::int64_t N = Skip > static_cast<std::int64_t>(sizeof Piece) ? sizeof Piece : Skip;
        ReadBuffer(Piece, N);
        Skip -= N;
    }
    return Delivered();
}
