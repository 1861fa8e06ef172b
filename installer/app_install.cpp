// The install command of an installation's install rows, its licence and the PC road.
#include "app_list.h"

#include "archive.h"
#include "exceptions.h"
#include "shell_helpers.h"
#include "string_helpers.h"

#include <algorithm>
#include <cmath>
#include <exception>

const char* const UninstallerName = "Castremove.exe";

namespace {

const char UninstallKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// "C:\dir\" and "C:\dir" are one directory; a drive keeps its root.
std::string PlainDir(const std::string& Dir)
{
    std::string D = Dir;
    while (D.size() > 3 && D.back() == '\\')
        D.pop_back();
    return D;
}

} // namespace

void RegisterUninstall(const TRegistryWriter& Write, TRegistryRoot Root, const std::string& KeyName,
                       const std::string& DisplayName, const std::string& UninstallString, CUInstLog* Log)
{
    // An empty name would make the entry the Uninstall key itself.
    if (KeyName.empty())
        return;
    const std::string Key = UninstallKey + KeyName;
    Write(Root, Key, "DisplayName", DisplayName);
    Write(Root, Key, "UninstallString", UninstallString);
    if (Log) {
        Log->AddDelValue("", Key, "DisplayName");
        Log->AddDelValue("", Key, "UninstallString");
        Log->AddDelKey("", Key);
    }
}

void CAPP::InstallClick(CFxListItem* Row)
{
    Command = TInstallCommand();
    Command.RowKey = Row ? Row->Key : std::string();
    Command.ArchivePath = JoinPath(Owner.DataDir, GetOutFN());
    if (!Owner.FileSystem->FileExists(Command.ArchivePath)) {
        Owner.Form.ShowMessage("File not found\n\r" + Command.ArchivePath, imError);
        return;
    }
    if (!Owner.LicenceAccepted && !ShowLicence())
        return;
    bool Installed = false;
    try {
        switch (GetDID()) {
        case 0:
            Installed = InstallPalm();
            break;
        case 1:
            Installed = InstallPocketPC();
            break;
        case 2:
            Installed = InstallPC();
            break;
        default:
            break;
        }
    } catch (const std::exception& E) {
        Owner.LicenceAccepted = false;
        Owner.Form.ShowMessage(E.what(), imError);
        return;
    }
    if (Installed)
        Owner.Form.ShowMessage(GetAppName() + " successfuly installed", imInformation);
    Owner.LicenceAccepted = false;
}

bool CAPP::ShowLicence()
{
    const std::string Licence = Props.Lookup("Licenze");
    if (Licence.empty()) {
        Owner.LicenceAccepted = true;
        return true;
    }
    Owner.LicenceAccepted = false;
    Owner.Form.ShowLicence(Licence);
    return false;
}

bool CAPP::InstallPC()
{
    TFileSystem& FS = *Owner.FileSystem;
    TMadeDirs Made(FS);
    Command.Dir = DefInstDirPath();
    if (!Command.Dir.empty())
        Made.Make(Command.Dir);
    bool Started = false;
    // Where the archive's lines begin in the log, -1 before; once unpacked, what is
    // made is in the log and stays for the uninstaller.
    std::int64_t Mine = -1;
    bool Unpacked = false;
    try {
        if (!Owner.Form.SelectDirectory(Command.Dir, "Select Installation Directory", true)) {
            Made.RemoveAll();
            return false;
        }
        Command.Dir = PlainDir(Command.Dir);
        const bool Allowed = CanInstallTo(Command.Dir, false, FS);
        if (Allowed)
            Made.Make(Command.Dir);
        if (!Allowed || !FS.DirectoryExists(Command.Dir)) {
            Made.RemoveAll();
            Owner.Form.ShowMessage("Can not write to dir \n\r" + Command.Dir, imError);
            return false;
        }
        InstallDir = Command.Dir;
        Command.LogPath = JoinPath(Command.Dir, "uinst.log");
        // Tables or paths the archive checks refuse: not even the log is made.
        {
            THash Listed(false);
            ArchiveList(CArchive_BZip::Create, Command.ArchivePath, Listed, Command.Dir, FS);
        }
        Owner.Form.RepaintWindow();
        Owner.Form.StartProgress("Installing...");
        Started = true;
        std::vector<std::string> Parents = Made.KeepFor(Command.Dir);
        Parents.erase(std::remove(Parents.begin(), Parents.end(), Command.Dir), Parents.end());
        Command.Log = std::make_unique<CUInstLog>(0, Command.LogPath, FS);
        Command.Log->AddDelFile(Command.LogPath);
        // Removed after the installation directory, and only when empty.
        for (const std::string& P : Parents)
            Command.Log->AddDelDir(P);
        Mine = Command.Log->File()->Position();
        ArchiveUnpack(CArchive_BZip::Create, Command.ArchivePath, Command.Dir, Command.Log.get(),
                      [this](TObject* Archive) { Owner.ArchiveProgress(Archive); }, FS);
        Unpacked = true;
        MakeShortcuts();
        SetupUninstaller();
        Owner.Form.FinishProgress();
        Started = false;
        Command.Log.reset();
    } catch (...) {
        if (Started)
            Owner.Form.FinishProgress();
        const bool LogMade = Command.Log != nullptr;
        const bool NothingUnpacked = !Unpacked && (!LogMade || Mine < 0 || Command.Log->File()->Position() == Mine);
        Command.Log.reset();
        // Refused before it created anything: the log and the directories made for it go too.
        if (NothingUnpacked) {
            if (LogMade)
                FS.EraseFile(Command.LogPath);
            Made.RemoveAll();
        }
        throw;
    }
    NotifyPlugins(1003);
    return true;
}

void CAPP::MakeShortcuts()
{
    const std::string Windows = Owner.Folders ? Owner.Folders(TSpecialFolder::Windows) : std::string();
    const std::int32_t N = Shortcuts.Count();
    for (std::int32_t I = 0; I < N; ++I) {
        TArrayOfString F;
        SplitString(Shortcuts.Pairs()[static_cast<std::size_t>(I)].Value, "|", 5, F);
        F.resize(5);
        const std::string &Name = F[0], &Type = F[1], &File = F[2], &Destination = F[3], &Group = F[4];
        if (N != 1)
            Owner.Form.SetProgress(static_cast<std::int32_t>(std::lround(100.0 * I / (N - 1))));
        std::string Target, Arguments, WorkDir;
        if (Type == "SCut to file") {
            Target = JoinPath(Command.Dir, File);
        } else if (Type == "SCut to uninstall") {
            Target = JoinPath(Windows, UninstallerName);
            Arguments = "#uninstall \"" + Command.LogPath + "\"";
            WorkDir = Command.Dir;
        } else {
            continue;
        }
        std::string LinkPath;
        if (Destination == "Program files") {
            const bool Logged = Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, Group, 5, LinkPath, Owner.Shell);
            // Without a group the link lies in the programs menu itself, which is not ours.
            if (Logged && !Group.empty())
                Command.Log->AddDelDir(Owner.Shell.InstallFolder(5, Group));
        } else if (Destination == "Desktop") {
            Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, "", 1, LinkPath, Owner.Shell);
        } else if (Destination == "Quick launch") {
            Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, "", 3, LinkPath, Owner.Shell);
        }
    }
}

void CAPP::SetupUninstaller()
{
    TFileSystem& FS = *Owner.FileSystem;
    const std::string Windows = Owner.Folders ? Owner.Folders(TSpecialFolder::Windows) : std::string();
    const std::string Uninstaller = JoinPath(Windows, UninstallerName);
    // Without it the entry and the shortcuts would lead nowhere; a copy that is there
    // already and busy still serves.
    if (!FS.CopyFileTo(JoinPath(Owner.DataDir, UninstallerName), Uninstaller, true) && !FS.FileExists(Uninstaller))
        throw EInOutError("Cannot copy " + JoinPath(Owner.DataDir, UninstallerName) + " to " + Uninstaller);
    const std::string Title = GetCompName() + " " + GetName();
    RegisterUninstall(Owner.WriteRegistry, rrLocalMachine, GetName(), Title,
                      Uninstaller + " #uninstall \"" + Command.LogPath + "\"", Command.Log.get());
    Command.Log->AddUIMessage1("Do you realy what to uninstall " + Title);
    Command.Log->AddUIMessage2(Title + " uninstalled");
}
