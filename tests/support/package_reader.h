#pragma once

#include "archive.h"
#include "bmp_image.h"
#include "data_bag.h"
#include "file_system.h"
#include "hash.h"
#include "memory_stream.h"
#include "test_bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A package description read back the way the installer reads it.
struct TPackageRecord {
    THash Extra{false};
    THash Props{false};
    THash Shortcuts{false};
    THash PalmGroups{false};
    THash PocketPC{false};
    bool HasIcon = false;
    bool HasShot = false;
    TBmpImage Icon;
    TBmpImage Shot;
};

inline std::vector<std::int32_t> BagKeys(const CDataBag& Bag)
{
    std::vector<std::int32_t> Keys;
    for (const DataBagEntry& E : Bag.Index())
        Keys.push_back(E.Key);
    return Keys;
}

inline void LoadPackage(CDataBag& Bag, const std::string& ViewFile, TFileSystem& FS)
{
    ASSERT_EQ(Bag.LoadFromFile(ViewFile, FS), brDone) << ViewFile;
    EXPECT_TRUE(Bag.Header().Compressed);
}

// A table record as key=value lines.
inline std::vector<std::string> TableEntries(CDataBag& Bag, std::int32_t Key)
{
    THash H(false);
    EXPECT_EQ(Bag.GetHash(H, Key), brDone) << Key;
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key + "=" + P.Value);
    return V;
}

// Five tables, then a bitmap for each non-empty "App icon" and "ScreenShot", each
// delimited by its own file header; nothing may follow.
inline void ReadAppRecord(CDataBag& Bag, std::int32_t Key, TPackageRecord& R)
{
    TMemoryStream S;
    ASSERT_EQ(Bag.GetStream(S, Key, true), brDone) << Key;
    for (THash* T : {&R.Extra, &R.Props, &R.Shortcuts, &R.PalmGroups, &R.PocketPC})
        T->LoadFromStream(S);
    R.HasIcon = !R.Props.Lookup("App icon").empty();
    R.HasShot = !R.Props.Lookup("ScreenShot").empty();
    if (R.HasIcon)
        R.Icon.LoadFromFileImage(S);
    if (R.HasShot)
        R.Shot.LoadFromFileImage(S);
    EXPECT_EQ(S.Position(), S.Size()) << "bytes after record " << Key;
}

inline std::vector<std::string> Keys(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key);
    return V;
}

inline std::vector<std::string> Sorted(std::vector<std::string> V)
{
    std::sort(V.begin(), V.end());
    return V;
}

// The files an archive lists, sorted.
inline std::vector<std::string> ArchiveFiles(const std::string& ArchiveFile, TFileSystem& FS)
{
    THash List(false);
    CArchive_BZip(nullptr, FS).List(ArchiveFile, List, "");
    std::vector<std::string> V;
    for (const THashPair& P : List.Pairs())
        V.push_back(P.Value);
    return Sorted(V);
}

// Dir's tree as sorted lines: "\\sub\\" for a directory, "\\sub\\name=bytes" for a file.
inline std::vector<std::string> TreeBelow(TFileSystem& FS, const std::string& Dir)
{
    std::vector<std::string> Lines;
    std::vector<std::string> Todo{""};
    while (!Todo.empty()) {
        const std::string Rel = Todo.back();
        Todo.pop_back();
        for (const TDirEntry& E : FS.ListDirectory(Dir + Rel)) {
            const std::string Path = Rel + "\\" + E.Name;
            if (E.IsDirectory()) {
                Lines.push_back(Path + "\\");
                Todo.push_back(Path);
            } else {
                auto In = FS.OpenRead(Dir + Path);
                Lines.push_back(Path + "=" + In->ReadString(In->Size()));
            }
        }
    }
    return Sorted(Lines);
}

