// The PC road's unpacking, as the installer runs it, for the install benchmark:
// the uninstall log opened and given its own line, then the archive unpacked into
// the directory with every directory and file logged and the progress followed.
//   install_bench.exe <archive> <directory>
#include "archive.h"
#include "path_and_dir_helpers.h"
#include "uninstall_log.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: install_bench <archive> <directory>\n");
        return 2;
    }
    try {
        const std::string Dir = argv[2];
        const std::string LogPath = JoinPath(Dir, "uinst.log");
        CUInstLog Log(0, LogPath);
        Log.AddDelFile(LogPath);
        int Steps = 0;
        CArchive_BZip Archive([&](TObject*) { ++Steps; }, LocalFileSystem());
        Archive.Log = &Log;
        Archive.Unpack(argv[1], Dir);
        return Steps > 0 ? 0 : 1;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "%s\n", E.what());
        return 1;
    }
}
