// The package build of the project object: "view.inst", the archives in "Data" and
// the runtime programs, into a chosen directory or, for Preview, the temporary one.
#include "project.h"

#include "convert.h"
#include "data_bag.h"
#include "exceptions.h"
#include "memory_stream.h"
#include "replace_file.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <exception>
#include <vector>

namespace {

const std::string BuildDirRefused = "Build directory must be different than Source directory and\n\r"
                                    " its subdirectories. Please choose a different Build directory.";
const std::string PackageNotBuilt = "Installation Package not built.";
const std::string BuildDirUnusable = "Build directory must be a full path on a local disk, not on a network drive,\n\r"
                                     " a CD-ROM, a RAM disk or drive A:\n\r";
const std::string BuildDirNotMade = "Build directory can not be created:\n\r";

void Stored(TBagResult R)
{
    if (R != brDone)
        throw EInOutError("The package description could not be filled");
}

// The third field of a group's value; only "false" hides the group.
bool GroupEnabled(const std::string& Value)
{
    TArrayOfString Fields;
    SplitString(Value, "|", 3, Fields);
    return Fields[2] != "false";
}

// Hides the progress window once, at the latest when the build is left.
class TProgressScope {
public:
    TProgressScope(CCastamer& Project, const std::string& Text) : FProject(Project)
    {
        FProject.ProgressBegin(Text);
    }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;
    ~TProgressScope() { End(); }
    void End()
    {
        if (FShown)
            FProject.ProgressEnd();
        FShown = false;
    }

private:
    CCastamer& FProject;
    bool FShown = true;
};

} // namespace

bool CCastamer::SourceInTempDir() const
{
    const std::string Temp = TempDirName();
    for (const auto& App : FApps)
        if (IsInsideDir(Temp, App->GetInDir()))
            return true;
    return false;
}

bool CCastamer::IsBuildDirAllowed(const std::string& Dir)
{
    for (const auto& App : FApps) {
        const std::string Source = App->GetInDir();
        if (!Source.empty() && StartsWithText(Source, Dir))
            return false;
    }
    // The Palm OS export empties the temporary directory during the build.
    return !IsInsideDir(TempDirName(), Dir) && !SourceInTempDir();
}

void CCastamer::ShowError(const std::string& Text)
{
    if (FUI)
        FUI->ShowMessage(Text, IBuilderUI::mtError, {"Ok"});
}

bool CCastamer::Build(TBuildMode Mode)
{
    BuildMode = Mode;
    if (Mode == TBuildMode::Preview) {
        // Emptying the temporary directory would delete such a source.
        if (SourceInTempDir()) {
            ShowError(BuildDirRefused);
            return false;
        }
        ClearTempDir();
    } else {
        if (!FUI)
            return false;
        const std::string Last = ProjectOptions.Lookup("O_OutDir");
        std::string Dir = !Last.empty() && FFS->DirectoryExists(Last) ? Last : ProgramDir;
        if (!FUI->SelectDir(Dir, "Select Build Directory", true, ""))
            return false;
        // Every check runs before the directory is created. A chosen directory that
        // cannot be used is always said: the chooser has closed on it.
        if (!CanInstallTo(Dir, false, *FFS)) {
            ShowError(BuildDirUnusable + Dir);
            return false;
        }
        if (!IsBuildDirAllowed(Dir)) {
            ShowError(BuildDirRefused);
            return false;
        }
        if (!CanInstallTo(Dir, true, *FFS)) {
            ShowError(BuildDirNotMade + Dir);
            return false;
        }
        SetOutDir(Dir);
        FUI->RepaintMainWindow();
    }

    const std::string OutDir = GetOutDir();
    TProgressScope Progress(*this, "Building Project...");
    FFS->ForceDirectories(OutDir); // else the package's writes into it fail, saying why
    CDataBag Bag;
    ProgressStep(20);
    ExportGroups(Bag);
    ProgressStep(40);
    const std::string Background = Settings.Lookup("Wnd_Image_Bg");
    if (FFS->FileExists(Background))
        Stored(Bag.PutFile(Background, bag_Background, -1, *FFS));
    ProgressStep(60);
    std::int32_t Count = 0;
    if (!ExportApps(Bag, Count)) {
        ShowError(PackageNotBuilt);
        return false;
    }
    THash Table(true);
    Table.Assign(Settings, true);
    Table.Add("APPs", IntToStr(Count));
    Stored(Bag.PutHash(Table, bag_Settings));
    ProgressStep(80);
    TMemoryStream View;
    Stored(Bag.SaveToStream(View, true));
    WriteFileReplacing(*FFS, GetViewFileName(), View.Bytes());
    ProgressStep(90);
    if (!CopyRuntimeFiles()) {
        ShowError(PackageNotBuilt);
        return false;
    }
    ProgressStep(100);
    Progress.End();
    if (Mode == TBuildMode::Build && FUI)
        FUI->ShowMessage("Installation Package built in \n\r" + OutDir, IBuilderUI::mtInformation, {"Ok"});
    return true;
}

void CCastamer::ExportGroups(CDataBag& Bag)
{
    THash Names(true);
    std::int32_t K = 0;
    for (const THashPair& Group : Groups.Pairs()) {
        if (!GroupEnabled(Group.Value))
            continue;
        TArrayOfString Fields;
        SplitString(Group.Value, "|", 3, Fields);
        if (FFS->FileExists(Fields[1]))
            Stored(Bag.PutFile(Fields[1], bag_GroupIconBase + K, -1, *FFS));
        Names.Add(Group.Key, Fields[0]);
        ++K;
    }
    if (Names.Count() > 0)
        Stored(Bag.PutHash(Names, bag_GroupNames));
}

bool CCastamer::ExportApps(CDataBag& Bag, std::int32_t& Count)
{
    Count = 0;
    std::vector<CCst_App*> Exported;
    for (const auto& App : FApps)
        if (GroupEnabled(Groups.Lookup(App->GetGroupID())))
            Exported.push_back(App.get());
    // Two archives of one name would overwrite each other in "Data", which Windows
    // names without regard to case; refused before any archive is written.
    if (BuildMode == TBuildMode::Build)
        for (std::size_t I = 0; I < Exported.size(); ++I)
            for (std::size_t J = 0; J < I; ++J)
                if (SameText(Exported[I]->GetOutFN(), Exported[J]->GetOutFN()))
                    return false;
    try {
        TMemoryStream Record;
        for (CCst_App* App : Exported) {
            Record.Clear();
            App->BuildToStream(Record, BuildMode);
            Record.SetPosition(0);
            if (Bag.PutStream(Record, bag_AppRecordBase + Count) != brDone)
                return false;
            ++Count;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool CCastamer::CopyRuntimeFiles()
{
    // Copied over what is there, never deleted first: a failed copy then leaves
    // the earlier program in place.
    const auto Copy = [this](const std::string& Source, const std::string& Dest) {
        return SameText(Source, Dest) ? FFS->FileExists(Dest) : static_cast<bool>(FFS->CopyFileTo(Source, Dest, true));
    };
    const bool Installer = Copy(JoinPath(ProgramDir, "Install.exe"), JoinPath(GetOutDir(), "Install.exe"));
    if (BuildMode == TBuildMode::Build) {
        bool HasPC = false;
        for (const auto& App : FApps)
            HasPC = HasPC || App->IsPC();
        // A missing uninstaller is not reported.
        if (HasPC && FFS->ForceDirectories(GetDataDir()))
            Copy(JoinPath(ProgramDir, "Castremove.exe"), JoinPath(GetDataDir(), "Castremove.exe"));
    }
    return Installer;
}

bool BuildAndRunInstaller(CCastamer& Project, TBuildMode Mode)
{
    if (!Project.Build(Mode))
        return false;
    if (Mode == TBuildMode::Preview)
        Project.RunInstaller(Project.GetTempDir(), true);
    else
        Project.RunInstaller(Project.GetOutDir(), false);
    return true;
}
