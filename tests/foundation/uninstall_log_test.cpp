#include "exceptions.h"
#include "memory_file_system.h"
#include "test_dirs.h"
#include "uninstall_log.h"

#include <gtest/gtest.h>

TEST(UninstallLog, LinesOfEveryKind)
{
    TMemoryFileSystem FS;
    {
        CUInstLog Log(0, "C:\\App\\uinst.log", FS);
        ASSERT_TRUE(Log.Opened());
        Log.AddDelFile("C:\\App\\uinst.log");
        Log.AddDelDir("C:\\App");
        Log.AddLine(ulDelKey, "%\\SOFTWARE\\x");
        Log.AddLine(ulDelValue, "%\\SOFTWARE\\x%Display%Name");
        Log.AddLine(ulMessage1, "Remove?");
        Log.AddLine(ulMessage2, "Done");
        Log.AddLine(6, "ignored");
        Log.AddLine(-1, "ignored");
    }
    EXPECT_EQ(FS.FileBytes("C:\\App\\uinst.log"), "[DelFile]%C:\\App\\uinst.log\r\n"
                                                  "[DelDir]%C:\\App\r\n"
                                                  "[DelKey]%%\\SOFTWARE\\x\r\n"
                                                  "[DelValue]%%\\SOFTWARE\\x%Display%Name\r\n"
                                                  "[UImes 1]%Remove?\r\n"
                                                  "[UImes 2]%Done\r\n");
}

TEST(UninstallLog, EachLineIsInTheFileAtOnce)
{
    const std::string Path = ScratchDir() + "\\uinst.log";
    CUInstLog Log(0, Path);
    Log.AddDelDir("C:\\A");
    EXPECT_EQ(ReadWholeFile(Path), "[DelDir]%C:\\A\r\n");
    Log.AddDelFile("C:\\A\\f");
    EXPECT_EQ(ReadWholeFile(Path), "[DelDir]%C:\\A\r\n[DelFile]%C:\\A\\f\r\n");
}

TEST(UninstallLog, LineBreaksCannotSplitALine)
{
    TMemoryFileSystem FS;
    CUInstLog Log(0, "C:\\uinst.log", FS);
    Log.AddLine(ulMessage1, "Really\n\rremove?");
    Log.AddLine(ulMessage2, "a\rb\nc");
    EXPECT_THROW(Log.AddDelFile("C:\\evil\r\n[DelDir]%C:\\Windows"), EInOutError);
    EXPECT_THROW(Log.AddDelDir("x\ny"), EInOutError);
    EXPECT_EQ(FS.FileBytes("C:\\uinst.log"), "[UImes 1]%Really  remove?\r\n[UImes 2]%a b c\r\n");
}

TEST(UninstallLog, OpenModes)
{
    TMemoryFileSystem FS;
    {
        CUInstLog Created(0, "C:\\new\\deep\\uinst.log", FS);
        EXPECT_TRUE(Created.Opened());
    }
    EXPECT_TRUE(FS.DirectoryExists("C:\\new\\deep"));
    EXPECT_EQ(FS.FileBytes("C:\\new\\deep\\uinst.log"), "");

    FS.AddFile("C:\\a.log", "[DelDir]%C:\\old\r\n");
    {
        CUInstLog Append(1, "C:\\a.log", FS);
        Append.AddDelFile("C:\\new");
    }
    EXPECT_EQ(FS.FileBytes("C:\\a.log"), "[DelDir]%C:\\old\r\n[DelFile]%C:\\new\r\n");
    {
        CUInstLog AppendNew(1, "C:\\other\\b.log", FS);
        AppendNew.AddDelFile("x");
    }
    EXPECT_EQ(FS.FileBytes("C:\\other\\b.log"), "[DelFile]%x\r\n");
    {
        CUInstLog Fresh(0, "C:\\a.log", FS);
    }
    EXPECT_EQ(FS.FileBytes("C:\\a.log"), "");

    FS.AddFile("C:\\r.log", "[DelDir]%C:\\x\r\n");
    CUInstLog Read(2, "C:\\r.log", FS);
    EXPECT_TRUE(Read.Opened());
    Read.AddDelFile("C:\\y");
    EXPECT_EQ(FS.FileBytes("C:\\r.log"), "[DelDir]%C:\\x\r\n");

    const std::size_t Before = FS.Created().size();
    CUInstLog Missing(2, "C:\\missing.log", FS);
    EXPECT_FALSE(Missing.Opened());
    Missing.AddDelFile("C:\\y");
    CUInstLog NoName(0, "", FS);
    EXPECT_FALSE(NoName.Opened());
    CUInstLog OtherMode(3, "C:\\m.log", FS);
    EXPECT_FALSE(OtherMode.Opened());
    EXPECT_EQ(FS.Created().size(), Before);
}

TEST(UninstallLog, AFileThatCannotBeMadeRaises)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\file", "");
    EXPECT_THROW(CUInstLog(0, "C:\\file\\uinst.log", FS), EInOutError);
    FS.ForceDirectories("C:\\dir.log");
    EXPECT_THROW(CUInstLog(1, "C:\\dir.log", FS), EInOutError);
}
