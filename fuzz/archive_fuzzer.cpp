// Any bytes as an archive, listed and unpacked on the in-memory file system: an
// archive the list refuses creates nothing, and nothing is ever created outside
// the destination.
#include "archive.h"
#include "memory_file_system.h"
#include "path_and_dir_helpers.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryFileSystem FS;
    // A bound on what an archive may claim, so that a small input cannot ask for gigabytes.
    FS.Free = 64 * 1024 * 1024;
    FS.AddFile("C:\\in.arc", std::string(reinterpret_cast<const char*>(Data), Size));
    const std::string Dest = "D:\\dest";

    bool Listed = true;
    try {
        THash List(false);
        CArchive_BZip(nullptr, FS).List("C:\\in.arc", List, Dest);
    } catch (const std::exception&) {
        Listed = false;
    }
    bool Unpacked = true;
    try {
        CArchive_BZip(nullptr, FS).Unpack("C:\\in.arc", Dest);
    } catch (const std::exception&) {
        Unpacked = false;
    }
    if (!Listed && (Unpacked || !FS.Created().empty()))
        std::abort();
    // The in-memory disk records where a file really landed ("." and ".." resolved),
    // so a name that climbs out of the destination cannot pass for one inside it.
    for (const std::string& Path : FS.Created())
        if (!IsInsideDir(Dest, Path))
            std::abort();
    return 0;
}
