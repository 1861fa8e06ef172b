#include "archive.h"
#include "byte_order.h"
#include "bz_streams.h"
#include "bzip2_tool.h"
#include "hand_archive.h"
#include "memory_file_system.h"
#include "memory_stream.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::vector<std::string> Pairs(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key + "=" + P.Value);
    return V;
}

std::string Compress(const std::string& Plain)
{
    TMemoryStream Out;
    TBZCompressionStream Z(4, Out);
    Z.WriteString(Plain);
    Z.Finish();
    return Out.Bytes();
}

void MakeSampleTree(TMemoryFileSystem& FS)
{
    FS.AddFile("C:\\src\\readme.txt", "read me");
    FS.AddFile("C:\\src\\empty.dat", "");
    FS.AddFile("C:\\src\\my docs\\a b.txt", std::string(70000, 'x'));
    FS.AddFile("C:\\src\\my docs\\img\\deep\\er\\pic.bmp", "BM....");
    FS.ForceDirectories("C:\\src\\nothing here");
}

} // namespace

TEST(Archive, PackWritesHeaderDataAndBothTables)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\a.txt", "alpha");
    FS.AddFile("C:\\src\\sub\\b.txt", "beta!");
    CArchive_BZip Archive(nullptr, FS);
    EXPECT_TRUE(Archive.Pack("C:\\src", "C:\\out\\Data\\app.arc"));
    const std::string A = FS.FileBytes("C:\\out\\Data\\app.arc");
    ASSERT_GT(A.size(), 24u);
    EXPECT_EQ(A.substr(0, 8), std::string("\x04" "arhc\0\0\0", 8));
    EXPECT_EQ(Le32(A, 8), 24u);
    EXPECT_EQ(Le32(A, 20), 10u);
    const std::uint32_t FileTable = Le32(A, 12), DirTable = Le32(A, 16);
    EXPECT_LT(DirTable, FileTable); // the directory table comes first, after the data
    EXPECT_EQ(A.substr(DirTable, FileTable - DirTable), ArchiveTable({{"0", ""}, {"1", "\\sub"}}));
    EXPECT_EQ(A.substr(FileTable), ArchiveTable({{"0,5", "a.txt"}, {"1,5", "b.txt"}}));
    EXPECT_EQ(A.substr(24, 4), "BZh5");
    const TBzip2Verdict Tool = DecodeWithBzip2Tool(A.substr(24, DirTable - 24));
    if (Tool.Found) {
        ASSERT_TRUE(Tool.Accepted) << Tool.Message;
        EXPECT_EQ(Tool.Plain, "alphabeta!");
    }
}

TEST(Archive, EmptySourceDirectory)
{
    TMemoryFileSystem FS;
    FS.ForceDirectories("C:\\src");
    CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\e.arc");
    const std::string A = FS.FileBytes("C:\\e.arc");
    EXPECT_EQ(A.substr(Le32(A, 16), Le32(A, 12) - Le32(A, 16)), ArchiveTable({{"0", ""}}));
    EXPECT_EQ(A.substr(Le32(A, 12)), std::string("\0\0", 2));

    CUInstLog Log(0, "C:\\log.txt", FS);
    CArchive_BZip Unpacker(nullptr, FS);
    Unpacker.Log = &Log;
    EXPECT_TRUE(Unpacker.Unpack("C:\\e.arc", "D:\\dest"));
    EXPECT_EQ(FS.ListDirectory("D:\\dest").size(), 0u);
    EXPECT_EQ(FS.FileBytes("C:\\log.txt"), "[DelDir]%D:\\dest\r\n");
}

TEST(Archive, ADirectoryThatCannotBeListedFailsThePackInsteadOfPackingEmpty)
{
    TMemoryFileSystem FS;
    MakeSampleTree(FS);
    FS.SetUnreadable("C:\\src\\my docs\\img");
    try {
        CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\out\\a.arc");
        FAIL() << "packed a tree with a part it could not list";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot list directory C:\\src\\my docs\\img: Access is denied");
    }
    EXPECT_FALSE(FS.FileExists("C:\\out\\a.arc"));
}

TEST(Archive, TreeRoundTripWithLogOrder)
{
    TMemoryFileSystem FS;
    MakeSampleTree(FS);
    CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\t.arc");

    CUInstLog Log(0, "C:\\uinst.log", FS);
    CArchive_BZip Unpacker(nullptr, FS);
    Unpacker.Log = &Log;
    ASSERT_TRUE(Unpacker.Unpack("C:\\t.arc", "E:\\inst"));
    EXPECT_EQ(FS.FileBytes("E:\\inst\\readme.txt"), "read me");
    EXPECT_EQ(FS.FileBytes("E:\\inst\\empty.dat"), "");
    EXPECT_TRUE(FS.FileExists("E:\\inst\\empty.dat"));
    EXPECT_EQ(FS.FileBytes("E:\\inst\\my docs\\a b.txt"), std::string(70000, 'x'));
    EXPECT_EQ(FS.FileBytes("E:\\inst\\my docs\\img\\deep\\er\\pic.bmp"), "BM....");
    EXPECT_TRUE(FS.DirectoryExists("E:\\inst\\nothing here"));
    // Directories first, parents before children, then the files in table order.
    EXPECT_EQ(FS.FileBytes("C:\\uinst.log"), "[DelDir]%E:\\inst\r\n"
                                             "[DelDir]%E:\\inst\\my docs\r\n"
                                             "[DelDir]%E:\\inst\\my docs\\img\r\n"
                                             "[DelDir]%E:\\inst\\my docs\\img\\deep\r\n"
                                             "[DelDir]%E:\\inst\\my docs\\img\\deep\\er\r\n"
                                             "[DelDir]%E:\\inst\\nothing here\r\n"
                                             "[DelFile]%E:\\inst\\empty.dat\r\n"
                                             "[DelFile]%E:\\inst\\readme.txt\r\n"
                                             "[DelFile]%E:\\inst\\my docs\\a b.txt\r\n"
                                             "[DelFile]%E:\\inst\\my docs\\img\\deep\\er\\pic.bmp\r\n");

    THash List(false);
    CArchive_BZip(nullptr, FS).List("C:\\t.arc", List, "");
    EXPECT_EQ(Pairs(List), (std::vector<std::string>{"0=empty.dat", "1=readme.txt", "2=\\my docs\\a b.txt",
                                                     "3=\\my docs\\img\\deep\\er\\pic.bmp"}));
    THash Based(false);
    CArchive_BZip(nullptr, FS).List("C:\\t.arc", Based, "F:\\base");
    EXPECT_EQ(Based.GetEntry(3).Value, "F:\\base\\my docs\\img\\deep\\er\\pic.bmp");
}

TEST(Archive, UnpackIntoADriveRoot)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\f", "1");
    CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\r.arc");
    CUInstLog Log(0, "C:\\log", FS);
    CArchive_BZip Unpacker(nullptr, FS);
    Unpacker.Log = &Log;
    Unpacker.Unpack("C:\\r.arc", "G:\\");
    EXPECT_EQ(FS.FileBytes("G:\\f"), "1");
    EXPECT_EQ(FS.FileBytes("C:\\log"), "[DelDir]%G:\\\r\n[DelFile]%G:\\f\r\n");
}

TEST(Archive, UnpackReplacesFilesOfTheSameNameAndKeepsOthers)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\same.txt", "new");
    CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\a.arc");
    FS.AddFile("D:\\d\\same.txt", "old old");
    FS.AddFile("D:\\d\\other.txt", "kept");
    CArchive_BZip(nullptr, FS).Unpack("C:\\a.arc", "D:\\d");
    EXPECT_EQ(FS.FileBytes("D:\\d\\same.txt"), "new");
    EXPECT_EQ(FS.FileBytes("D:\\d\\other.txt"), "kept");
}

TEST(Archive, ProgressOfPackAndUnpack)
{
    TMemoryFileSystem FS;
    for (const char* Name : {"a", "b", "c", "d"})
        FS.AddFile(std::string("C:\\src\\") + Name, Name);
    std::vector<int> Seen;
    CArchive_BZip Packer([&](TObject* Sender) { Seen.push_back(static_cast<CArchive_base*>(Sender)->Progress); }, FS);
    Packer.Pack("C:\\src", "C:\\p.arc");
    EXPECT_EQ(Seen, (std::vector<int>{0, 0, 25, 50, 75}));

    Seen.clear();
    CArchive_BZip Unpacker([&](TObject* Sender) { Seen.push_back(static_cast<CArchive_base*>(Sender)->Progress); }, FS);
    Unpacker.Unpack("C:\\p.arc", "D:\\d");
    EXPECT_EQ(Seen, (std::vector<int>{0, 33, 67, 100}));
}

TEST(Archive, ArchivePackUsesTheClassItIsGiven)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\x", "x");
    ArchivePack(CArchive_BZip::Create, "C:\\src", "C:\\Data\\x.arc", nullptr, FS);
    THash List(false);
    CArchive_BZip(nullptr, FS).List("C:\\Data\\x.arc", List, "");
    EXPECT_EQ(Pairs(List), (std::vector<std::string>{"0=x"}));
}

TEST(Archive, PackRefusesNamesThatCouldNotBeUnpacked)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\trailing. ", "x");
    EXPECT_THROW(CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\x.arc"), EArchiveError);
}

TEST(Archive, SafePathComponents)
{
    for (const char* Good : {"a", "a b.txt", "icon.txt", "console", "COM10", "LPT10", "COM\xB4", "conin", "clock",
                             "...x", "name.ext", "\xE4pfel"})
        EXPECT_TRUE(IsSafePathComponent(Good)) << Good;
    for (const char* Bad : {"", ".", "..", "a\\b", "a/b", "c:", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "tab\t",
                            "dot.", "blank ", "CON", "con", "nul.txt", "Aux.tar.gz", "COM1", "lpt9.log", "con .txt",
                            "COM0", "lpt0.txt", "CONIN$", "conout$.log", "Clock$", "COM\xB9", "lpt\xB2.x", "COM\xB3",
                            "com\xC2\xB9"})
        EXPECT_FALSE(IsSafePathComponent(Bad)) << Bad;
}

TEST(Archive, MalformedArchivesAreRefusedBeforeAnythingIsCreated)
{
    // Late: the fault lies in the compressed data, found only while the files are
    // written; everything else is refused before anything is made.
    enum TRaises { Archive, Decompression };
    struct Case {
        const char* Name;
        std::function<std::string()> Make;
        bool Late = false;
        TRaises Raises = Archive;
        const char* Why = nullptr; // part of the message, where it is worth checking
    };
    const auto Parts = [](std::function<void(THandArchive&)> Change) {
        return [Change] {
            THandArchive P;
            P.Dirs = {{"0", ""}, {"1", "\\sub"}};
            P.Files = {{"0,3", "a.txt"}, {"1,2", "b.txt"}};
            P.Data = "abcde";
            Change(P);
            return P.Build();
        };
    };
    const auto Patched = [](std::size_t At, std::uint32_t V) {
        return [At, V] {
            THandArchive P;
            P.Files = {{"0,3", "a.txt"}};
            P.Data = "abc";
            std::string B = P.Build();
            PutLe32(B, At, V);
            return B;
        };
    };
    const Case Cases[] = {
        {"empty file", [] { return std::string(); }},
        {"short header", [] { return std::string("\x04" "arhc", 5); }},
        {"signature", [] { THandArchive P; std::string B = P.Build(); B[1] = 'A'; return B; }},
        {"data offset", Patched(8, 25)},
        {"file table beyond the file", Patched(12, 0x7FFFFFFF)},
        {"directory table after the file table", Patched(16, 0x7FFFFFF0)},
        {"directory table inside the header", Patched(16, 4)},
        {"total size", Patched(20, 4)},
        {"parent directory", Parts([](THandArchive& P) { P.Dirs[1].second = "\\.."; })},
        {"absolute directory", Parts([](THandArchive& P) { P.Dirs[1].second = "C:\\Windows"; })},
        {"directory without leading separator", Parts([](THandArchive& P) { P.Dirs[1].second = "sub"; })},
        {"empty component", Parts([](THandArchive& P) { P.Dirs[1].second = "\\\\sub"; })},
        {"child before parent", Parts([](THandArchive& P) { P.Dirs[1].second = "\\x\\sub"; })},
        {"root not empty", Parts([](THandArchive& P) { P.Dirs[0].second = "\\root"; })},
        {"no root", Parts([](THandArchive& P) { P.Dirs.clear(); P.Files.clear(); P.Data.clear(); })},
        {"directory key", Parts([](THandArchive& P) { P.Dirs[1].first = "7"; })},
        {"file name with separator", Parts([](THandArchive& P) { P.Files[1].second = "..\\..\\evil.exe"; })},
        {"file name with slash", Parts([](THandArchive& P) { P.Files[1].second = "a/b"; })},
        {"device name", Parts([](THandArchive& P) { P.Files[1].second = "CON"; })},
        {"drive in name", Parts([](THandArchive& P) { P.Files[1].second = "C:x"; })},
        {"control character", Parts([](THandArchive& P) { P.Files[1].second = "a\nb"; })},
        {"key without comma", Parts([](THandArchive& P) { P.Files[1].first = "12"; })},
        {"directory index out of range", Parts([](THandArchive& P) { P.Files[1].first = "2,2"; })},
        {"negative size", Parts([](THandArchive& P) { P.Files[1].first = "1,-2"; })},
        {"size of 2 GiB", Parts([](THandArchive& P) { P.Files[1].first = "1,2147483648"; P.Total = 2147483651; })},
        {"not a number", Parts([](THandArchive& P) { P.Files[1].first = "x,2"; })},
        {"too long a path", Parts([](THandArchive& P) { P.Files[1].second = std::string(250, 'n'); })},
        // Clashes: each name alone is allowed, but two entries land on one object.
        {"root file in the uninstall log's place", Parts([](THandArchive& P) { P.Files[0].second = "uinst.log"; }),
         false, Archive, "its file \"uinst.log\" would take the place of the uninstall log"},
        {"uninstall log's name in other letters", Parts([](THandArchive& P) { P.Files[0].second = "Uinst.LOG"; }),
         false, Archive, "\"Uinst.LOG\""},
        {"file twice", Parts([](THandArchive& P) { P.Files[1] = {"0,2", "a.txt"}; }), false, Archive,
         "it holds the file \"\\a.txt\" twice"},
        {"file names equal but for case", Parts([](THandArchive& P) { P.Files[1] = {"0,2", "A.TXT"}; }), false,
         Archive, "\"\\a.txt\" and \"\\A.TXT\" are one file on Windows"},
        {"directory twice", Parts([](THandArchive& P) { P.Dirs.push_back({"2", "\\sub"}); }), false, Archive,
         "it holds the directory \"\\sub\" twice"},
        {"directory names equal but for case", Parts([](THandArchive& P) { P.Dirs.push_back({"2", "\\Sub"}); }),
         false, Archive, "are one directory"},
        {"file and directory of one name", Parts([](THandArchive& P) { P.Files[0].second = "sub"; }), false, Archive,
         "\"\\sub\" is both a file and a directory"},
        {"file and directory equal but for case",
         Parts([](THandArchive& P) { P.Files[0].second = "SUB"; }), false, Archive, "is both a file and a directory"},
        {"file names equal but for case in a subdirectory",
         Parts([](THandArchive& P) { P.Files.push_back({"1,0", "B.txt"}); }), false, Archive, "\"\\sub\\B.txt\""},
        {"data too short", Parts([](THandArchive& P) { P.Data = "abcd"; }), true},
        {"data too long", Parts([](THandArchive& P) { P.Data = "abcdefgh"; }), true},
        {"truncated file table", [] { THandArchive P; P.Files = {{"0,1", "a"}}; P.Data = "a"; std::string B = P.Build(); return B.substr(0, B.size() - 1); }},
        // The damage is named with the archive, so it is the archive's error.
        {"damaged data", [] { THandArchive P; P.Files = {{"0,3", "a"}}; P.Data = "abc"; std::string B = P.Build(); B[40] ^= 0x77; return B; }, true},
        {"compressed part not bzip2", [] { THandArchive P; P.Files = {{"0,3", "a"}}; P.Data = "abc"; std::string B = P.Build(); B[24] = 'X'; return B; }},
        {"compressed part without a first block", [] { THandArchive P; P.Files = {{"0,3", "a"}}; P.Data = "abc"; std::string B = P.Build(); B[29] ^= 1; return B; }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMemoryFileSystem FS;
        FS.AddFile("C:\\bad.arc", C.Make());
        const std::size_t Before = FS.Created().size();
        CUInstLog Log(0, "C:\\log", FS);
        CArchive_BZip Unpacker(nullptr, FS);
        Unpacker.Log = &Log;
        TRaises Raised = Archive;
        bool Threw = true;
        try {
            Unpacker.Unpack("C:\\bad.arc", "D:\\dest");
            Threw = false;
        } catch (const EArchiveError& E) {
            Raised = Archive;
            if (C.Why) {
                EXPECT_NE(E.Message().find(C.Why), std::string::npos) << E.Message();
            }
        } catch (const EBZDecompressionError&) {
            Raised = Decompression;
        } catch (const std::exception& E) {
            ADD_FAILURE() << "raised something else: " << E.what();
        }
        ASSERT_TRUE(Threw) << "unpacked";
        EXPECT_EQ(Raised, C.Raises);
        if (!C.Late) {
            // The log itself is the only thing made.
            EXPECT_EQ(FS.Created().size(), Before + 1);
            EXPECT_FALSE(FS.DirectoryExists("D:\\dest"));
        }
        // Whatever was made lies inside the destination (the disk resolves "..").
        for (std::size_t I = Before + 1; I < FS.Created().size(); ++I)
            EXPECT_TRUE(IsInsideDir("D:\\dest", FS.Created()[I])) << FS.Created()[I];
        // Listing without a base directory makes no long paths; it reads no data.
        const bool InData = std::string(C.Name).rfind("compressed part", 0) == 0;
        if (!C.Late && !InData && std::string(C.Name) != "too long a path") {
            THash List(false);
            EXPECT_THROW(CArchive_BZip(nullptr, FS).List("C:\\bad.arc", List, ""), EArchiveError);
            EXPECT_EQ(List.Count(), 0);
        }
    }
}

TEST(Archive, DamagedDataSaysWhichArchiveAndWhy)
{
    // Three files over several blocks, so damage can lie inside the second one.
    std::string Plain;
    unsigned Seed = 3;
    while (Plain.size() < 1500000) {
        Seed = Seed * 1103515245u + 12345u;
        Plain += (Plain.size() / 1000) % 3 ? static_cast<char>(Seed >> 16) : 'z';
    }
    THandArchive P;
    P.Files = {{"0,100000", "first.bin"}, {"0,1300000", "second.bin"}, {"0,100000", "third.bin"}};
    P.Data = Plain;
    const std::string Good = P.Build();
    const std::size_t DataEnd = 24 + Compress(Plain).size();

    struct Case {
        const char* Name;
        std::function<void(std::string&)> Damage;
        const char* Why;
        int FilesMade; // whole or in part, before the damage was found
    };
    const Case Cases[] = {
        {"a bad block", [&](std::string& B) { B[24 + (DataEnd - 24) / 2] ^= 0x20; },
         "a block of its compressed data is bad (inside second.bin)", 2},
        {"the stream's checksum", [&](std::string& B) { B[DataEnd - 3] ^= 0x01; },
         "its data does not match its checksum", 3},
        {"a stream cut short", [&](std::string& B) {
             // The end of the compressed data is lost; the tables stay where the header says.
             std::fill(B.begin() + static_cast<std::ptrdiff_t>(DataEnd - 2000), B.begin() + static_cast<std::ptrdiff_t>(DataEnd), '\0');
         },
         "inside third.bin", 3},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::string B = Good;
        C.Damage(B);
        TMemoryFileSystem FS;
        FS.AddFile("C:\\pkg\\Data\\app.arc", B);
        CUInstLog Log(0, "D:\\dest\\uinst.log", FS);
        CArchive_BZip Unpacker(nullptr, FS);
        Unpacker.Log = &Log;
        try {
            Unpacker.Unpack("C:\\pkg\\Data\\app.arc", "D:\\dest");
            ADD_FAILURE() << "unpacked";
        } catch (const EArchiveError& E) {
            EXPECT_EQ(E.Message().rfind("The archive C:\\pkg\\Data\\app.arc is damaged: ", 0), 0u) << E.Message();
            EXPECT_NE(E.Message().find(C.Why), std::string::npos) << E.Message();
            EXPECT_EQ(E.Message().find("error -"), std::string::npos);
        }
        // What was made is in the log, so that it can be removed again.
        const std::string Lines = FS.FileBytes("D:\\dest\\uinst.log");
        int Logged = 0;
        for (std::size_t At = Lines.find("[DelFile]%"); At != std::string::npos; At = Lines.find("[DelFile]%", At + 1))
            ++Logged;
        EXPECT_EQ(Logged, C.FilesMade);
        EXPECT_EQ(FS.FileBytes("D:\\dest\\first.bin"), Plain.substr(0, 100000));
    }
}

TEST(Archive, TheWellFormedReferenceArchiveUnpacks)
{
    THandArchive P;
    P.Dirs = {{"0", ""}, {"1", "\\sub"}};
    P.Files = {{"0,3", "a.txt"}, {"1,2", "b.txt"}};
    P.Data = "abcde";
    TMemoryFileSystem FS;
    FS.AddFile("C:\\ok.arc", P.Build());
    EXPECT_TRUE(CArchive_BZip(nullptr, FS).Unpack("C:\\ok.arc", "D:\\dest"));
    EXPECT_EQ(FS.FileBytes("D:\\dest\\a.txt"), "abc");
    EXPECT_EQ(FS.FileBytes("D:\\dest\\sub\\b.txt"), "de");
}

TEST(Archive, NotEnoughFreeSpace)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\big", std::string(1000, 'b'));
    CArchive_BZip(nullptr, FS).Pack("C:\\src", "C:\\b.arc");
    FS.Free = 999;
    EXPECT_THROW(CArchive_BZip(nullptr, FS).Unpack("C:\\b.arc", "D:\\d"), EArchiveError);
    EXPECT_FALSE(FS.DirectoryExists("D:\\d"));
}

TEST(Archive, RealDiskRoundTripAndTheCommittedArchive)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    FS.ForceDirectories(Root + "\\src\\sub dir\\empty");
    FS.Create(Root + "\\src\\one.txt")->WriteString("one");
    FS.Create(Root + "\\src\\sub dir\\two.bin")->WriteString(std::string("\0\1\2", 3));
    CArchive_BZip(nullptr, FS).Pack(Root + "\\src", Root + "\\out\\t.arc");
    CArchive_BZip(nullptr, FS).Unpack(Root + "\\out\\t.arc", Root + "\\dest");
    EXPECT_EQ(ReadWholeFile(Root + "\\dest\\one.txt"), "one");
    EXPECT_EQ(ReadWholeFile(Root + "\\dest\\sub dir\\two.bin"), std::string("\0\1\2", 3));
    EXPECT_TRUE(FS.DirectoryExists(Root + "\\dest\\sub dir\\empty"));

    // The committed archive was packed by another build; both builds read it alike.
    CArchive_BZip(nullptr, FS).Unpack(FixturePath("sample.arc"), Root + "\\fixture");
    EXPECT_EQ(ReadWholeFile(Root + "\\fixture\\readme.txt"), "read me");
    EXPECT_EQ(ReadWholeFile(Root + "\\fixture\\my docs\\img\\deep\\er\\pic.bmp"), "BM....");
    TMemoryFileSystem Memory;
    MakeSampleTree(Memory);
    CArchive_BZip(nullptr, Memory).Pack("C:\\src", "C:\\t.arc");
    EXPECT_EQ(Memory.FileBytes("C:\\t.arc"), ReadWholeFile(FixturePath("sample.arc")));
}

TEST(Archive, DISABLED_WriteFixtures)
{
    TMemoryFileSystem Memory;
    MakeSampleTree(Memory);
    CArchive_BZip(nullptr, Memory).Pack("C:\\src", "C:\\t.arc");
    WriteWholeFile(FixturePath("sample.arc"), Memory.FileBytes("C:\\t.arc"));
}
