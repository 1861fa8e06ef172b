#include "bzip2_tool.h"

#include "test_dirs.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Runs "bzip2 Options" on the data, keeping what it writes when Decoding.
TBzip2Verdict RunBzip2(const std::string& Compressed, const std::string& Options, bool Decoding)
{
    TBzip2Verdict V;
    V.Found = std::system("command -v bzip2 >/dev/null 2>&1") == 0;
    if (!V.Found)
        return V;
    const std::string Dir = ScratchDir();
    WriteWholeFile(Dir + "/in.bz2", Compressed);
    const std::string Out = Decoding ? "'" + Dir + "/out'" : "/dev/null";
    const std::string Command = "bzip2 " + Options + " '" + Dir + "/in.bz2' > " + Out + " 2> '" + Dir + "/complaint'";
    const int Status = std::system(Command.c_str());
    if (Status == -1) {
        V.Message = "the shell for \"" + Command + "\" did not start: " + std::strerror(errno);
        return V;
    }
    V.Accepted = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
    if (!V.Accepted)
        V.Message = "\"" + Command + "\" ended with status " + std::to_string(Status) + ": " +
                    ReadWholeFile(Dir + "/complaint");
    else if (Decoding)
        V.Plain = ReadWholeFile(Dir + "/out");
    return V;
}

} // namespace

TBzip2Verdict DecodeWithBzip2Tool(const std::string& Compressed) { return RunBzip2(Compressed, "-dc", true); }

TBzip2Verdict TestWithBzip2Tool(const std::string& Compressed) { return RunBzip2(Compressed, "-t", false); }
