#include "replace_file.h"

#include "file_system.h"
#include "memory_file_system.h"
#include "shell_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

TEST(ReplaceFile, ReplacesAnExistingFileOnTheDiskAndLeavesNoTemporaryFile)
{
    TFileSystem& Disk = LocalFileSystem();
    const std::string Dir = ScratchDir();
    const std::string File = JoinPath(Dir, "bx_env.dat");
    WriteFileReplacing(Disk, File, "first");
    WriteFileReplacing(Disk, File, "second, longer");
    auto In = Disk.OpenRead(File);
    EXPECT_EQ(In->ReadString(In->Size()), "second, longer");
    EXPECT_EQ(Disk.ListDirectory(Dir).size(), 1u);
}

TEST(ReplaceFile, AFailedWriteLeavesTheOldFile)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\p\\bx_env.dat", "old");
    FS.AddFile("C:\\p\\bx_env.dat.tmp\\blocker", ""); // the temporary name is taken by a directory
    EXPECT_ANY_THROW(WriteFileReplacing(FS, "C:\\p\\bx_env.dat", "new"));
    EXPECT_EQ(FS.FileBytes("C:\\p\\bx_env.dat"), "old");
}
