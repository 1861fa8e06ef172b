// Stand-in for the Pocket PC application manager: "<manager> <ini>".
//
// BRINDLO_APPMGR_RECORD names a file that receives the start record (command line,
// current directory, arguments); a copy of the .ini as it found it goes beside it
// with ".ini" appended. Then it takes a moment: until the file that
// BRINDLO_APPMGR_RELEASE names exists (at most a minute), or 300 ms without it.
// Last it writes the record's name with ".ended" appended, so a caller that did not
// wait finds no such file.
#include "stand_in_record.h"

int main(int argc, char** argv)
{
    const std::string Record = StandInSetting("BRINDLO_APPMGR_RECORD");
    if (Record.empty())
        return 2;
    const std::string Ini = argc > 1 ? ReadRecordFile(argv[1]) : std::string();
    if (!WriteRecordAtOnce(Record + ".ini", Ini) || !WriteRecordAtOnce(Record, StartRecord(argc, argv)))
        return 3;
    const std::string Release = StandInSetting("BRINDLO_APPMGR_RELEASE");
    if (Release.empty()) {
        Sleep(300);
    } else {
        for (int I = 0; I < 3000 && GetFileAttributesA(Release.c_str()) == INVALID_FILE_ATTRIBUTES; ++I)
            Sleep(20);
    }
    return WriteRecordAtOnce(Record + ".ended", "ended\n") ? 0 : 4;
}
