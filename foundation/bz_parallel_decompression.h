#pragma once

#include "bz_streams.h"

#include <cstdint>
#include <memory>
#include <vector>

// What is wrong with a bzip2 stream that could not be decoded.
enum class TBZDamage {
    NotBZip2, // it does not begin as a bzip2 stream
    BadBlock, // a block cannot be decoded or fails its own checksum
    CutShort, // the compressed bytes end before the stream's end marker
    Checksum, // the stream's checksum over all blocks does not match
};

class EBZDamagedError : public EBZDecompressionError {
public:
    EBZDamagedError(const std::string& Message, TBZDamage Kind) : EBZDecompressionError(Message), FKind(Kind) {}
    TBZDamage Kind() const { return FKind; }

private:
    TBZDamage FKind;
};

// Whether Head (the first bytes of some data) begins as a bzip2 stream: "BZh", the
// block-size digit and the mark of a first block or of the end.
bool LooksLikeBZip2(const unsigned char* Head, std::size_t Size);

// Delivers the plain bytes of the bzip2 stream in Source (from its position to its
// end), decoding its blocks side by side on worker threads: a bzip2 stream is a row of
// independent blocks, each with a 48-bit mark in front of it. A reader thread finds the
// marks; a chunk between two marks is decoded as a stream of its own, and a chunk that
// does not decode is joined with the next one, since the mark may have been a chance
// match inside a block. The bytes come out in stream order. Damage raises
// EBZDamagedError when the reader reaches it, after every byte in front of it.
// Source is read only by the reader thread while this stream lives.
class TBZParallelDecompressionStream : public TStream {
public:
    // Workers 0 decodes on the caller's thread, the reader included (for small data,
    // where threads cost more than they give). ChanceMarks (sorted bit positions) are
    // taken as marks as well, as chance matches would be: for tests.
    TBZParallelDecompressionStream(TStream& Source, unsigned Workers,
                                            std::vector<std::uint64_t> ChanceMarks = {});
    ~TBZParallelDecompressionStream() override;
    TBZParallelDecompressionStream(const TBZParallelDecompressionStream&) = delete;
    TBZParallelDecompressionStream& operator=(const TBZParallelDecompressionStream&) = delete;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // Only the position: Offset 0 from the current position answers the bytes delivered.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(std::int64_t NewSize) override;

    // Whether the stream ends exactly here, its checksum checked: no plain byte is left.
    bool AtStreamEnd();

    class TState;

private:
    std::unique_ptr<TState> FState;
};
