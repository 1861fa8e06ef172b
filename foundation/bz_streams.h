#pragma once

#include "exceptions.h"
#include "stream.h"

#include <bzlib.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <vector>

class TBZBlockWriter;

class EBZip2Error : public Exception {
public:
    using Exception::Exception;
};

class EBZCompressionError : public EBZip2Error {
public:
    using EBZip2Error::EBZip2Error;
};

class EBZDecompressionError : public EBZip2Error {
public:
    using EBZip2Error::EBZip2Error;
};

// How many threads compress the streams that the archive and the data bag write:
// the machine's cores (16 at most) unless set. Setting 0 gives the cores again.
int BZCompressionWorkers();
void SetBZCompressionWorkers(int Workers);

// The program's heap, from which the library's memory comes. While a fault is set,
// a request for which it answers true gets nothing (tests make the library fail so).
void* BZHeapAllocate(std::size_t Bytes);
using TBZAllocationFault = bool (*)(std::size_t Bytes);
void SetBZAllocationFault(TBZAllocationFault Fault);

// The bzip2 library behind the stream interface; one standard bzip2 stream per object.
class TCustomBZip2Stream : public TStream {
public:
    ~TCustomBZip2Stream() override = default;
    TCustomBZip2Stream(const TCustomBZip2Stream&) = delete;
    TCustomBZip2Stream& operator=(const TCustomBZip2Stream&) = delete;

    void SetSize(std::int64_t NewSize) override;

    // Fired after every call into the library.
    TNotifyEvent OnProgress;

protected:
    explicit TCustomBZip2Stream(TStream& Strm);
    // Somebody else may have moved Strm since our last read or write.
    void RestoreStrmPosition();
    void Progress();

    TStream& Strm;
    std::int64_t StrmPos;
    bz_stream FBZRec;
    std::vector<char> Buffer;
};

// Compresses what is written to it into Dest. The compressed form is complete only
// after Finish (the destructor finishes when nobody did, and swallows errors there).
// With more than one worker the blocks are compressed on that many threads into the
// very bytes one thread writes; OnProgress then fires on the writing thread, after
// each Write and when Finish is done.
class TBZCompressionStream : public TCustomBZip2Stream {
public:
    // BlockSize is a code 0..8 for the bzip2 block sizes 1..9.
    TBZCompressionStream(int BlockSize, TStream& Dest, int Workers = 1);
    ~TBZCompressionStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // Only the position: Offset 0 from the current position answers the bytes written so far.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    // Ends the bzip2 stream and writes what is left; Dest is then right after it.
    void Finish();

private:
    void FinishStream();
    void FlushBuffer(std::size_t Count);
    void Emit(const unsigned char* Bytes, std::size_t Count);
    bool FFinished = false;
    // A finish that failed keeps failing: the stream it was to end is not whole.
    std::exception_ptr FFinishFailure;
    std::unique_ptr<TBZBlockWriter> FBlocks;
};

// Delivers the plain bytes of the bzip2 stream that starts at Source's position.
class TBZDecompressionStream : public TCustomBZip2Stream {
public:
    explicit TBZDecompressionStream(TStream& Source);
    ~TBZDecompressionStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // Rewind, or skip forward; nothing else.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    // Whether the bzip2 stream ends exactly here: no plain byte is left. Readers that
    // know how many bytes they stored ask this after reading them. Damage found on the
    // way to the end (the stream's checksum) raises as Read does.
    bool AtStreamEnd();

private:
    std::int64_t Delivered() const;
    void Restart();
    std::int64_t FStartPos;
    bool FEnded = false;
};
