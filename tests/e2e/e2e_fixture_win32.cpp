#include "e2e_fixture.h"

#include "builder_services.h"
#include "project.h"
#include "hash.h"
#include "headless_builder_ui.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <algorithm>

std::vector<std::string> TreeOf(const std::string& Top)
{
    THash Dirs(false), Files(false);
    ScanDirTree(Top, "*.*", Dirs, Files);
    std::vector<std::string> V;
    for (const THashPair& P : Dirs.Pairs())
        V.push_back("d " + P.Value.substr(std::min(P.Value.size(), Top.size())));
    for (const THashPair& P : Files.Pairs()) {
        const std::string Path = JoinPath(Dirs.Lookup(P.Key), P.Value);
        V.push_back("f " + Path.substr(std::min(Path.size(), Top.size())));
    }
    std::sort(V.begin(), V.end());
    return V;
}

std::vector<std::string> MakeFixtureTree(const std::string& Dir)
{
    TFileSystem& FS = LocalFileSystem();
    const std::vector<std::pair<std::string, std::string>> Files = {
        {"\\bin\\tool.exe", "MZ the program"},
        {"\\bin\\tool.ini", "[Tool]\r\nStart=1\r\n"},
        {"\\readme.txt", "Read me first.\r\n"},
        {"\\empty.dat", ""},
        {"\\docs\\manual\\chapter 1.txt", std::string(70000, 'm')},
        {"\\docs\\manual\\deep\\er\\notes.txt", "deep"},
    };
    std::vector<std::string> Names;
    for (const auto& F : Files) {
        const std::string Path = Dir + F.first;
        FS.ForceDirectories(ExtractFilePath(Path));
        WriteWholeFile(Path, F.second);
        Names.push_back(F.first);
    }
    FS.ForceDirectories(Dir + "\\nothing here");
    return Names;
}

std::vector<std::string> BuildFixturePackage(const TFixturePackage& Fixture, const std::string& SourceDir,
                                             const std::string& PackageDir, const std::string& ProgramDir)
{
    TBuilderServices Services = DefaultBuilderServices();
    Services.ProgramFileName = JoinPath(ProgramDir, "Castbuild.exe");
    THash Remembered(true);
    CCastamer Project(Services, Remembered);
    THeadlessUI UI(PackageDir);
    Project.AttachUI(&UI);
    CCst_App* App = Project.AddApp();
    App->Props.Add("DID", "2");
    App->Props.Add("App name", Fixture.AppName);
    App->Props.Add("CompName", Fixture.CompName);
    App->Props.Add("InDir", SourceDir);
    App->Props.Add("DefInstDir", "$(Program Files)/$(Company)/$(Name)");
    App->Props.Add("Licenze", Fixture.Licence);
    App->Props.Add("AddUinstSC", "true");
    const std::string Tool = JoinPath(SourceDir, "bin\\tool.exe");
    const std::vector<std::string> Shortcuts = {
        "Tool|SCut to file|" + Tool + "|Desktop|",
        "Tool|SCut to file|" + Tool + "|Program files|" + Fixture.Group,
        "Tool|SCut to file|" + Tool + "|Quick launch|",
        // A Pocket PC destination: a PC installation makes no link of it.
        "Tool on the device|SCut to file|" + Tool + "|Start Menu|",
        "Uninstall Tool|SCut to uninstall||Program files|" + Fixture.Group,
    };
    for (std::size_t I = 0; I < Shortcuts.size(); ++I)
        App->Shortcuts.Add("SC" + std::to_string(I), Shortcuts[I]);
    Project.Build(TBuildMode::Build);
    return UI.Messages;
}
