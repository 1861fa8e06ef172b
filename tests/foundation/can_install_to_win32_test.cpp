#include "path_and_dir_helpers.h"
#include "test_dirs.h"
#include "wine_drive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(CanInstallToWin32, PathsWithoutAUsableRoot)
{
    const std::string Dir = ScratchDir();
    for (const char* Path : {"", "a:\\x", "A:\\setup", "\\\\server\\share\\dir", "relative\\dir", "x"})
        EXPECT_FALSE(CanInstallTo(Path, false)) << Path;
    EXPECT_TRUE(CanInstallTo(Dir, false));
    EXPECT_TRUE(CanInstallTo(Dir + "\\new\\deeper", true));
    EXPECT_EQ(GetFileAttributesA((Dir + "\\new\\deeper").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(CanInstallToWin32, RefusesCdRomNetworkAndRamDrives)
{
    if (!UnderWine())
        GTEST_SKIP() << "drive letters with a type are made through Wine's mount manager";
    const std::string Dir = ScratchDir();
    const std::string Unix = UnixPath(Dir);
    ASSERT_FALSE(Unix.empty());

    std::vector<std::unique_ptr<TWineDrive>> Drives;
    char Next = 'y';
    for (ULONG Type : {DRIVE_CDROM, DRIVE_REMOTE, DRIVE_RAMDISK, DRIVE_FIXED}) {
        // Above those the package build's drive test takes ("p" and below), which may run alongside.
        const char Letter = FreeLetter(Next, 'q');
        ASSERT_NE(Letter, 0) << "no free drive letter";
        Next = static_cast<char>(Letter - 1);
        Drives.push_back(std::make_unique<TWineDrive>(Letter, Type, Unix));
        ASSERT_TRUE(Drives.back()->Defined()) << Letter;
        const std::string Root = Drives.back()->Root();
        EXPECT_EQ(LocalFileSystem().DriveType(Root), static_cast<int>(Type)) << Root;

        // The drive shows the scratch directory: a refused drive must create nothing there.
        const std::string Sub = std::string("sub-") + Letter;
        EXPECT_EQ(CanInstallTo(Root + Sub, true), Type == DRIVE_FIXED) << Root;
        EXPECT_EQ(GetFileAttributesA((Dir + "\\" + Sub).c_str()) != INVALID_FILE_ATTRIBUTES, Type == DRIVE_FIXED)
            << Root;
    }

    // "a:" is refused even as a fixed drive.
    if (!(GetLogicalDrives() & 1u)) {
        TWineDrive A('a', DRIVE_FIXED, Unix);
        ASSERT_TRUE(A.Defined());
        EXPECT_EQ(LocalFileSystem().DriveType("a:\\"), DRIVE_FIXED);
        EXPECT_FALSE(CanInstallTo("a:\\setup", true));
        EXPECT_FALSE(CanInstallTo("A:\\setup", false));
        EXPECT_EQ(GetFileAttributesA((Dir + "\\setup").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}
