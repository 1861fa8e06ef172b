#include "file_stream.h"

#include "exceptions.h"
#include "system_error.h"
#include "posix_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : FFileName(FileName)
{
    const std::string Native = NativePath(FileName);
    int Fd;
    if (Mode == fmCreate) {
        Fd = ::open(Native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (Fd < 0)
            throw EFCreateError("Cannot create file " + FileName + ": " + LastSystemError());
    } else {
        const unsigned Access = Mode & 0x3;
        const int Flags = Access == fmOpenRead ? O_RDONLY : Access == fmOpenWrite ? O_WRONLY : O_RDWR;
        Fd = ::open(Native.c_str(), Flags | O_CLOEXEC);
        if (Fd >= 0) {
            struct stat St;
            const int Why = ::fstat(Fd, &St) != 0 ? errno : S_ISDIR(St.st_mode) ? EISDIR : 0;
            if (Why != 0) {
                ::close(Fd);
                Fd = -1;
                errno = Why;
            }
        }
        if (Fd < 0)
            throw EFOpenError("Cannot open file " + FileName + ": " + LastSystemError());
    }
    FHandle = Fd;
}

TFileStream::~TFileStream() { ::close(static_cast<int>(FHandle)); }

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    ssize_t Got;
    do
        Got = ::read(static_cast<int>(FHandle), Buffer, static_cast<size_t>(Count > 0x40000000 ? 0x40000000 : Count));
    while (Got < 0 && errno == EINTR);
    if (Got < 0)
        throw EReadError("Cannot read file " + FFileName + ": " + LastSystemError());
    return Got;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    ssize_t Put;
    do
        Put = ::write(static_cast<int>(FHandle), Buffer, static_cast<size_t>(Count > 0x40000000 ? 0x40000000 : Count));
    while (Put < 0 && errno == EINTR);
    if (Put < 0)
        throw EWriteError("Cannot write file " + FFileName + ": " + LastSystemError());
    return Put;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    const int Whence = Origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : Origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t R = ::lseek(static_cast<int>(FHandle), static_cast<off_t>(Offset), Whence);
    if (R < 0)
        throw EStreamError("Seek error in " + FFileName + ": " + LastSystemError());
    return R;
}

void TFileStream::SetSize(std::int64_t NewSize)
{
    if (NewSize < 0)
        errno = EINVAL;
    if (NewSize < 0 || ::ftruncate(static_cast<int>(FHandle), static_cast<off_t>(NewSize)) != 0)
        throw EWriteError("Cannot change the size of " + FFileName + ": " + LastSystemError());
    if (Position() > NewSize)
        Seek(NewSize, TSeekOrigin::soBeginning);
}
