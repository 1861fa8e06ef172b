// The Pocket PC and Palm OS roads of the install command: the archive is unpacked
// into a staging directory and handed to the desktop program that talks to the
// handheld, or, without that program, unpacked where the user chooses.
#include "app_list.h"

#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <cstdint>

namespace {

const char SelectDirCaption[] = "Select Installation Directory";

// The blank and the ASCII punctuation, but for the hyphen, the equals sign and the
// grave accent, which a file name may hold; the double quote and the backslash,
// which it may not, go as well, and so do control characters.
const TCharSet& IniNameStripped()
{
    static const TCharSet Set = [] {
        TCharSet S = CharSet(" !\"#$%&'()*+,./:;<>?@[\\]^_{|}~");
        for (int C = 0; C < 32; ++C)
            S.set(static_cast<std::size_t>(C));
        S.set(127);
        return S;
    }();
    return Set;
}

std::string Unquoted(const std::string& S)
{
    if (S.size() >= 2 && S.front() == '"' && S.back() == '"')
        return S.substr(1, S.size() - 2);
    return S;
}

std::string Quoted(const std::string& S) { return "\"" + S + "\""; }

// A text as one line of the .ini: each line break, CR LF or a lone CR or LF, a
// blank. A line of its own would read as a key of the section.
std::string OneLine(const std::string& Text)
{
    std::string Line;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char C = Text[I];
        if (C == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n')
            continue;
        Line += C == '\r' || C == '\n' ? ' ' : C;
    }
    return Line;
}

// The Palm tool's program from its registered command: cut before the first
// placeholder, bare or quoted, and taken out of its quotes.
std::string PalmToolProgram(const std::string& Command)
{
    std::string Tool = Command;
    const std::size_t Bare = Tool.find(" %");
    const std::size_t InQuotes = Tool.find(" \"%");
    const std::size_t Cut = Bare < InQuotes ? Bare : InQuotes;
    if (Cut != std::string::npos)
        Tool.erase(Cut);
    return Unquoted(StripChars(CharSet(" \t"), Tool, 1, false));
}

} // namespace

bool CAPP::InstallPocketPC()
{
    TFileSystem& FS = *Owner.FileSystem;
    const std::string Manager = Owner.Outside ? Unquoted(Owner.Outside->AppPath("CEAPPMGR.EXE")) : std::string();
    std::string& Dir = Command.Dir;
    if (!Manager.empty()) {
        Dir = GetDeviceInstDir();
    } else {
        Owner.Form.ShowMessage("Cannot install game(s). Microsoft Active Sync is not found on the computer.\n\rYou "
                               "can install games manually by copying *.cab file to the pocket PC and\n\rrun then "
                               "from PocketPC manually",
                               imWarning);
        // The default directory is made for the chooser to open at; left unused, it goes again.
        Dir = DefInstDirPath();
        TMadeDirs Made(FS);
        if (!Dir.empty())
            Made.Make(Dir);
        if (!Owner.Form.SelectDirectory(Dir, SelectDirCaption, true)) {
            Made.RemoveAll();
            return false;
        }
        Made.KeepFor(Dir);
    }
    if (!CanInstallTo(Dir, true, FS)) {
        Owner.Form.ShowMessage("Can not write to dir \n\r" + Dir, imError);
        return false;
    }
    if (!ArchiveUnpack(CArchive_BZip::Create, Command.ArchivePath, Dir, nullptr,
                       [this](TObject* A) { Owner.ArchiveProgress(A); }, FS))
        return false;
    // Without the manager the user carries the unpacked CAB files over by hand.
    if (Manager.empty())
        return true;
    const std::string IniPath =
        JoinPath(Dir, StripChars(IniNameStripped(), GetAppName() + GetCompName(), 0, true) + ".ini");
    if (!WriteCEAppMgrIni(IniPath))
        return false;
    return Owner.Outside->RunAndWait(Manager, Quoted(IniPath));
}

bool CAPP::WriteCEAppMgrIni(const std::string& IniPath)
{
    std::string CabList;
    for (const std::string& Cab : {GetICabFARM(), GetICabFMIPS(), GetICabFSH()}) {
        if (Cab.empty())
            continue;
        if (!CabList.empty())
            CabList += ",";
        CabList += Cab;
    }
    const std::string Name = GetAppName();
    const std::string Text = "[CEAppManager]\r\n"
                             "Version      = " + GetBVersion() + "\r\n"
                             "Component    = " + Name + "\r\n"
                             "\r\n"
                             "[" + Name + "]\r\n"
                             "Description  = " + OneLine(GetASDesc()) + "\r\n"
                             "Uninstall    = " + Name + "\r\n"
                             "CabFiles     = " + CabList + "\r\n";
    Owner.FileSystem->Create(IniPath)->WriteString(Text);
    return !CabList.empty();
}

bool CAPP::InstallPalm()
{
    TFileSystem& FS = *Owner.FileSystem;
    const std::string Tool =
        Owner.Outside ? PalmToolProgram(Owner.Outside->ShellCommand("prcFile", "open")) : std::string();
    std::string& Dir = Command.Dir;
    if (!Tool.empty()) {
        Dir = GetDeviceInstDir();
    } else {
        Owner.Form.ShowMessage("Palm synchronization manager not found. Please proceed\n\rwith manual installation "
                               ".You will have to extract the\n\rfiles for to a temporary directory on your computer "
                               ",\n\rand then install them to your Palm device manually.",
                               imWarning);
        Dir = Owner.Folders ? Owner.Folders(TSpecialFolder::ProgramFiles) : std::string();
        if (!Owner.Form.SelectDirectory(Dir, SelectDirCaption, false))
            return false;
    }
    if (!CanInstallTo(Dir, true, FS)) {
        Owner.Form.ShowMessage("Can not write to dir \n\r" + Dir, imError);
        return false;
    }
    if (!ArchiveUnpack(CArchive_BZip::Create, Command.ArchivePath, Dir, nullptr,
                       [this](TObject* A) { Owner.ArchiveProgress(A); }, FS))
        return false;
    if (Tool.empty())
        return true;

    THash Files(false);
    ArchiveList(CArchive_BZip::Create, Command.ArchivePath, Files, Dir, FS);
    std::int32_t HandedOver = 0;
    for (const THashPair& F : Files.Pairs()) {
        const std::string& Path = F.Value;
        // The groups are directories of the archive: the staging directory's own
        // names must not decide.
        std::string Inside = Path.compare(0, Dir.size(), Dir) == 0 ? Path.substr(Dir.size()) : Path;
        if (Inside.empty() || Inside[0] != '\\')
            Inside.insert(0, "\\");
        bool Install = true;
        for (const THashPair& G : PalmGroups.Pairs()) {
            TArrayOfString Fields;
            SplitString(G.Value, "|", 2, Fields);
            if (MatchMask("*\\" + Fields[0] + "\\*", Inside)) {
                Install = Command.RowKey == Fields[0];
                break;
            }
        }
        if (Install && FS.FileExists(Path) && Owner.Outside->ShellOpen(Tool, Quoted(Path)))
            ++HandedOver;
        Owner.Outside->Pause(100);
    }
    return HandedOver > 0;
}
