#pragma once

#include "stream.h"

#include <string>

// Open modes of a file stream. fmCreate creates the file or empties an existing one.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFFFF,
};

// A stream over a file, named with the system's path form ("C:\dir\file"). A read or
// write the system fails raises EReadError / EWriteError naming the file and the
// system's reason; the end of the file is a short read, as with every stream.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& FileName, unsigned Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(std::int64_t NewSize) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    // A HANDLE on Windows, a file descriptor elsewhere.
    std::intptr_t FHandle;
};
