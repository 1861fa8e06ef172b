#include "stream.h"

#include "byte_order.h"
#include "exceptions.h"

#include <algorithm>
#include <vector>

std::int64_t TStream::Size()
{
    const std::int64_t Pos = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t End = Seek(0, TSeekOrigin::soEnd);
    Seek(Pos, TSeekOrigin::soBeginning);
    return End;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count)
{
    if (Count < 0)
        throw EReadError();
    auto* P = static_cast<char*>(Buffer);
    while (Count > 0) {
        const std::int64_t Got = Read(P, Count);
        if (Got <= 0)
            throw EReadError();
        P += Got;
        Count -= Got;
    }
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count)
{
    if (Count < 0)
        throw EWriteError();
    const auto* P = static_cast<const char*>(Buffer);
    while (Count > 0) {
        const std::int64_t Put = Write(P, Count);
        if (Put <= 0)
            throw EWriteError();
        P += Put;
        Count -= Put;
    }
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const std::int64_t Total = Count;
    std::vector<char> Chunk(static_cast<std::size_t>(std::min<std::int64_t>(Count, 64 * 1024)));
    while (Count > 0) {
        const std::int64_t N = std::min<std::int64_t>(Count, static_cast<std::int64_t>(Chunk.size()));
        Source.ReadBuffer(Chunk.data(), N);
        WriteBuffer(Chunk.data(), N);
        Count -= N;
    }
    return Total;
}

std::uint8_t TStream::ReadU8()
{
    std::uint8_t B;
    ReadBuffer(&B, 1);
    return B;
}

std::uint16_t TStream::ReadU16()
{
    unsigned char B[2];
    ReadBuffer(B, 2);
    return Le16(B);
}

std::uint32_t TStream::ReadU32()
{
    unsigned char B[4];
    ReadBuffer(B, 4);
    return Le32(B);
}

void TStream::WriteU8(std::uint8_t V) { WriteBuffer(&V, 1); }

void TStream::WriteU16(std::uint16_t V)
{
    unsigned char B[2];
    PutLe16(B, V);
    WriteBuffer(B, 2);
}

void TStream::WriteU32(std::uint32_t V)
{
    unsigned char B[4];
    PutLe32(B, V);
    WriteBuffer(B, 4);
}

std::string TStream::ReadString(std::int64_t Count)
{
    if (Count < 0)
        throw EReadError();
    // Grow with the bytes that really arrive, so a lying length cannot make us allocate.
    std::string S;
    char Chunk[4096];
    while (Count > 0) {
        const std::int64_t N = std::min<std::int64_t>(Count, sizeof Chunk);
        ReadBuffer(Chunk, N);
        S.append(Chunk, static_cast<std::size_t>(N));
        Count -= N;
    }
    return S;
}
