// The Pocket PC export: ready-made CAB files from the source directory, or CAB files
// the CAB wizard makes from the setup description written here.
#include "installation.h"

#include "archive.h"
#include "cab_maker.h"
#include "project.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <exception>

namespace {

// Blanks and punctuation, and what a file name cannot hold.
const TCharSet ShortNameDrop = [] {
    TCharSet Set = CharSet(" !#$%&()*+,./;<>?@[]^_{}|~\\:\"");
    for (int C = 0; C < 0x20; ++C)
        Set.set(static_cast<std::size_t>(C));
    Set.set(0x7F);
    return Set;
}();

// The base of the CAB build's files when the name gives none.
const std::string FallbackShortName = "App";

const std::string CompanyNameDir = "$(Program Files)/$(Company)/$(Name)";

struct TCabCpu {
    const char* Name; // as the processor list and the CAB file name write it
    const char* BuildKey;
    const char* CabKey;
};

const TCabCpu CabCpus[] = {
    {"ARM", "O_PPCBARM", "PPC_ICabFARM"},
    {"MIPS", "O_PPCBMIPS", "PPC_ICabFMIPS"},
    {"SH3", "O_PPCBSH", "PPC_ICabFSH"},
};

int CpuOf(const std::string& Name)
{
    if (Name == "ARM")
        return CCabMaker::cpuARM;
    if (Name == "MIPS")
        return CCabMaker::cpuMIPS;
    if (Name == "SH3")
        return CCabMaker::cpuSH3;
    return -1;
}

// The short name "App name" gives; "" when it gives none that can name a file
// (nothing left, or a device name such as "Con").
std::string OwnShortName(const std::string& AppName)
{
    const std::string Short = StripChars(ShortNameDrop, AppName, 0, true).substr(0, 7);
    return IsSafePathComponent(Short + ".inf") ? Short : std::string();
}

} // namespace

std::string CCst_App::CEShortName() const
{
    const std::string Short = OwnShortName(GetAppName());
    return Short.empty() ? FallbackShortName : Short;
}

std::string CCst_App::CEInstallDir() const
{
    const std::string Def = GetDefInstDir();
    if (Def != CompanyNameDir)
        return Def;
    // The installer's rule for its own staging directory: a name of dots alone would
    // climb out of the device's Program Files folder.
    return JoinPath("%CE1%", JoinPath(InstallDirPart(GetCompName()), InstallDirPart(GetAppName())));
}

std::vector<TCabNameFault> CCst_App::CabNameFaults() const
{
    std::vector<TCabNameFault> Faults;
    if (GetIsCC() == "true")
        return Faults;
    for (const TCabCpu& Cpu : CabCpus)
        if (!CabListCarries(PocketPC.Lookup(Cpu.CabKey)))
            Faults.push_back({Cpu.CabKey, "Installation Name=" + GetAppName() + " Cab File[" + Cpu.Name +
                                              "] must not contain a comma or a line break"});
    return Faults;
}

bool CCst_App::CopyPrebuiltCabs(TAppExport& E)
{
    TFileSystem& FS = Owner.FileSystem();
    const std::string Temp = Owner.GetTempDir();
    for (const TCabCpu& Cpu : CabCpus) {
        const std::string Name = PocketPC.Lookup(Cpu.CabKey);
        const std::string Source = JoinPath(GetInDir(), Name);
        // The name becomes a file of the staging directory and of the device's manager.
        if (!IsSafePathComponent(Name) || !FS.FileExists(Source)) {
            E.ExportPocketPC.Remove(Cpu.CabKey);
            continue;
        }
        if (!FS.CopyFileTo(Source, JoinPath(Temp, Name), true))
            return false;
    }
    return true;
}

bool CCst_App::BuildPocketPC(TAppExport& E)
{
    if (E.Mode == TBuildMode::Preview) {
        E.ExportProps.Remove("OutFN");
        return true;
    }
    TFileSystem& FS = Owner.FileSystem();
    const TBuilderServices& Services = Owner.Services();
    // The installer hands the names to the application manager in one list.
    const std::vector<TCabNameFault> CabFaults = CabNameFaults();
    if (!CabFaults.empty()) {
        if (Owner.UI()) {
            TArrayOfString Lines;
            for (const TCabNameFault& F : CabFaults)
                Lines.push_back(F.Message);
            Owner.UI()->ShowMessage(JoinStrings(Lines, "\n\r"), IBuilderUI::mtError, {"Ok"});
        }
        return false;
    }
    // A file left over from before would be packed into this installation's archive.
    if (!Owner.ClearTempDir())
        return false;
    const TTempDirCleanup Cleanup(Owner);
    const std::string InDir = GetInDir();
    const bool HasInDir = !InDir.empty() && FS.DirectoryExists(InDir);

    if (GetIsCC() != "true") {
        if (!HasInDir || !CopyPrebuiltCabs(E))
            return false;
        ArchiveToData(Owner.GetTempDir());
        return true;
    }

    if (!Owner.CheckCabTools())
        return false;
    bool AnyCpu = false;
    for (const TCabCpu& Cpu : CabCpus)
        AnyCpu = AnyCpu || PocketPC.Lookup(Cpu.BuildKey) == "true";
    if (!AnyCpu)
        return false;

    const std::string Short = CEShortName();
    if (OwnShortName(GetAppName()).empty() && Owner.UI())
        Owner.UI()->ShowMessage("Installation Name=" + GetAppName() + " gives no name for its Cab files\n\r" + Short +
                                    " is used instead",
                                IBuilderUI::mtWarning, {"Ok"});
    const std::string Temp = Owner.GetTempDir();
    const std::string InfFile = JoinPath(Temp, Short + ".inf");
    const std::string ErrFile = JoinPath(Temp, Short + ".txt");
    if (!CreateEmptyFile(InfFile, FS) || !CreateEmptyFile(ErrFile, FS))
        return false;

    {
        CCabMaker Maker;
        Maker.AppName = GetAppName();
        Maker.CompanyName = GetCompName();
        Maker.InstallDir = CEInstallDir();
        Maker.Description = GetASDesc();

        if (HasInDir) {
            THash Dirs(false), Files(false);
            ScanDirTree(InDir, "*.*", Dirs, Files, FS);
            for (const THashPair& F : Files.Pairs()) {
                const std::string Dir = Dirs.Lookup(F.Key);
                Maker.AddFile(CCabMaker::cpuCommon, Dir, F.Value, JoinPath("%InstallDir%", Dir.substr(InDir.size())));
            }
        }
        for (const THashPair& P : PDFiles.Pairs()) {
            TArrayOfString Fields;
            SplitString(P.Value, "|", 3, Fields);
            const int Cpu = CpuOf(Fields[0]);
            if (Cpu < 0 || Fields[1].empty())
                continue;
            Maker.AddFile(Cpu, ExtractFilePath(Fields[1]), ExtractFileName(Fields[1]), CEDirMacro(Fields[2]));
        }
        PrepareShortcuts(E, TShortcutExport::CabSetup);
        for (const THashPair& S : E.ExportShortcuts.Pairs()) {
            TArrayOfString Fields;
            SplitString(S.Value, "|", 5, Fields);
            const std::string Target = ExtractFileName(Fields[2]);
            // An uninstall shortcut has no file to point to; the device's manager
            // uninstalls by itself.
            if (Target.empty())
                continue;
            Maker.AddShortcut(Target, Fields[0], CEDirMacro(Fields[3]));
        }
        Maker.SaveInf(InfFile, FS);
    }

    std::string CpuList;
    for (const TCabCpu& Cpu : CabCpus) {
        if (PocketPC.Lookup(Cpu.BuildKey) == "true") {
            CpuList += Cpu.Name;
            // Every name but the last one of the three is followed by a blank.
            if (&Cpu != &CabCpus[2])
                CpuList += " ";
            E.ExportPocketPC.Add(Cpu.CabKey, Short + "." + Cpu.Name + ".CAB");
        } else {
            E.ExportPocketPC.Remove(Cpu.CabKey);
        }
    }

    // The wizard is started with its directory as the current one; the builder stays there.
    const std::string Wizard = Owner.GetCabwizPath();
    if (Services.SetCurrentDir)
        Services.SetCurrentDir(ExtractFilePath(Wizard));
    const auto ShortForm = [&Services](const std::string& Path) {
        std::string S = Services.ShortPathName ? Services.ShortPathName(Path) : std::string();
        if (S.empty())
            S = Path;
        return S.find(' ') != std::string::npos ? "\"" + S + "\"" : S;
    };
    const std::string CommandLine = ShortForm(InfFile) + " /err " + ShortForm(ErrFile) + " /cpu " + CpuList;
    if (!Services.RunProgram || !Services.RunProgram(Wizard, CommandLine, true))
        return false;

    if (Owner.GetViewErrorLog()) {
        // Notepad reads its file some time after it starts; the copy outlives the
        // temporary directory, which is emptied below.
        const std::string Report = JoinPath(Owner.ProgramDir, Short + ".txt");
        if (FS.CopyFileTo(ErrFile, Report, true) && Services.ShellOpen)
            Services.ShellOpen("notepad.exe", "\"" + Report + "\"");
        if (Owner.UI())
            Owner.UI()->RepaintMainWindow();
        if (Services.Pause)
            Services.Pause(200);
    } else if (Owner.UI()) {
        Owner.UI()->RepaintMainWindow();
    }

    for (const char* Left : {".inf", ".txt", ".ARM.DAT", ".MIPS.DAT", ".SH3.DAT"}) {
        const std::string Path = JoinPath(Temp, Short + Left);
        if (FS.FileExists(Path))
            FS.EraseFile(Path); // what stays goes when the temporary directory is emptied
    }
    // A wizard that failed leaves no CAB file; the record must not name one that is missing.
    for (const TCabCpu& Cpu : CabCpus) {
        const std::string Cab = E.ExportPocketPC.Lookup(Cpu.CabKey);
        if (!Cab.empty() && !FS.FileExists(JoinPath(Temp, Cab)))
            return false;
    }
    ArchiveToData(Temp);
    return true;
}
