// The POSIX disk: a directory without read permission cannot be listed.
#include "exceptions.h"
#include "file_system.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

TEST(PosixFileSystem, ADirectoryWithoutReadPermissionRaisesWithTheSystemsReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may read every directory";
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    ASSERT_TRUE(FS.ForceDirectories(Root + "\\sealed\\inside"));
    const std::string Native = Root + "/sealed";
    ASSERT_EQ(::chmod(Native.c_str(), 0), 0);
    try {
        FS.ListDirectory(Root + "\\sealed");
        ADD_FAILURE() << "listed a directory without read permission";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot list directory " + Root + "\\sealed: Permission denied");
    }
    ::chmod(Native.c_str(), 0755);
}

TEST(PosixFileSystem, AReadOnlyDirectoryRefusesChangesWithTheSystemsReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write every directory";
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    ASSERT_TRUE(FS.ForceDirectories(Root + "\\sealed"));
    FS.Create(Root + "\\file")->WriteString("x");
    const std::string Native = Root + "/sealed";
    ASSERT_EQ(::chmod(Native.c_str(), 0555), 0);
    const std::string Denied = SystemText(EACCES, 5);
    EXPECT_EQ(FS.ForceDirectories(Root + "\\sealed\\sub").Reason, Denied);
    EXPECT_EQ(FS.CopyFileTo(Root + "\\file", Root + "\\sealed\\copy", true).Reason,
              "Cannot create file " + Root + "\\sealed\\copy: " + Denied);
    EXPECT_EQ(FS.RenameFile(Root + "\\file", Root + "\\sealed\\moved").Reason, Denied);
    ::chmod(Native.c_str(), 0755);
}

TEST(PosixFileSystem, MakeWritableGivesTheOwnerWritePermission)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    const std::string Path = Root + "/locked";
    WriteWholeFile(Path, "x");
    ASSERT_EQ(::chmod(Path.c_str(), 0444), 0);
    ASSERT_EQ(FS.ListDirectory(Root).at(0).Attributes & faReadOnly, faReadOnly);
    EXPECT_TRUE(FS.MakeWritable(Path));
    struct stat St;
    ASSERT_EQ(::stat(Path.c_str(), &St), 0);
    EXPECT_TRUE(St.st_mode & S_IWUSR);
    EXPECT_FALSE(FS.MakeWritable(Path + ".missing"));
}

TEST(PosixFileSystem, CurrentDirectoryFollowsTheProcess)
{
    const std::string Before = CurrentDirectory();
    ASSERT_FALSE(Before.empty());
    const std::string Root = ScratchDir();
    ASSERT_EQ(::chdir(Root.c_str()), 0);
    char Real[4096];
    ASSERT_NE(::getcwd(Real, sizeof Real), nullptr);
    EXPECT_EQ(CurrentDirectory(), Real);
    ASSERT_EQ(::chdir(Before.c_str()), 0);
    EXPECT_EQ(CurrentDirectory(), Before);
}
