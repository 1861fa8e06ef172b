// One installation's export: its archive in the package's "Data" and its record of
// the package description.
#include "installation.h"

#include "archive.h"
#include "bmp_image.h"
#include "project.h"
#include "convert.h"
#include "exceptions.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

namespace {

const std::string NotBuilt = "Destributive not buildet.";

// Re-encoded rather than copied: the record's reader finds the bitmap's end only
// through its file header, which the file itself may get wrong.
void WriteBitmap(TFileSystem& FS, const std::string& FileName, TStream& Out)
{
    TBmpImage Image;
    {
        auto In = FS.OpenRead(FileName);
        Image.LoadFromStream(*In);
    }
    Image.SaveToStream(Out);
}

} // namespace

std::int64_t CCst_App::BuildToStream(TStream& Stream, TBuildMode Mode)
{
    TFileSystem& FS = Owner.FileSystem();
    const std::int64_t Start = Stream.Position();
    TAppExport E(Stream, Mode);
    E.ExportProps.Assign(Props, true);
    E.ExportPocketPC.Assign(PocketPC, true);
    E.ExportShortcuts.Assign(Shortcuts, true);

    // Decided once, so that the record's keys and its bitmaps always agree.
    const bool HasIcon = FS.FileExists(GetAppIcon());
    const bool HasShot = FS.FileExists(GetScreenShot());
    if (!HasIcon)
        E.ExportProps.Remove("App icon");
    if (!HasShot)
        E.ExportProps.Remove("ScreenShot");

    // A platform that is no number fails the export: leaving the installation out
    // would report a package as built that lacks it.
    bool Built = true;
    switch (GetDID()) {
    case 0:
        Built = BuildPalm(E);
        break;
    case 1:
        Built = BuildPocketPC(E);
        break;
    case 2:
        Built = BuildPC(E);
        break;
    default:
        break;
    }
    if (!Built)
        throw Exception(NotBuilt);

    E.ExportProps.Remove("InDir");
    Extra.SaveToStream(Stream);
    E.ExportProps.SaveToStream(Stream);
    PrepareShortcuts(E, TShortcutExport::Record);
    E.PalmGroups.SaveToStream(Stream);
    E.ExportPocketPC.SaveToStream(Stream);
    if (HasIcon)
        WriteBitmap(FS, GetAppIcon(), Stream);
    if (HasShot)
        WriteBitmap(FS, GetScreenShot(), Stream);
    return Stream.Position() - Start;
}

void CCst_App::PrepareShortcuts(TAppExport& E, TShortcutExport Mode)
{
    TFileSystem& FS = Owner.FileSystem();
    std::string Dir = GetInDir();
    while (!Dir.empty() && Dir.back() == '\\')
        Dir.pop_back();
    if (!Dir.empty())
        E.ExportShortcuts.Assign(Shortcuts, true);
    else if (Mode == TShortcutExport::Record)
        E.ExportShortcuts.Clear();

    for (std::int32_t I = 0; I < E.ExportShortcuts.Count();) {
        THashPair Entry = E.ExportShortcuts.GetEntry(I);
        TArrayOfString Fields;
        SplitString(Entry.Value, "|", 5, Fields);
        const std::string& File = Fields[2];
        bool Keep = Fields[1] == "SCut to uninstall";
        if (!Keep && IsInsideDir(Dir, File) && FS.FileExists(File)) {
            Keep = true;
            if (Mode == TShortcutExport::Record) {
                Fields[2] = File.substr(Dir.size());
                Entry.Value = JoinStrings(Fields, "|");
                E.ExportShortcuts.SetEntry(I, Entry);
            }
        }
        if (!Keep && Mode == TShortcutExport::CabSetup) {
            for (const THashPair& P : PDFiles.Pairs()) {
                TArrayOfString PD;
                SplitString(P.Value, "|", 3, PD);
                if (PD[1] == File)
                    Keep = true;
            }
        }
        if (Keep)
            ++I;
        else
            E.ExportShortcuts.Delete(I); // the last entry moves here and is examined next
    }
    if (Mode == TShortcutExport::Record)
        E.ExportShortcuts.SaveToStream(E.Stream);
}

void CCst_App::ArchiveToData(const std::string& Dir)
{
    const std::string Name = GetOutFN();
    // The name comes from the project file; it must not lead out of "Data".
    if (!IsSafePathComponent(Name))
        throw EArchiveError("The archive name \"" + Name + "\" is not a file name");
    ArchivePack(&CArchive_BZip::Create, Dir, JoinPath(Owner.GetDataDir(), Name),
                [this](TObject* Sender) { Owner.ArchiveProgress(Sender); }, Owner.FileSystem());
}

bool CCst_App::BuildPC(TAppExport& E)
{
    if (E.Mode == TBuildMode::Preview) {
        E.ExportProps.Remove("OutFN");
        return true;
    }
    const std::string Dir = GetInDir();
    if (Dir.empty() || !Owner.FileSystem().DirectoryExists(Dir))
        return false;
    ArchiveToData(Dir);
    return true;
}

bool CCst_App::BuildPalm(TAppExport& E)
{
    if (E.Mode == TBuildMode::Preview) {
        E.ExportProps.Remove("OutFN");
        return true;
    }
    // A file left over from before would be packed into this installation's archive.
    if (!Owner.ClearTempDir())
        return false;
    TTempDirCleanup Cleanup(Owner);
    if (!CopyPalmFiles(E))
        return false;
    ArchiveToData(Owner.GetTempDir());
    return Cleanup.Finish();
}

bool CCst_App::CopyPalmFiles(TAppExport& E)
{
    TFileSystem& FS = Owner.FileSystem();
    const std::string Temp = Owner.GetTempDir();
    const std::string Dir = GetInDir();
    if (!Dir.empty() && FS.DirectoryExists(Dir) && CopyDirTree(Dir, Temp, "*.*", nullptr, nullptr, FS) != 0)
        return false;
    for (const THashPair& P : CDFiles.Pairs()) {
        TArrayOfString Fields;
        SplitString(P.Value, "|", 2, Fields);
        const std::string& Depth = Fields[0];
        const std::string& File = Fields[1];
        if (File.empty() || !FS.FileExists(File))
            continue;
        // The depth names a directory of the archive.
        if (!IsSafePathComponent(Depth))
            return false;
        const std::string Name = ExtractFileName(File);
        const std::string DepthDir = JoinPath(Temp, Depth);
        if (!FS.ForceDirectories(DepthDir) || !FS.CopyFileTo(File, JoinPath(DepthDir, Name), true))
            return false;
        E.PalmGroups.Add(P.Key, Depth + "|" + JoinPath(Depth, Name));
    }
    return true;
}
