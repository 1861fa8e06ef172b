// The temporary directory's clearing on a disk with a real symbolic link in it, which
// the Windows build meets as a reparse point: Wine shows a Unix link so, but a
// Windows program under Wine cannot make one.
#include "builder_fakes.h"

#include "file_system.h"
#include "posix_path.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>

using CastamerOnDisk = TBuilderTest;

TEST_F(CastamerOnDisk, ClearTempDirRemovesALinkAndNeverWhatItLeadsTo)
{
    const std::string Program = ScratchDir();
    const std::string Outside = JoinPath(Program, "outside");
    TFileSystem& Disk = LocalFileSystem();
    ASSERT_TRUE(Disk.ForceDirectories(Outside));
    WriteWholeFile(HostPath(JoinPath(Outside, "precious.txt")), "keep");
    {
        TBuilderServices S = Services(&Disk);
        S.ProgramFileName = JoinPath(Program, "Castbuild.exe");
        CCastamer B(S, Remembered);
        const std::string Temp = B.GetTempDir();
        ASSERT_TRUE(Disk.ForceDirectories(JoinPath(Temp, "a")));
        WriteWholeFile(HostPath(JoinPath(Temp, "a\\mid.txt")), "x");
        ASSERT_EQ(::symlink(NativePath(Outside).c_str(), NativePath(JoinPath(Temp, "link")).c_str()), 0)
            << std::strerror(errno);
        B.ClearTempDir();
        EXPECT_TRUE(Disk.DirectoryExists(Temp));
        EXPECT_TRUE(Disk.ListDirectory(Temp).empty());
    }
    EXPECT_EQ(ReadWholeFile(HostPath(JoinPath(Outside, "precious.txt"))), "keep");
}
