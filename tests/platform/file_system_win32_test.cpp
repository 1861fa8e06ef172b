// The Windows disk: read-only files refuse deletion until the attribute goes, and a
// copy keeps it.
#include "file_stream.h"
#include "file_system.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(Win32FileSystem, AReadOnlyFileIsDeletedOnlyOnceMadeWritable)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    const std::string Locked = Root + "\\locked.txt";
    WriteWholeFile(Locked, "x");
    ASSERT_TRUE(SetFileAttributesA(Locked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    ASSERT_TRUE(FS.CopyFileTo(Locked, Root + "\\copy.txt", true));
    EXPECT_NE(GetFileAttributesA((Root + "\\copy.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(FS.EraseFile(Locked).Reason, SystemText(0, ERROR_ACCESS_DENIED));
    EXPECT_TRUE(FS.FileExists(Locked));

    EXPECT_TRUE(FS.MakeWritable(Locked));
    EXPECT_EQ(GetFileAttributesA(Locked.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(FS.EraseFile(Locked));
    EXPECT_TRUE(FS.MakeWritable(Root + "\\copy.txt"));
    EXPECT_FALSE(FS.MakeWritable(Root + "\\missing.txt"));
}

TEST(Win32FileSystem, AFileHeldWithoutSharingIsNotCopiedAndTheCopySaysWhy)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    const std::string Held = Root + "\\held.txt";
    WriteWholeFile(Held, "x");
    {
        TFileStream Holder(Held, fmOpenReadWrite | fmShareExclusive);
        const TFileResult R = FS.CopyFileTo(Held, Root + "\\copy.txt", true);
        EXPECT_EQ(R.Reason, SystemText(0, ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(R);
    }
    EXPECT_TRUE(FS.CopyFileTo(Held, Root + "\\copy.txt", true));
}
