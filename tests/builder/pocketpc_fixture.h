#pragma once

#include "project.h"
#include "file_system.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <string>

// A Pocket PC game that builds its CAB files: a source tree below Src, an engine for
// each of the three processors below Dev (the ARM directory also brings its own
// copy of a common file), entries the build passes over, and shortcuts to the Start
// menu and to the installation directory beside ones it drops. A "%" in the company
// and in a directory name must not read as a macro.
inline CCst_App* MakePocketPCGame(CCastamer& B, TFileSystem& FS, const std::string& Src, const std::string& Dev)
{
    const auto Put = [&FS](const std::string& Path, const std::string& Bytes) {
        FS.ForceDirectories(ExtractFilePath(Path));
        FS.Create(Path)->WriteString(Bytes);
    };
    Put(Src + "\\game.exe", "game");
    Put(Src + "\\readme.txt", "read me");
    Put(Src + "\\data 50%\\level1.dat", "level");
    for (const char* Cpu : {"arm", "mips", "sh3"})
        Put(Dev + "\\" + Cpu + "\\engine.dll", Cpu);
    Put(Dev + "\\arm\\readme.txt", "ARM notes");

    CCst_App* A = B.AddApp();
    A->Props.Add("App name", "My Game Deluxe!");
    A->SetCompName("Brindlo 100% Soft.");
    A->Props.Add("DID", "1");
    A->Props.Add("InDir", Src);
    A->Props.Add("OutFN", "ppc.ime");
    A->SetIsCC("true");
    A->PocketPC.Add("PPC_ASDesc", "A game");
    A->PDFiles.Add("p1", "ARM|" + Dev + "\\arm\\engine.dll|App Root");
    A->PDFiles.Add("p2", "MIPS|" + Dev + "\\mips\\engine.dll|App Root");
    A->PDFiles.Add("p3", "SH3|" + Dev + "\\sh3\\engine.dll|App Root");
    A->PDFiles.Add("p4", "ARM|" + Dev + "\\arm\\readme.txt|App Root");
    A->PDFiles.Add("p5", "Z80|" + Dev + "\\z80\\engine.dll|App Root");
    A->PDFiles.Add("p6", "MIPS||App Root");
    A->Shortcuts.Add("s1", "Game|SCut to file|" + Src + "\\game.exe|Start Menu|");
    A->Shortcuts.Add("s2", "Engine|SCut to file|" + Dev + "\\arm\\engine.dll|App Root|");
    A->Shortcuts.Add("s3", "Remove|SCut to uninstall||Start Menu|");
    A->Shortcuts.Add("s4", "Elsewhere|SCut to file|" + Dev + "\\other\\x.exe|Start Menu|");
    return A;
}

// The game's setup description, lines ended by CR LF.
inline std::string ExpectedGameInf(const std::string& Src, const std::string& Dev)
{
    const std::string Template = ReadWholeFile(FixturePath("pocketpc_game.inf"));
    std::string Text;
    for (std::size_t I = 0; I < Template.size(); ++I) {
        if (Template.compare(I, 5, "{SRC}") == 0) {
            Text += Src;
            I += 4;
        } else if (Template.compare(I, 5, "{DEV}") == 0) {
            Text += Dev;
            I += 4;
        } else if (Template[I] == '\n') {
            Text += "\r\n";
        } else {
            Text += Template[I];
        }
    }
    return Text;
}
