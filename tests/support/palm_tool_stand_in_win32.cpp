// Stand-in for the Palm install tool, started once per file: "<tool> <file>".
//
// Each run writes its start record (command line, current directory, arguments)
// into the directory BRINDLO_PALMTOOL_RECORD names, in a file named after its
// process's creation time (20 digits) and its process id: sorted by name, the
// records come in the order the runs were started, however the runs overlap.
#include "stand_in_record.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::string Dir = StandInSetting("BRINDLO_PALMTOOL_RECORD");
    if (Dir.empty())
        return 2;
    FILETIME Created, Exited, Kernel, User;
    if (!GetProcessTimes(GetCurrentProcess(), &Created, &Exited, &Kernel, &User))
        return 3;
    const unsigned long long Ticks =
        (static_cast<unsigned long long>(Created.dwHighDateTime) << 32) | Created.dwLowDateTime;
    char Name[64];
    std::snprintf(Name, sizeof Name, "%020llu-%lu.txt", Ticks, static_cast<unsigned long>(GetCurrentProcessId()));
    return WriteRecordAtOnce(Dir + "\\" + Name, StartRecord(argc, argv)) ? 0 : 4;
}
