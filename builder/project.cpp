#include "project.h"

#include "archive.h"
#include "convert.h"
#include "exceptions.h"
#include "project_file_type.h"
#include "path_and_dir_helpers.h"

#include <algorithm>
#include <exception>

namespace {

// Empties Dir. A link or junction is removed itself, never entered: its target
// may be anything on the disk. Copies keep the read-only attribute, and Windows
// deletes no read-only file: the attribute goes first. Raises EInOutError when a
// directory cannot be listed.
void EmptyDirectory(TFileSystem& FS, const std::string& Dir)
{
    for (const TDirEntry& E : FS.ListDirectory(Dir)) {
        const std::string Path = JoinPath(Dir, E.Name);
        if (E.Attributes & faReparsePoint) {
            if (!FS.EraseFile(Path))
                FS.RemoveDir(Path);
            continue;
        }
        if (E.Attributes & faReadOnly)
            FS.MakeWritable(Path);
        if (E.IsDirectory()) {
            EmptyDirectory(FS, Path);
            FS.RemoveDir(Path);
        } else {
            FS.EraseFile(Path);
        }
    }
}

} // namespace

CCastamer::CCastamer(const TBuilderServices& Services, THash& RememberedPaths)
    : FServices(Services), FFS(Services.FileSystem ? Services.FileSystem : &LocalFileSystem()),
      FRememberedPaths(RememberedPaths)
{
    try {
        Construct();
    } catch (const std::exception&) {
        return;
    }
    Ready = true;
    RegisterProjectFileType();
}

void CCastamer::Construct()
{
    Ready = false;
    ProgramDir = ExtractFilePath(FServices.ProgramFileName);
    HelpDir = JoinPath(ProgramDir, "help");
    Settings.OnChange = [this](TObject* Sender) { SettingsChange(Sender); };
    Groups.OnChange = [this](TObject* Sender) { GroupsChange(Sender); };
    NewProject();
    EnvOptions.Add("O_NADID", "-1");
    EnvOptions.Add("O_PAB", OptionOnChar);
    EnvOptions.Add("O_VEL", OptionOnChar);
    LoadEnv();
}

CCastamer::~CCastamer()
{
    // A destructor cannot report; a failed write leaves the previous file whole.
    try {
        SaveEnv();
    } catch (const std::exception&) {
    }
    Settings.OnChange = nullptr;
    Groups.OnChange = nullptr;
    ClearApps();
}

void CCastamer::ClearApps()
{
    while (!FApps.empty()) {
        // Out of the list first, so that nothing finds it while it is freed.
        std::unique_ptr<CCst_App> App = std::move(FApps.back());
        FApps.pop_back();
    }
}

CCst_App* CCastamer::AddApp()
{
    std::unique_ptr<CCst_App> App(new CCst_App(*this));
    App->SetDefaults();
    if (!FApps.empty())
        App->SetCompName(FApps.back()->GetCompName());
    FApps.push_back(std::move(App));
    return FApps.back().get();
}

void CCastamer::DeleteApp(CCst_App* App)
{
    const auto It = std::find_if(FApps.begin(), FApps.end(), [App](const auto& P) { return P.get() == App; });
    if (It == FApps.end())
        return;
    std::unique_ptr<CCst_App> Gone = std::move(*It);
    FApps.erase(It);
}

void CCastamer::NewProject()
{
    HelpActions.Clear();
    ProjectFileName.clear();
    Settings.Clear();
    const std::string Defaults[][2] = {
        {"Create Date", FServices.DateText()},
        {"Create time", FServices.TimeText()},
        {"Wnd_Caption", "Installer"},
        {"Wnd_Style_Caption", "Caption"},
        {"Wnd_sRect", "-1,-1,490,330"},
        {"Wnd_Width_Min", ""},
        {"Wnd_Width_Max", ""},
        {"Wnd_Height_Min", ""},
        {"Wnd_Height_Max", ""},
        {"Wnd_ColorGB", "8404992"},
        {"Wnd_Image_Bg", ""},
        {"Wnd_ImgBg_Left", ""},
        {"Wnd_ImgBg_Top", ""},
        {"Wnd_Type", "Resizable"},
        {"Wnd_Color_Fnt", "16777215"},
        {"eList_ColorCor", "1.8"},
        {"eList_ColorCorGrp", "1.3"},
        {"eList_ColorCorAct", "1.3"},
        {"eList_GGroup", "Installations"},
        {"eList_GHeight", "35"},
        {"eList_AHeight", "25"},
        {"eList_Icon_GWidth", "30"},
        {"eList_Icon_GHeight", "20"},
        {"eList_Width", "200"},
        {"eList_CloseA", "true"},
        {"eList_SBOn", "false"},
        {"eList_HomeA", "true"},
        {"APPs", "0"},
    };
    for (const auto& D : Defaults)
        Settings.Add(D[0], D[1]);
    Groups.Clear();
    ClearApps();
    // A new project inherits no options of the one before.
    ProjectOptions.Clear();
    ProjectOptions.Add("O_OutDir", "");
    Modified = false;
}

void CCastamer::RegisterProjectFileType()
{
    if (FServices.Registry)
        ::RegisterProjectFileType(*FServices.Registry, FServices.ProgramFileName);
}

std::string CCastamer::GetOutDir()
{
    return BuildMode == TBuildMode::Preview ? GetTempDir() : ProjectOptions.Lookup("O_OutDir");
}

void CCastamer::SetOutDir(const std::string& Dir)
{
    // Compared with the stored directory: in Preview the output directory is the
    // temporary one, which says nothing about what the project holds.
    if (Dir == ProjectOptions.Lookup("O_OutDir"))
        return;
    ProjectOptions.Add("O_OutDir", Dir);
    SetModified();
}

std::string CCastamer::GetDataDir() { return JoinPath(GetOutDir(), "Data"); }

std::string CCastamer::GetViewFileName() { return JoinPath(GetOutDir(), "view.inst"); }

std::string CCastamer::GetProjectDir() const { return ExtractFilePath(ProjectFileName); }

std::string CCastamer::TempDirName() const { return JoinPath(ProgramDir, "temp"); }

std::string CCastamer::GetTempDir()
{
    const std::string Dir = TempDirName();
    if (!FFS->DirectoryExists(Dir))
        FFS->ForceDirectories(Dir); // else what is written there fails, saying why
    return Dir;
}

bool CCastamer::ClearTempDir()
{
    const std::string Dir = TempDirName();
    if (!FFS->DirectoryExists(Dir))
        return true;
    try {
        EmptyDirectory(*FFS, Dir);
        // What could not be deleted would end up in the next archive packed from here.
        return FFS->ListDirectory(Dir).empty();
    } catch (const EInOutError&) {
        return false;
    }
}

std::int32_t CCastamer::GetNewAppPlatform() const
{
    std::int32_t V = -1;
    if (!TryStrToInt(EnvOptions.Lookup("O_NADID"), V) || V < 0 || V > 2)
        return -1;
    return V;
}

void CCastamer::SetNewAppPlatform(std::int32_t Value)
{
    if (Value != GetNewAppPlatform())
        EnvOptions.Add("O_NADID", IntToStr(Value));
}

void CCastamer::SetRunAfterBuild(bool Value)
{
    if (Value != GetRunAfterBuild())
        EnvOptions.Add("O_PAB", Value ? OptionOnChar : OptionOffChar);
}

void CCastamer::SetViewErrorLog(bool Value)
{
    if (Value != GetViewErrorLog())
        EnvOptions.Add("O_VEL", Value ? OptionOnChar : OptionOffChar);
}

void CCastamer::SetEnvOption(const std::string& Key, const std::string& Value)
{
    if (Value != EnvOptions.Lookup(Key))
        EnvOptions.Add(Key, Value);
}

std::int32_t CCastamer::GetGroupIconWidth() const { return StrToInt(Settings.Lookup("eList_Icon_GWidth")); }

std::int32_t CCastamer::GetGroupIconHeight() const { return Settings.GetInt("eList_Icon_GHeight"); }

void CCastamer::ProgressBegin(const std::string& Text)
{
    if (FUI)
        FUI->ProgressBegin(Text);
}

void CCastamer::ProgressStep(int Percent)
{
    if (FUI)
        FUI->ProgressStep(Percent);
}

void CCastamer::ProgressEnd()
{
    if (FUI)
        FUI->ProgressEnd();
}

void CCastamer::ArchiveProgress(TObject* Sender)
{
    if (const auto* Archive = dynamic_cast<const CArchive_base*>(Sender))
        ProgressStep(Archive->Progress);
}

void CCastamer::RunInstaller(const std::string& Dir, bool Force)
{
    if (!Force && !GetRunAfterBuild())
        return;
    if (FServices.RunProgram)
        FServices.RunProgram(JoinPath(Dir, "Install.exe"), "", false);
}

void CCastamer::ShowOptions(const std::string& Text, int Page)
{
    if (FUI)
        FUI->ShowOptions(*this, IntToStr(Page) + Text);
}

bool CCastamer::CheckCabTools()
{
    const auto AllThere = [this] {
        return FFS->FileExists(GetCabwizPath()) && FFS->FileExists(GetCabwizDdfPath()) &&
               FFS->FileExists(GetMakecabPath());
    };
    if (!AllThere())
        ShowOptions("External cab meke files must be selected", 2);
    return AllThere();
}
