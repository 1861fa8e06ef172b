#pragma once

#include "object.h"

#include <cstdint>
#include <string>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A seekable byte stream with 64-bit positions. Read and Write may move fewer
// bytes than asked; ReadBuffer and WriteBuffer are exact and raise otherwise.
class TStream : public TObject {
public:

    virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t NewSize) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }

    void ReadBuffer(void* Buffer, std::int64_t Count);
    void WriteBuffer(const void* Buffer, std::int64_t Count);

    // Copies Count bytes from Source's position; Count 0 copies all of Source
    // from its beginning. Answers the number of bytes copied.
    std::int64_t CopyFrom(TStream& Source, std::int64_t Count);

    // Little-endian fixed-width fields, exact like ReadBuffer/WriteBuffer.
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    void WriteU8(std::uint8_t V);
    void WriteU16(std::uint16_t V);
    void WriteU32(std::uint32_t V);

    // Count bytes as a string; the bytes must be there.
    std::string ReadString(std::int64_t Count);
    void WriteString(const std::string& S) { WriteBuffer(S.data(), static_cast<std::int64_t>(S.size())); }
};
