#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Where the bzip2 library ends a block. It fills a block with the run-length-encoded
// form of its input (a run of 1 to 3 equal bytes takes as many, a run of 4 to 255
// takes 5) and ends it as soon as a new run has pushed the block to
// 100000 x level - 19 bytes or more; that run's first byte begins the next block.
class TBZBlockCutter {
public:
    explicit TBZBlockCutter(int BlockSize100k);

    // Where among these Count bytes the next block begins, or Count when they all
    // belong to the current one. After a cut the cutter stands at the beginning of a
    // block, so the caller scans on from the byte it answered.
    std::size_t NextCut(const unsigned char* Bytes, std::size_t Count);

private:
    std::int64_t FLimit;
    std::int64_t FFilled = 0; // encoded bytes in the block, the open run not yet counted
    int FRunByte = 256;       // none
    int FRunLength = 0;
};

// One bzip2 stream made of blocks compressed elsewhere: the header, the blocks'
// bits back to back (blocks are not byte-aligned), the end-of-stream marker with the
// CRC combined from the blocks' CRCs, zero bits up to the next byte.
class TBZStreamSplicer {
public:
    explicit TBZStreamSplicer(int BlockSize100k);

    void AddBlock(const unsigned char* Bits, std::uint64_t BitCount, std::uint32_t BlockCRC);
    void Finish();

    // The whole bytes made so far; the caller takes them away as it likes.
    std::vector<unsigned char>& Bytes() { return FBytes; }

private:
    void AppendBits(const unsigned char* Bits, std::uint64_t BitCount);

    std::vector<unsigned char> FBytes;
    unsigned FPending = 0; // the bits of an unfinished byte, from its top
    int FPendingBits = 0;
    std::uint32_t FCombinedCRC = 0;
};

// A block as the library compresses it alone: a stream of one block, and where that
// block's bits lie in it.
struct TBZPackedBlock {
    std::vector<unsigned char> Stream;
    std::uint64_t FirstBit = 0;
    std::uint64_t BitCount = 0;
    std::uint32_t CRC = 0;
};

// Memory for the library that one thread keeps from block to block: the library
// asks for the same few large pieces for every block it compresses.
class TBZReusedMemory {
public:
    TBZReusedMemory() = default;
    ~TBZReusedMemory();
    TBZReusedMemory(const TBZReusedMemory&) = delete;
    TBZReusedMemory& operator=(const TBZReusedMemory&) = delete;

    void* Allocate(std::size_t Bytes);
    void Release(void* P);

private:
    struct TPiece {
        void* P;
        std::size_t Bytes;
        bool InUse;
    };
    std::vector<TPiece> FPieces;
};

// Compresses the bytes of one block, which must not be more than the library puts
// in one block, and finds the block in the library's output. Raises
// EBZCompressionError when the library fails.
void PackBlock(const char* Plain, std::size_t Count, int BlockSize100k, TBZReusedMemory& Memory, TBZPackedBlock& Out);

// Writes the bzip2 stream of the bytes given to it with its blocks compressed on
// worker threads, byte for byte the stream that the library writes alone: the input
// is cut where the library would end each block, every block is compressed by the
// library by itself, and the blocks are spliced in order. At most two blocks per
// worker are in flight. Output leaves through Emit, on the caller's thread only.
class TBZBlockWriter {
public:
    using TEmit = std::function<void(const unsigned char* Bytes, std::size_t Count)>;

    TBZBlockWriter(int BlockSize100k, int Workers, TEmit Emit);
    // Stops the workers; what was not finished is dropped.
    ~TBZBlockWriter();
    TBZBlockWriter(const TBZBlockWriter&) = delete;
    TBZBlockWriter& operator=(const TBZBlockWriter&) = delete;

    // A failure of a worker raises here or in Finish, and again on every later call.
    void Write(const void* Buffer, std::int64_t Count);
    // Compresses what is left and ends the stream; the workers are then gone.
    void Finish();

    std::int64_t PlainBytes() const { return FPlainBytes; }

private:
    struct TBlock {
        std::vector<char> Plain;
        TBZPackedBlock Packed;
        bool Done = false;
    };

    template <typename F>
    void Guarded(F&& Action);
    void EndBlock();
    void StartWorkers();
    void StopWorkers();
    void Work();
    // Splices every finished block at the front; waits until there is room for
    // another block, or, with All, until every block is spliced.
    void WriteFinished(bool All);
    void Splice(const TBlock& Block);
    void EmitWhole();

    const int FBlockSize100k;
    const std::size_t FWorkerCount;
    const std::size_t FMaxBlocks;
    const std::size_t FMaxPlainInFlight;
    TEmit FEmit;
    TBZBlockCutter FCutter;
    TBZStreamSplicer FSplicer;
    std::vector<char> FCurrent;
    std::int64_t FPlainBytes = 0;
    bool FFinished = false;
    std::exception_ptr FFailure;

    std::mutex FLock;
    std::condition_variable FWorkReady;
    std::condition_variable FBlockDone;
    // Guarded by FLock: the blocks in stream order, those not yet taken by a worker,
    // the plain bytes not yet compressed, the first failure of a worker.
    std::deque<std::unique_ptr<TBlock>> FWindow;
    std::deque<TBlock*> FQueue;
    std::size_t FPlainInFlight = 0;
    std::exception_ptr FWorkerFailure;
    bool FStop = false;
    std::vector<std::thread> FWorkers;
};
