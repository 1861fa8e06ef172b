#include "test_dirs.h"

#include "system_error.h"

#include <windows.h>

std::string HostPath(std::string Path) { return Path; }

std::string HostJoin(const std::string& Dir, const std::string& Name) { return Dir + "\\" + Name; }

std::string SystemText(int, unsigned long WindowsError)
{
    SetLastError(WindowsError);
    return LastSystemError();
}
