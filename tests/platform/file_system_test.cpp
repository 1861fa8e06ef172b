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
