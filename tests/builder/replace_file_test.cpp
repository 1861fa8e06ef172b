#include "replace_file.h"

#include "exceptions.h"
#include "file_system.h"
#include "memory_file_system.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <cerrno>

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

TEST(ReplaceFile, AFileThatCannotBeReplacedSaysWhyAndLeavesNoTemporaryFile)
{
    TFileSystem& Disk = LocalFileSystem();
    const std::string Dir = ScratchDir();
    // A directory that holds something takes the file's name.
    const std::string File = JoinPath(Dir, "bx_env.dat");
    ASSERT_TRUE(Disk.ForceDirectories(File));
    Disk.Create(JoinPath(File, "inside"))->WriteString("x");
    try {
        WriteFileReplacing(Disk, File, "new");
        FAIL() << "replaced a directory";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot replace file " + File + ": " + SystemText(EISDIR, 5));
    }
    EXPECT_FALSE(Disk.FileExists(File + ".tmp"));
    EXPECT_TRUE(Disk.FileExists(JoinPath(File, "inside")));
}
