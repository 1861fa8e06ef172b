#include "bzip2_tool.h"

#include "test_dirs.h"

#include <cstdlib>

bool DecodeWithBzip2Tool(const std::string& Compressed, std::string& Plain)
{
    const std::string Dir = ScratchDir();
    WriteWholeFile(Dir + "/in.bz2", Compressed);
    const std::string Command = "bzip2 -dc '" + Dir + "/in.bz2' > '" + Dir + "/out' 2>/dev/null";
    if (std::system(Command.c_str()) != 0)
        return false;
    Plain = ReadWholeFile(Dir + "/out");
    return true;
}

bool TestWithBzip2Tool(const std::string& Compressed, bool& Ran)
{
    Ran = std::system("bzip2 --help >/dev/null 2>&1") == 0;
    if (!Ran)
        return false;
    const std::string Dir = ScratchDir();
    WriteWholeFile(Dir + "/test.bz2", Compressed);
    return std::system(("bzip2 -t '" + Dir + "/test.bz2' 2>/dev/null").c_str()) == 0;
}
