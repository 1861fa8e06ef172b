#pragma once

// Packages made by our own package build on the real disk, and the test programs and
// libraries that lie beside the tests.
#include "builder_fakes.h"
#include "gui_support.h"
#include "installer_fakes.h"
#include "package_reader.h"

#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// The directory of the running test program, where the build put Install.exe and the
// test plug-ins.
inline std::string TestProgramDirectory()
{
    char Path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, Path, MAX_PATH);
    return ExtractFilePath(Path);
}

inline std::string BesideTests(const std::string& Name) { return JoinPath(TestProgramDirectory(), Name); }

// Builds the project Fill makes into Dir\package and answers that directory.
inline std::string BuildPackage(const std::string& Dir, const std::function<void(CCastamer&, const std::string&)>& Fill)
{
    const std::string Program = Dir + "\\builder";
    LocalFileSystem().ForceDirectories(Program);
    CopyFileA(BesideTests("Install.exe").c_str(), (Program + "\\Install.exe").c_str(), FALSE);
    THash Remembered(true);
    TFakeBuilderUI UI;
    TBuilderServices S = SystemBuilderServices();
    S.ProgramFileName = Program + "\\Castbuild.exe";
    S.Registry = nullptr;
    S.RunProgram = [](const std::string&, const std::string&, bool) { return true; };
    CCastamer B(S, Remembered);
    B.AttachUI(&UI);
    Fill(B, Dir);
    UI.DirAnswer = Dir + "\\package";
    EXPECT_TRUE(B.Build(TBuildMode::Build)) << ::testing::PrintToString(UI.Calls);
    return UI.DirAnswer;
}

// A PC installation with one file in its source tree.
inline CCst_App* AddPcApp(CCastamer& B, const std::string& Dir, const std::string& Name, const std::string& Group)
{
    const std::string Source = Dir + "\\src\\" + Name;
    LocalFileSystem().ForceDirectories(Source);
    WriteWholeFile(Source + "\\readme.txt", Name);
    CCst_App* A = B.AddApp();
    A->Props.Add("App name", Name);
    A->Props.Add("DID", "2");
    A->SetGroupID(Group);
    A->Props.Add("InDir", Source);
    A->Props.Add("OutFN", Name + ".ime");
    return A;
}

// A 24-bit bitmap file of one colour (red in the low byte).
inline std::string SolidBmp(int Width, int Height, std::uint32_t Color)
{
    std::string B = MakeBmp(Width, Height);
    const std::size_t Stride = ((static_cast<std::size_t>(Width) * 24 + 31) / 32) * 4;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const std::size_t At = 54 + static_cast<std::size_t>(Y) * Stride + static_cast<std::size_t>(X) * 3;
            B[At] = static_cast<char>((Color >> 16) & 0xFF);
            B[At + 1] = static_cast<char>((Color >> 8) & 0xFF);
            B[At + 2] = static_cast<char>(Color & 0xFF);
        }
    return B;
}

// Two groups with icons (blue and red), a yellow background at 30, 100 and, in the
// second group, Chess (a description, a teal 80 x 40 screenshot, a web link) and Go;
// the first holds Editor.
inline void MakeGroupsProject(CCastamer& B, const std::string& D)
{
    WriteWholeFile(D + "\\tools.bmp", SolidBmp(30, 20, 0x0000FF));
    WriteWholeFile(D + "\\games.bmp", SolidBmp(30, 20, 0xFF0000));
    WriteWholeFile(D + "\\bg.bmp", SolidBmp(200, 150, 0x00FFFF));
    WriteWholeFile(D + "\\shot.bmp", SolidBmp(80, 40, 0x808000));
    B.Groups.Add("g1", "Tools|" + D + "\\tools.bmp|true");
    B.Groups.Add("g2", "Games|" + D + "\\games.bmp|true");
    B.Settings.Add("Wnd_Image_Bg", D + "\\bg.bmp");
    B.Settings.Add("Wnd_ImgBg_Left", "30");
    B.Settings.Add("Wnd_ImgBg_Top", "100");
    CCst_App* Chess = AddPcApp(B, D, "Chess", "g2");
    Chess->Props.Add("Describe", "Chess against the machine.");
    Chess->Props.Add("ScreenShot", D + "\\shot.bmp");
    Chess->Props.Add("Web Link", "Chess site;http://chess.invalid/");
    AddPcApp(B, D, "Go", "g2");
    AddPcApp(B, D, "Editor", "g1");
}
