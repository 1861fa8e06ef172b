// The installer's own helpers: numbers with a default, the "*" matcher, rectangles,
// the install folders by kind and the archive wrappers on an in-memory disk.
#include "installer_helpers.h"

#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <map>

TEST(StrToIntDefault, NumbersAndEverythingElse)
{
    const struct {
        const char* Text;
        std::int32_t Default, Result;
    } Cases[] = {
        {"", 7, 7},          {"12", 7, 12},   {"-40", 7, -40},         {"12a", 7, 7},
        {"4294967296", 7, 7}, {"2147483647", 0, 2147483647}, {"-2147483648", 0, INT32_MIN}, {" 5", -1, 5},
        {"x", -1, -1},       {"1.5", 0, 0},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(StrToIntDefault(C.Text, C.Default), C.Result) << C.Text;
}

TEST(MatchMask, WholeStringStarsOnly)
{
    const struct {
        const char* Mask;
        const char* Text;
        bool Match;
    } Cases[] = {
        {"", "anything", true},
        {"*", "", true},
        {"*", "abc", true},
        {"ab", "ab", true},
        {"ab", "xab", false},
        {"ab", "abab", false}, // the whole string, not a prefix
        {"ab", "AB", false},   // case-sensitive
        {"a*b", "ab", true},
        {"a*b", "axxb", true},
        {"a*b", "axxbx", false},
        {"*b", "abab", true},  // a later occurrence ends it
        {"*aa", "aaa", true},  // the ending overlaps the first occurrence
        {"a*", "abc", true},
        {"a?c", "abc", false}, // "?" is a plain character
        {"a?c", "a?c", true},
        {"*\\colors 16\\*", "C:\\pkg\\colors 16\\a.prc", true},
        {"*\\colors 16\\*", "C:\\pkg\\colors 256\\a.prc", false},
        {"**a**", "bab", true},
        {"*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(MatchMask(C.Mask, C.Text), C.Match) << C.Mask << " / " << C.Text;
}

TEST(ShrinkRect, EveryEdgeMovesIn)
{
    TRect R{0, 0, 10, 10};
    ShrinkRect(R, 2);
    EXPECT_EQ(R.Left, 2);
    EXPECT_EQ(R.Top, 2);
    EXPECT_EQ(R.Right, 8);
    EXPECT_EQ(R.Bottom, 8);
}

TEST(InstallFolder, KindsTakeTheirOwnNumbering)
{
    const std::map<TSpecialFolder, std::string> Folders = {
        {TSpecialFolder::Windows, "C:\\windows"},   {TSpecialFolder::Desktop, "C:\\u\\Desktop"},
        {TSpecialFolder::QuickLaunch, "C:\\u\\QL"}, {TSpecialFolder::Programs, "C:\\u\\Programs"},
        {TSpecialFolder::Startup, "C:\\u\\Start"},  {TSpecialFolder::ProgramFiles, "C:\\Program Files"},
    };
    const TSpecialFolderLookup Lookup = [&Folders](TSpecialFolder K) {
        const auto It = Folders.find(K);
        return It == Folders.end() ? std::string() : It->second;
    };
    const struct {
        int Kind;
        const char* Result;
    } Cases[] = {
        {0, "C:\\windows"}, {1, "C:\\u\\Desktop"}, {2, "C:\\u\\Start"},          {3, "C:\\u\\QL"},
        {4, "D:\\Mine"},    {5, "C:\\u\\Programs\\D:\\Mine"}, {6, "C:\\Program Files"}, {7, ""},
        {-1, ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(InstallFolderFrom(static_cast<TInstallFolder>(C.Kind), "D:\\Mine", Lookup), C.Result) << C.Kind;
    EXPECT_EQ(InstallFolderFrom(TInstallFolder::ProgramsGroup, "Tools", Lookup), "C:\\u\\Programs\\Tools");
}

TEST(ArchiveWrappers, ListAndUnpackWithALog)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\Src\\a.txt", "a");
    FS.AddFile("C:\\Src\\sub\\b.txt", "bb");
    ArchivePack(CArchive_BZip::Create, "C:\\Src", "C:\\Data\\app.ime", nullptr, FS);

    THash List(false);
    ArchiveList(CArchive_BZip::Create, "C:\\Data\\app.ime", List, "D:\\Base", FS);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.GetEntry(0).Value, "D:\\Base\\a.txt");
    EXPECT_EQ(List.GetEntry(1).Value, "D:\\Base\\sub\\b.txt");

    int Progress = 0;
    {
        CUInstLog Log(0, "D:\\Out\\uinst.log", FS);
        EXPECT_TRUE(ArchiveUnpack(CArchive_BZip::Create, "C:\\Data\\app.ime", "D:\\Out", &Log,
                                  [&Progress](TObject*) { ++Progress; }, FS));
    }
    EXPECT_GT(Progress, 0);
    EXPECT_TRUE(FS.FileExists("D:\\Out\\sub\\b.txt"));
    const std::string Log = FS.OpenRead("D:\\Out\\uinst.log")->ReadString(FS.OpenRead("D:\\Out\\uinst.log")->Size());
    EXPECT_NE(Log.find("[DelFile]%D:\\Out\\a.txt"), std::string::npos) << Log;
    EXPECT_NE(Log.find("[DelDir]%D:\\Out\\sub"), std::string::npos) << Log;
    // The archive's own errors pass through.
    EXPECT_ANY_THROW(ArchiveList(CArchive_BZip::Create, "C:\\Data\\none.ime", List, "", FS));
}
