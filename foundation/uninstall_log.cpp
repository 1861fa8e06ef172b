#include "uninstall_log.h"

#include "archive.h"
#include "exceptions.h"
#include "path_and_dir_helpers.h"

namespace {

std::string DirectoryOf(const std::string& FileName)
{
    const std::size_t Slash = FileName.find_last_of('\\');
    return Slash == std::string::npos ? std::string() : FileName.substr(0, Slash);
}

void ForceParent(const std::string& FileName, TFileSystem& FS)
{
    const std::string Dir = DirectoryOf(FileName);
    // "C:" alone is a drive, which exists or not; nothing to create there.
    if (!Dir.empty() && !(Dir.size() == 2 && Dir[1] == ':'))
        FS.ForceDirectories(Dir).RaiseIfFailed("Cannot create directory " + Dir);
}

} // namespace

std::string UInstLogTag(int Kind)
{
    static const char* const Tags[] = {"[DelFile]%", "[DelDir]%", "[DelKey]%", "[DelValue]%", "[UImes 1]%", "[UImes 2]%"};
    return Kind >= 0 && Kind <= 5 ? Tags[Kind] : "";
}

CUInstLog::CUInstLog(std::uint8_t Mode, const std::string& FileName, TFileSystem& FS) : FMode(Mode)
{
    try {
        switch (Mode) {
        case 0:
            if (FileName.empty())
                return;
            ForceParent(FileName, FS);
            FFile = FS.Create(FileName);
            break;
        case 1:
            if (FileName.empty())
                return;
            ForceParent(FileName, FS);
            if (FS.FileExists(FileName)) {
                FFile = FS.OpenReadWrite(FileName);
                FFile->Seek(0, TSeekOrigin::soEnd);
            } else {
                FFile = FS.Create(FileName);
            }
            break;
        case 2:
            if (FS.FileExists(FileName))
                FFile = FS.OpenRead(FileName);
            break;
        default:
            break;
        }
    } catch (const EStreamError& E) {
        throw EInOutError(E.Message());
    }
}

CUInstLog::~CUInstLog() = default;

void CUInstLog::AddLine(int Kind, const std::string& Text)
{
    if (!FFile || FMode > 1 || Kind < 0 || Kind > 5)
        return;
    std::string Clean = Text;
    for (char& C : Clean) {
        if (C != '\r' && C != '\n')
            continue;
        if (Kind < ulMessage1)
            throw EInOutError("A line break cannot stand in an uninstall log entry: " + Text);
        C = ' ';
    }
    const std::string Line = UInstLogTag(Kind) + Clean + "\r\n";
    try {
        FFile->WriteBuffer(Line.data(), static_cast<std::int64_t>(Line.size()));
    } catch (const EStreamError& E) {
        throw EInOutError(E.Message());
    }
}

bool CUInstLog::AddShortcut(const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                            std::string Name, const std::string& Group, TLinkKind Kind, std::string& LinkPath,
                            const TShortcutShell& Shell)
{
    LinkPath.clear();
    if (!FFile || FMode > 1 || static_cast<int>(Kind) < static_cast<int>(TLinkKind::Desktop) ||
        static_cast<int>(Kind) > static_cast<int>(TLinkKind::ProgramsGroup))
        return false;
    if (Name.empty())
        Name = "ShortCut to" + ExtractFileName(Target);
    // A name or group from the package must not lead the link out of its folder.
    if (!IsSafePathComponent(Name + ".lnk") || (Kind == TLinkKind::ProgramsGroup && !IsSafeRelativePath(Group)))
        return false;
    const std::string Folder = Shell.InstallFolder(Kind, Group);
    // All but a group given as a path lie in shell folders (the programs menu for a
    // group below it), which a system may lack.
    const std::string ShellFolder = Kind == TLinkKind::Group ? Folder : Shell.InstallFolder(Kind, "");
    if (Folder.empty() || ShellFolder.empty())
        return false;
    LinkPath = Shell.CreateShortcut(Target, Arguments, WorkDir, Name, Group, Kind);
    AddDelFile(JoinPath(Folder, "\\" + Name + ".lnk"));
    return true;
}
