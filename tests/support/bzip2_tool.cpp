#include "bzip2_tool.h"

#include "test_dirs.h"

#ifndef _WIN32
#include <cstdio>
#include <cstdlib>
#endif

bool DecodeWithBzip2Tool(const std::string& Compressed, std::string& Plain)
{
#ifdef _WIN32
    (void)Compressed;
    (void)Plain;
    return false;
#else
    const std::string Dir = ScratchDir();
    WriteWholeFile(Dir + "/in.bz2", Compressed);
    const std::string Command = "bzip2 -dc '" + Dir + "/in.bz2' > '" + Dir + "/out' 2>/dev/null";
    if (std::system(Command.c_str()) != 0)
        return false;
    Plain = ReadWholeFile(Dir + "/out");
    return true;
#endif
}
