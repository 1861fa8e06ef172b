#include "exceptions.h"
#include "file_system.h"
#include "memory_file_system.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

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
    // The system refuses the write; the stream says which file and why.
    try {
        In->Write("z", 1);
        ADD_FAILURE() << "wrote to a file opened for reading";
    } catch (const EWriteError& E) {
        EXPECT_EQ(E.Message(), "Cannot write file " + Path + ": " + SystemText(EBADF, 5));
    }
    EXPECT_EQ(FS.OpenRead(Path)->ReadString(3), "abc");
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

// Each refusal carries the system's reason: the real disk's words for its error, and
// the Windows words on the in-memory disk. A copy on POSIX names the file that failed
// before the reason, so the reason is what a message ends with.
TEST(FileSystem, RefusedChangesSayWhy)
{
    struct TCase {
        const char* What;
        std::function<TFileResult(TFileSystem&, const std::string&)> Change;
        int PosixError;
        unsigned long WindowsError;
        std::string MemoryReason;
    };
    const std::string NotFound = "The system cannot find the file specified";
    const std::vector<TCase> Cases = {
        {"a directory under a file",
         [](TFileSystem& FS, const std::string& R) { return FS.ForceDirectories(R + "\\file\\sub"); }, EEXIST, 183,
         "Cannot create a file when that file already exists"},
        {"a copy of a missing file",
         [](TFileSystem& FS, const std::string& R) { return FS.CopyFileTo(R + "\\missing", R + "\\c", true); }, ENOENT,
         2, NotFound},
        {"a copy onto a file it may not replace",
         [](TFileSystem& FS, const std::string& R) { return FS.CopyFileTo(R + "\\file", R + "\\full\\f", false); },
         EEXIST, 80, "The file exists"},
        {"a copy into a missing directory",
         [](TFileSystem& FS, const std::string& R) { return FS.CopyFileTo(R + "\\file", R + "\\nowhere\\c", true); },
         ENOENT, 3, "The system cannot find the path specified"},
        {"erasing a missing file", [](TFileSystem& FS, const std::string& R) { return FS.EraseFile(R + "\\missing"); },
         ENOENT, 2, NotFound},
        {"removing a directory that holds a file",
         [](TFileSystem& FS, const std::string& R) { return FS.RemoveDir(R + "\\full"); }, ENOTEMPTY, 145,
         "The directory is not empty"},
        {"renaming a missing file",
         [](TFileSystem& FS, const std::string& R) { return FS.RenameFile(R + "\\missing", R + "\\r"); }, ENOENT, 2,
         NotFound},
        {"making a missing file writable",
         [](TFileSystem& FS, const std::string& R) { return FS.MakeWritable(R + "\\missing"); }, ENOENT, 2, NotFound},
    };
    const auto EndsWith = [](const std::string& S, const std::string& End) {
        return S.size() >= End.size() && S.compare(S.size() - End.size(), End.size(), End) == 0;
    };
    TMemoryFileSystem Memory;
    for (TFileSystem* FS : {&LocalFileSystem(), static_cast<TFileSystem*>(&Memory)}) {
        const bool OnDisk = FS == &LocalFileSystem();
        for (const TCase& C : Cases) {
            SCOPED_TRACE(std::string(C.What) + (OnDisk ? " on the disk" : " in memory"));
            const std::string Root = OnDisk ? ScratchDir() : "C:\\r";
            ASSERT_TRUE(FS->ForceDirectories(Root + "\\full"));
            FS->Create(Root + "\\file")->WriteString("x");
            FS->Create(Root + "\\full\\f")->WriteString("y");
            const TFileResult R = C.Change(*FS, Root);
            EXPECT_FALSE(R);
            const std::string Expected = OnDisk ? SystemText(C.PosixError, C.WindowsError) : C.MemoryReason;
            EXPECT_TRUE(EndsWith(R.Reason, Expected)) << R.Reason << "\nwanted: " << Expected;
            try {
                R.RaiseIfFailed("Cannot do it");
                ADD_FAILURE() << "a refusal raised nothing";
            } catch (const EInOutError& E) {
                EXPECT_EQ(E.Message(), "Cannot do it: " + R.Reason);
            }
        }
    }
    EXPECT_NO_THROW(TFileResult().RaiseIfFailed("Cannot do it"));
}

TEST(FileSystem, FreeSpaceOfAPathNotYetCreated)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    EXPECT_GT(FS.FreeSpace(Root), 0);
    EXPECT_GT(FS.FreeSpace(Root + "\\not\\there\\yet"), 0);
}

// The in-memory disk behaves as Windows does with read-only files, so that tests of
// the code above it meet what the real disk would do.
TEST(MemoryFileSystem, ReadOnlyFilesAreNeitherDeletedNorReplacedNorWritten)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\d\\locked", "keep");
    FS.AddFile("C:\\d\\other", "other");
    FS.SetAttributes("C:\\d\\locked", faReadOnly);

    EXPECT_EQ(FS.EraseFile("C:\\d\\locked").Reason, "Access is denied");
    EXPECT_THROW(FS.Create("C:\\d\\locked"), EFCreateError);
    EXPECT_THROW(FS.OpenReadWrite("C:\\d\\locked"), EFOpenError);
    EXPECT_EQ(FS.CopyFileTo("C:\\d\\other", "C:\\d\\locked", true).Reason, "Access is denied");
    EXPECT_EQ(FS.RenameFile("C:\\d\\other", "C:\\d\\locked").Reason, "Access is denied");
    EXPECT_EQ(FS.FileBytes("C:\\d\\locked"), "keep");
    EXPECT_EQ(FS.OpenRead("C:\\d\\locked")->ReadString(4), "keep");

    // A copy keeps the attribute, as the system's copy does.
    ASSERT_TRUE(FS.ForceDirectories("C:\\e"));
    ASSERT_TRUE(FS.CopyFileTo("C:\\d\\locked", "C:\\e\\copy", true));
    EXPECT_FALSE(FS.EraseFile("C:\\e\\copy"));

    ASSERT_TRUE(FS.MakeWritable("C:\\d\\locked"));
    EXPECT_TRUE(FS.EraseFile("C:\\d\\locked"));
    EXPECT_FALSE(FS.MakeWritable("C:\\d\\locked"));
}

TEST(MemoryFileSystem, ADirectoryThatCannotBeListedIsNotAnEmptyOne)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\d\\sealed\\inside", "x");
    FS.SetUnreadable("C:\\d\\sealed");
    try {
        FS.ListDirectory("C:\\d\\sealed");
        FAIL() << "listed a directory that cannot be read";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot list directory C:\\d\\sealed: Access is denied");
    }
    EXPECT_EQ(FS.ListDirectory("C:\\d").size(), 1u);
    EXPECT_TRUE(FS.ListDirectory("C:\\missing").empty());
    FS.SetUnreadable("C:\\d\\sealed\\inside");
    EXPECT_THROW(FS.OpenRead("C:\\d\\sealed\\inside"), EFOpenError);
}

TEST(MemoryFileSystem, DotComponentsResolveAsOnWindowsSoAnEscapeShows)
{
    TMemoryFileSystem FS;
    ASSERT_TRUE(FS.ForceDirectories("D:\\dest"));
    FS.Create("D:\\dest\\..\\evil.exe")->WriteString("x");
    EXPECT_EQ(FS.Created().back(), "D:\\evil.exe");
    EXPECT_TRUE(FS.FileExists("D:\\evil.exe"));
    EXPECT_TRUE(FS.ListDirectory("D:\\dest").empty());

    FS.AddFile("C:\\a\\.\\b\\..\\c.txt", "c");
    ASSERT_EQ(FS.ListDirectory("C:\\a").size(), 1u);
    EXPECT_EQ(FS.ListDirectory("C:\\a")[0].Name, "c.txt");
    // Nothing lies above a drive.
    FS.AddFile("C:\\..\\..\\top.txt", "t");
    EXPECT_EQ(FS.FileBytes("C:\\top.txt"), "t");
    EXPECT_EQ(FS.RealPath("C:\\a\\b\\..\\c.txt"), "c:\\a\\c.txt");
}
