// The install command of an installation's install rows, its licence and the PC road.
#include "app_list.h"

#include "archive.h"
#include "brindlo_plugin.h"
#include "convert.h"
#include "exceptions.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <algorithm>
#include <exception>

const char* const UninstallerName = "Castremove.exe";

namespace {

const char UninstallKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string JoinLines(const std::vector<std::string>& Lines)
{
    std::string S;
    for (const std::string& L : Lines)
        S += "\n\r" + L;
    return S;
}

} // namespace

bool IsUninstallKeyName(const std::string& Name)
{
    if (Name.empty() || Name.size() > 255)
        return false;
    for (unsigned char C : Name)
        if (C < 0x20 || C == 0x7F || C == '\\')
            return false;
    return true;
}

void RegisterUninstall(const TRegistryWriter& Write, TRegistryRoot Root, const std::string& KeyName,
                       const std::string& DisplayName, const std::string& UninstallString, CUInstLog* Log)
{
    // An empty name or one with "\\" would put the values into the Uninstall key
    // itself or below another entry.
    if (!IsUninstallKeyName(KeyName))
        return;
    const std::string Key = UninstallKey + KeyName;
    // Logged first: no value is ever written that the log does not name.
    if (Log) {
        Log->AddDelValue("", Key, "DisplayName");
        Log->AddDelValue("", Key, "UninstallString");
        Log->AddDelKey("", Key);
    }
    Write(Root, Key, "DisplayName", DisplayName);
    Write(Root, Key, "UninstallString", UninstallString);
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
    TInstallUndo Undo(FS, Owner.RegistryUndo);
    // Everything the road did goes, innermost first; then the directories made for it.
    const auto Undone = [&] {
        if (Started)
            Owner.Form.FinishProgress();
        Command.Log.reset();
        Command.Undo = nullptr;
        std::vector<std::string> Left = Undo.Rollback();
        Made.RemoveAll();
        return Left;
    };
    try {
        if (!Owner.Form.SelectDirectory(Command.Dir, "Select Installation Directory", true)) {
            Made.RemoveAll();
            return false;
        }
        // What the chooser answers may end in "." or hold "/"; the log names what exists.
        Command.Dir = CanonicalPath(Command.Dir);
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
        // Tables or paths the archive checks refuse, and an uninstaller that is not
        // there to copy: not even the log is made.
        {
            THash Listed(false);
            ArchiveList(CArchive_BZip::Create, Command.ArchivePath, Listed, Command.Dir, FS);
        }
        CheckUninstallerCopy();
        Owner.Form.RepaintWindow();
        Owner.Form.StartProgress("Installing...");
        Started = true;
        std::vector<std::string> Parents = Made.KeepFor(Command.Dir);
        Parents.erase(std::remove(Parents.begin(), Parents.end(), Command.Dir), Parents.end());
        Command.Undo = &Undo;
        Command.Log = std::make_unique<CUInstLog>(0, Command.LogPath, Undo);
        Command.Log->AddDelFile(Command.LogPath);
        // Removed after the installation directory, and only when empty.
        for (const std::string& P : Parents)
            Command.Log->AddDelDir(P);
        ArchiveUnpack(CArchive_BZip::Create, Command.ArchivePath, Command.Dir, Command.Log.get(),
                      [this](TObject* Archive) { Owner.ArchiveProgress(Archive); }, Undo);
        MakeShortcuts();
        SetupUninstaller();
        Owner.Form.FinishProgress();
        Started = false;
        Command.Log.reset();
        Command.Undo = nullptr;
        // A replaced file that cannot be erased now stays beside its successor, harmless.
        Undo.Commit();
    } catch (const std::exception& E) {
        const std::vector<std::string> Left = Undone();
        if (!Left.empty())
            throw EInOutError(E.what() + std::string("\n\rWhat could not be undone:") + JoinLines(Left));
        throw;
    } catch (...) {
        Undone();
        throw;
    }
    NotifyInstalled();
    return true;
}

void CAPP::NotifyInstalled()
{
    TFileSystem& FS = *Owner.FileSystem;
    TMadeDirs PluginDirs(FS);
    // Like the road's own: removed when left empty, logged when something is in them.
    const auto Settle = [&] {
        FPluginDirs = nullptr;
        const std::vector<std::string> Used = PluginDirs.KeepUsed();
        if (Used.empty())
            return;
        CUInstLog Log(1, Command.LogPath, FS);
        for (const std::string& D : Used)
            Log.AddDelDir(D);
    };
    FPluginDirs = &PluginDirs;
    try {
        NotifyPlugins(PLG_AppInstalled);
    } catch (...) {
        Settle();
        throw;
    }
    Settle();
}

void CAPP::CheckUninstallerCopy()
{
    const std::string Windows = Owner.Folders ? Owner.Folders(TSpecialFolder::Windows) : std::string();
    const std::string Source = JoinPath(Owner.DataDir, UninstallerName);
    if (Windows.empty() || !Owner.FileSystem->FileExists(Source))
        throw EInOutError("Cannot copy " + Source + " to " + JoinPath(Windows, UninstallerName));
    // Unreadable is found now too, with the system's reason.
    Owner.FileSystem->OpenRead(Source);
}

void CAPP::MakeShortcuts()
{
    const std::string Windows = Owner.Folders ? Owner.Folders(TSpecialFolder::Windows) : std::string();
    // The links and the folders the shell makes for them are in the road's record.
    TShortcutShell Shell = Owner.Shell;
    if (TInstallUndo* Undo = Command.Undo)
        Shell.CreateShortcut = [this, Undo](const std::string& Target, const std::string& Arguments,
                                            const std::string& WorkDir, const std::string& Name,
                                            const std::string& Group, TLinkKind Kind) {
            const std::string Link = JoinPath(Owner.Shell.InstallFolder(Kind, Group), Name + ".lnk");
            Undo->WillCreate(Link);
            const std::string Saved = Owner.Shell.CreateShortcut(Target, Arguments, WorkDir, Name, Group, Kind);
            if (Saved.empty())
                Undo->PutBack(Link);
            return Saved;
        };
    const std::int32_t N = Shortcuts.Count();
    for (std::int32_t I = 0; I < N; ++I) {
        TArrayOfString F;
        SplitString(Shortcuts.Pairs()[static_cast<std::size_t>(I)].Value, "|", 5, F);
        F.resize(5);
        const std::string &Name = F[0], &Type = F[1], &File = F[2], &Destination = F[3];
        // The folder is made as the system stores its name, and the log names that.
        const std::string Group = CanonicalPath(F[4]);
        if (N != 1)
            Owner.Form.SetProgress(static_cast<std::int32_t>(DivRoundHalfEven(std::int64_t{I} * 100, N - 1)));
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
            const bool Logged = Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, Group,
                                                         TLinkKind::ProgramsGroup, LinkPath, Shell);
            // Without a group the link lies in the programs menu itself, which is not ours.
            if (Logged && !Group.empty())
                Command.Log->AddDelDir(Owner.Shell.InstallFolder(TLinkKind::ProgramsGroup, Group));
        } else if (Destination == "Desktop") {
            Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, "", TLinkKind::Desktop, LinkPath, Shell);
        } else if (Destination == "Quick launch") {
            Command.Log->AddShortcut(Target, Arguments, WorkDir, Name, "", TLinkKind::QuickLaunch, LinkPath, Shell);
        }
    }
}

void CAPP::SetupUninstaller()
{
    TFileSystem& FS = Command.Undo ? *Command.Undo : *Owner.FileSystem;
    const std::string Windows = Owner.Folders ? Owner.Folders(TSpecialFolder::Windows) : std::string();
    const std::string Uninstaller = JoinPath(Windows, UninstallerName);
    // Without it the entry and the shortcuts would lead nowhere; a copy that is there
    // already and busy still serves.
    const TFileResult Copied = FS.CopyFileTo(JoinPath(Owner.DataDir, UninstallerName), Uninstaller, true);
    if (!Copied && !FS.FileExists(Uninstaller))
        Copied.RaiseIfFailed("Cannot copy " + JoinPath(Owner.DataDir, UninstallerName) + " to " + Uninstaller);
    const std::string Title = GetCompName() + " " + GetName();
    const TRegistryWriter Write = [this](TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                         const std::string& Value) {
        if (Command.Undo)
            Command.Undo->WillWrite(Root, Key, Name);
        Owner.WriteRegistry(Root, Key, Name, Value);
    };
    RegisterUninstall(Write, rrLocalMachine, GetName(), Title,
                      Uninstaller + " #uninstall \"" + Command.LogPath + "\"", Command.Log.get());
    Command.Log->AddUIMessage1("Do you realy what to uninstall " + Title);
    Command.Log->AddUIMessage2(Title + " uninstalled");
}
