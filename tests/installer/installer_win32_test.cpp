// The installer's system side under Wine: the Windows folders, shell links, and
// package bitmaps through the system's decoder, RLE included.
#include "installer_gui_support.h"

#include "com_apartment.h"
#include "package_picture.h"
#include "shell_links.h"
#include "win32_handles.h"

#include <objbase.h>
#include <shlguid.h>

namespace {

// A link's target, arguments, working directory and description, read back.
std::vector<std::string> ReadLink(const std::string& Path)
{
    std::vector<std::string> Out;
    const TComApartment Com;
    TComPtr<IShellLinkA> Link;
    TComPtr<IPersistFile> File;
    if (!Com.Ready() ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(Link.Receive()))) ||
        FAILED(Link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(File.Receive()))))
        return Out;
    const std::wstring W(Path.begin(), Path.end());
    if (FAILED(File.Get()->Load(W.c_str(), STGM_READ)))
        return Out;
    char Buf[MAX_PATH] = {};
    Link.Get()->GetPath(Buf, MAX_PATH, nullptr, 0);
    Out.push_back(Buf);
    Link.Get()->GetArguments(Buf, MAX_PATH);
    Out.push_back(Buf);
    Link.Get()->GetWorkingDirectory(Buf, MAX_PATH);
    Out.push_back(Buf);
    Link.Get()->GetDescription(Buf, MAX_PATH);
    Out.push_back(Buf);
    return Out;
}

} // namespace

TEST(InstallerFolders, SpecialAndInstallFolders)
{
    char Windows[MAX_PATH] = {};
    GetWindowsDirectoryA(Windows, MAX_PATH);
    EXPECT_EQ(GetSpecialFolder(TSpecialFolder::Windows), Windows);
    EXPECT_FALSE(GetSpecialFolder(TSpecialFolder::ProgramFiles).empty());
    EXPECT_FALSE(GetSpecialFolder(TSpecialFolder::Desktop).empty());
    EXPECT_FALSE(GetSpecialFolder(TSpecialFolder::Programs).empty());
    EXPECT_EQ(GetSpecialFolder(static_cast<TSpecialFolder>(8)), "");
    EXPECT_EQ(GetInstallFolder(TInstallFolder::Windows, ""), Windows);
    EXPECT_EQ(GetInstallFolder(TInstallFolder::Path, "D:\\x"), "D:\\x");
    EXPECT_EQ(GetInstallFolder(TInstallFolder::ProgramsGroup, "Tools"),
              JoinPath(GetSpecialFolder(TSpecialFolder::Programs), "Tools"));
    EXPECT_EQ(GetInstallFolder(static_cast<TInstallFolder>(7), "D:\\x"), "");
    EXPECT_EQ(GetShellCommand("BrindloNoSuchClass", "open"), "");
}

TEST(InstallerShortcuts, LinksAreSavedWhereTheirKindSays)
{
    const std::string Dir = ScratchDir();
    const std::string Target = Dir + "\\app\\tool.exe";
    LocalFileSystem().ForceDirectories(Dir + "\\app");
    WriteWholeFile(Target, "tool");
    std::string Link = "unchanged";
    CreateShortcut(Target, "-x \"y\"", Dir + "\\app", "", Dir + "\\menu\\Group", TInstallFolder::Path, Link);
    EXPECT_EQ(Link, Dir + "\\menu\\Group\\ShortCut totool.exe.lnk");
    EXPECT_EQ(ReadLink(Link), (std::vector<std::string>{Target, "-x \"y\"", Dir + "\\app", "ShortCut totool.exe"}));

    CreateShortcut(Target, "", "", "Tool", "Brindlo Test Group", TInstallFolder::ProgramsGroup, Link);
    const std::string Programs = GetSpecialFolder(TSpecialFolder::Programs);
    EXPECT_EQ(Link, Programs + "\\Brindlo Test Group\\Tool.lnk");
    EXPECT_TRUE(LocalFileSystem().FileExists(Link));
    DeleteFileA(Link.c_str());
    RemoveDirectoryA((Programs + "\\Brindlo Test Group").c_str());

    // Nothing for an empty target; nothing outside the folder; no folder, no link.
    Link = "kept";
    CreateShortcut("", "", "", "Tool", "", TInstallFolder::Desktop, Link);
    EXPECT_EQ(Link, "kept");
    CreateShortcut(Target, "", "", "..\\escape", Dir + "\\menu", TInstallFolder::Path, Link);
    EXPECT_EQ(Link, "");
    CreateShortcut(Target, "", "", "Tool", "..\\..", TInstallFolder::ProgramsGroup, Link);
    EXPECT_EQ(Link, "");
    CreateShortcut(Target, "", "", "Tool", "", static_cast<TInstallFolder>(9), Link);
    EXPECT_EQ(Link, "");
}

namespace {

// A 4-bit RLE bitmap file: two rows of 4 pixels, colours 1 and 2 of a table of 16.
std::string Rle4Bmp()
{
    std::string Pixels = std::string("\x04\x11\x00\x00", 4) + std::string("\x04\x22\x00\x01", 4);
    std::string Table(64, '\0');
    Table[4] = '\xFF';          // 1: blue
    Table[8 + 1] = '\xFF';      // 2: green
    return BitmapFile(4, 2, 4, 2 /* BI_RLE4 */, Table, Pixels);
}

} // namespace

TEST(PackagePicture, SystemDecoderTakesWhatThePlatformLoads)
{
    TMemoryStream Plain(SolidBmp(6, 3, 0x123456));
    auto Decoded = DecodePackageBitmap(ReadPackageBitmap(Plain, true));
    EXPECT_EQ(Decoded->Width(), 6);
    EXPECT_EQ(Decoded->Pixel(5, 2), 0x123456u);

    TMemoryStream Rle(Rle4Bmp());
    Decoded = DecodePackageBitmap(ReadPackageBitmap(Rle, false));
    EXPECT_EQ(Decoded->Pixel(0, 1), 0xFF0000u); // the first row stored is the bottom one
    EXPECT_EQ(Decoded->Pixel(3, 0), 0x00FF00u);

    // The size is checked against the bytes present before the decoder sees anything.
    std::string Cut = Rle4Bmp();
    Cut.resize(Cut.size() - 3);
    TMemoryStream Short(Cut);
    EXPECT_THROW(ReadPackageBitmap(Short, false), EInvalidGraphic);
}
