#include "file_stream.h"

#include "exceptions.h"
#include "system_error.h"

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t H) { return reinterpret_cast<HANDLE>(H); }

DWORD ShareOf(unsigned Mode)
{
    switch (Mode & 0xF0) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : FFileName(FileName)
{
    HANDLE H;
    if (Mode == fmCreate) {
        H = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (H == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file " + FileName + ": " + LastSystemError());
    } else {
        const unsigned Access = Mode & 0x3;
        const DWORD Desired = Access == fmOpenRead    ? GENERIC_READ
                              : Access == fmOpenWrite ? GENERIC_WRITE
                                                      : GENERIC_READ | GENERIC_WRITE;
        H = CreateFileA(FileName.c_str(), Desired, ShareOf(Mode), nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
        if (H == INVALID_HANDLE_VALUE)
            throw EFOpenError("Cannot open file " + FileName + ": " + LastSystemError());
    }
    FHandle = reinterpret_cast<std::intptr_t>(H);
}

TFileStream::~TFileStream() { CloseHandle(AsHandle(FHandle)); }

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    const DWORD Want = Count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(Count);
    DWORD Got = 0;
    if (!ReadFile(AsHandle(FHandle), Buffer, Want, &Got, nullptr))
        throw EReadError("Cannot read file " + FFileName + ": " + LastSystemError());
    return Got;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    const DWORD Want = Count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(Count);
    DWORD Put = 0;
    if (!WriteFile(AsHandle(FHandle), Buffer, Want, &Put, nullptr))
        throw EWriteError("Cannot write file " + FFileName + ": " + LastSystemError());
    return Put;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    const DWORD Method = Origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                         : Origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                            : FILE_END;
    LARGE_INTEGER Distance, Result;
    Distance.QuadPart = Offset;
    if (!SetFilePointerEx(AsHandle(FHandle), Distance, &Result, Method))
        throw EStreamError("Seek error in " + FFileName + ": " + LastSystemError());
    return Result.QuadPart;
}

void TFileStream::SetSize(std::int64_t NewSize)
{
    const std::int64_t Pos = Position();
    Seek(NewSize, TSeekOrigin::soBeginning);
    if (!SetEndOfFile(AsHandle(FHandle)))
        throw EWriteError("Cannot change the size of " + FFileName + ": " + LastSystemError());
    if (Pos < NewSize)
        Seek(Pos, TSeekOrigin::soBeginning);
}
