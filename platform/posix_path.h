#pragma once

#include <string>

// The system names files the Windows way; on POSIX a "\" is a directory separator.
inline std::string NativePath(std::string Path)
{
    for (char& C : Path)
        if (C == '\\')
            C = '/';
    return Path;
}
