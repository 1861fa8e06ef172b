#include "file_system.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(FileSystem, ForceDirectoriesCreatesParents)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    const std::string Deep = Root + "\\a\\b\\c";
    EXPECT_FALSE(FS.DirectoryExists(Deep));
    EXPECT_TRUE(FS.ForceDirectories(Deep));
    EXPECT_TRUE(FS.DirectoryExists(Deep));
    EXPECT_TRUE(FS.DirectoryExists(Root + "\\a\\b\\"));
    EXPECT_TRUE(FS.ForceDirectories(Deep)); // already there
    EXPECT_FALSE(FS.FileExists(Deep));
}

TEST(FileSystem, ForceDirectoriesFailsUnderAFile)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    FS.Create(Root + "\\file")->WriteString("x");
    EXPECT_FALSE(FS.ForceDirectories(Root + "\\file\\sub"));
}

TEST(FileSystem, ListsEntriesWithAttributesButNoDots)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    FS.ForceDirectories(Root + "\\sub");
    FS.Create(Root + "\\data.txt")->WriteString("12345");

    std::vector<TDirEntry> Entries = FS.ListDirectory(Root);
    std::sort(Entries.begin(), Entries.end(), [](const TDirEntry& A, const TDirEntry& B) { return A.Name < B.Name; });
    ASSERT_EQ(Entries.size(), 2u);
    EXPECT_EQ(Entries[0].Name, "data.txt");
    EXPECT_FALSE(Entries[0].IsDirectory());
    EXPECT_EQ(Entries[0].Size, 5u);
    EXPECT_EQ(Entries[1].Name, "sub");
    EXPECT_TRUE(Entries[1].IsDirectory());

    EXPECT_TRUE(FS.FileExists(Root + "\\data.txt"));
    EXPECT_FALSE(FS.DirectoryExists(Root + "\\data.txt"));
    EXPECT_TRUE(FS.ListDirectory(Root + "\\nothing-here").empty());
}

TEST(FileSystem, OpenReadIsReadOnly)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Path = ScratchDir() + "\\f";
    FS.Create(Path)->WriteString("abc");
    auto In = FS.OpenRead(Path);
    EXPECT_EQ(In->ReadString(3), "abc");
    EXPECT_EQ(In->Write("z", 1), 0);
}

TEST(FileSystem, CopyDeleteRemove)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    FS.Create(Root + "\\a")->WriteString("new");
    FS.Create(Root + "\\b")->WriteString("old contents");
    EXPECT_FALSE(FS.CopyFileTo(Root + "\\a", Root + "\\b", false));
    EXPECT_EQ(FS.OpenRead(Root + "\\b")->Size(), 12);
    EXPECT_TRUE(FS.CopyFileTo(Root + "\\a", Root + "\\b", true));
    EXPECT_EQ(FS.OpenRead(Root + "\\b")->ReadString(3), "new");
    EXPECT_FALSE(FS.CopyFileTo(Root + "\\missing", Root + "\\c", true));
    EXPECT_FALSE(FS.FileExists(Root + "\\c"));

    FS.ForceDirectories(Root + "\\d");
    FS.Create(Root + "\\d\\f")->WriteString("x");
    EXPECT_FALSE(FS.RemoveDir(Root + "\\d")); // not empty
    EXPECT_TRUE(FS.EraseFile(Root + "\\d\\f"));
    EXPECT_FALSE(FS.EraseFile(Root + "\\d\\f"));
    EXPECT_TRUE(FS.RemoveDir(Root + "\\d"));
    EXPECT_FALSE(FS.DirectoryExists(Root + "\\d"));
}

TEST(FileSystem, FreeSpaceOfAPathNotYetCreated)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    EXPECT_GT(FS.FreeSpace(Root), 0);
    EXPECT_GT(FS.FreeSpace(Root + "\\not\\there\\yet"), 0);
}
