// Where the programs' libraries come from. A library planted beside Install.exe (in
// the package directory, a download folder) or beside Castremove.exe under the name of
// a system library that is no KnownDLL must not be loaded: Wine is told to prefer such
// a library over its own, as Windows takes a library found beside the program first.
// A plug-in's own libraries are found beside it, on either road of the loader.
#include "installer_gui_support.h"

#include "driver.h"
#include "plug_loader.h"
#include "test_registry_key.h"

#include <memory>

namespace {

// The libraries the programs use that are no KnownDLLs.
const char* const PlantedNames[] = {"comctl32", "msimg32"};

std::string PlantBeside(const std::string& Dir, const std::string& Name)
{
    const std::string Path = Dir + "\\" + Name + ".dll";
    EXPECT_TRUE(CopyFileA(BesideTests("planted_library.dll").c_str(), Path.c_str(), FALSE)) << Path;
    return Path;
}

bool Loaded(const std::string& Planted) { return LocalFileSystem().FileExists(Planted + ".loaded"); }

// A planted library that must stay unloaded: checked when the case ends, also when it
// ends early because the program did not come up.
class TMustNotLoad {
public:
    TMustNotLoad(const std::string& Dir, const std::string& Name) : FPath(PlantBeside(Dir, Name)) {}
    ~TMustNotLoad() { EXPECT_FALSE(Loaded(FPath)) << FPath << " was loaded"; }
    TMustNotLoad(const TMustNotLoad&) = delete;
    TMustNotLoad& operator=(const TMustNotLoad&) = delete;

private:
    std::string FPath;
};

// Wine told to prefer, in the process of the program file Program (a name of its own,
// as the setting goes by the program's name), the libraries Names that it finds in
// the search over its own builtin ones: that is Windows' search. Wine reads the
// setting when the process starts; WINEDLLOVERRIDES would reach Wine's start-up only
// from the Unix environment, not from the one a Windows process hands its child.
class TPreferFound {
public:
    TPreferFound(const std::string& Program, const std::vector<std::string>& Names)
        : FProgram(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + ExtractFileName(Program)),
          FKey(HKEY_CURRENT_USER, FProgram.Path() + "\\DllOverrides")
    {
        for (const std::string& Name : Names)
            EXPECT_TRUE(FKey.SetString(Name, "native,builtin")) << Name;
    }

private:
    TTestRegKey FProgram; // removed with everything below it
    TTestRegKey FKey;
};

// A copy of a program in Dir under a name no other test's program has.
std::string CopyProgram(const std::string& Program, const std::string& Dir, const std::string& Stem)
{
    const std::string Copy = Dir + "\\" + UniqueTestName(Stem) + ".exe";
    EXPECT_TRUE(CopyFileA(Program.c_str(), Copy.c_str(), FALSE)) << Copy;
    return Copy;
}

} // namespace

TEST(PlantedLibrary, AProgramThatImportsThemLoadsThePlantedCopies)
{
    const std::string Dir = ScratchDir();
    const std::string Probe = CopyProgram(BesideTests("planted_library_probe.exe"), Dir, "Probe");
    std::vector<std::string> Names, Planted;
    for (const char* Name : PlantedNames) {
        Names.push_back(Name);
        Planted.push_back(PlantBeside(Dir, Name));
    }
    const TPreferFound Prefer(Probe, Names);
    TDrivenProcess P = TDrivenProcess::Start({Probe, {}, Dir, {}, ""});
    EXPECT_EQ(P.WaitExit(), 0u);
    for (const std::string& Path : Planted)
        EXPECT_TRUE(Loaded(Path)) << Path;
}

TEST(PlantedLibrary, TheInstallerLoadsNoneFromItsPackageAndWorks)
{
    const std::string Dir = ScratchDir();
    for (const char* Name : PlantedNames) {
        SCOPED_TRACE(Name);
        const std::string Package = BuildPackage(Dir + "\\" + Name, [](CCastamer& B, const std::string& D) {
            B.Settings.Add("Wnd_Caption", "Planted");
            AddPcApp(B, D, "Editor", "RootGID");
        });
        const std::string Program = CopyProgram(Package + "\\Install.exe", Package, std::string("Install_") + Name);
        const TMustNotLoad Planted(Package, Name);
        const TPreferFound Prefer(Program, {Name});
        TDrivenProcess P = TDrivenProcess::Start({Program, {}, Package, {}, ""});
        const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Planted"});
        // The rows draw their pictures from image lists, a common control.
        WaitItem(Main, {"CFxListItem", "", "Install"});
        WaitPainted(Main);
        PostClose(Main);
        EXPECT_EQ(P.WaitExit(), 0u);
    }
}

TEST(PlantedLibrary, TheUninstallerLoadsNoneFromBesideItselfAndWorks)
{
    const std::string Dir = ScratchDir();
    for (const char* Name : PlantedNames) {
        SCOPED_TRACE(Name);
        const std::string Beside = Dir + "\\" + Name;
        LocalFileSystem().ForceDirectories(Beside);
        const std::string Program =
            CopyProgram(BuiltProgramPath("Castremove.exe"), Beside, std::string("Castremove_") + Name);
        const TMustNotLoad Planted(Beside, Name);
        const std::string Log = Beside + "\\uinst.log";
        WriteWholeFile(Log, "[UImes 1]%Remove the planted test?\r\n");
        const TPreferFound Prefer(Program, {Name});
        TDrivenProcess P = TDrivenProcess::Start({Program, {"#uninstall", Log}, Beside, {}, ""});
        const HWND Question = WaitTopWindow(P.Id(), {"#32770"});
        // The strip with its progress bar, a common control, stands behind the question.
        const HWND Strip = FindTopWindow(P.Id(), {"", "Uninstall", true, {Question}});
        ASSERT_NE(Strip, nullptr);
        EXPECT_EQ(ItemOf(ReadTexts(Strip), {"TProgressBar", "PB"}).Width, 281);
        ClickDialogButton(Question, "Cancel");
        EXPECT_EQ(P.WaitExit(), 0u);
    }
}

TEST(PluginSearch, APlugInsOwnLibraryIsFoundBesideItOnEitherRoad)
{
    const std::string Plugins = ScratchDir() + "\\plugins";
    LocalFileSystem().ForceDirectories(Plugins);
    ASSERT_TRUE(CopyFileA(BesideTests("dependent_plugin.dll").c_str(), (Plugins + "\\dependent.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTests("plugin_helper\\plugin_helper.dll").c_str(),
                          (Plugins + "\\plugin_helper.dll").c_str(), FALSE));
    for (TPluginSearch Search : {TPluginSearch::Flags, TPluginSearch::AlteredPath}) {
        SCOPED_TRACE(Search == TPluginSearch::Flags ? "search flags" : "altered search path");
        // Loaded already, the helper would be taken whatever the search.
        ASSERT_EQ(GetModuleHandleA("plugin_helper.dll"), nullptr);
        const std::unique_ptr<void, void (*)(void*)> Module(LoadPluginModule(Plugins + "\\dependent.dll", Search),
                                                            FreePluginModule);
        ASSERT_NE(Module.get(), nullptr);
        EXPECT_NE(FindPluginEntry(Module.get()), nullptr);
    }
}
