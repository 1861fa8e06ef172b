#include "test_dirs.h"

#include "posix_path.h"
#include "system_error.h"

#include <cerrno>

std::string HostPath(std::string Path) { return NativePath(std::move(Path)); }

std::string HostJoin(const std::string& Dir, const std::string& Name) { return Dir + "/" + Name; }

std::string SystemText(int PosixError, unsigned long)
{
    errno = PosixError;
    return LastSystemError();
}
