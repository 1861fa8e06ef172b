#include "install_undo.h"

#include "exceptions.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <algorithm>

namespace {

std::string ParentOf(const std::string& Path)
{
    const std::size_t Slash = Path.find_last_of('\\');
    return Slash == std::string::npos ? std::string() : Path.substr(0, Slash);
}

std::string ParentKey(const std::string& Key)
{
    std::string K = Key;
    while (!K.empty() && K.back() == '\\')
        K.pop_back();
    const std::size_t Slash = K.find_last_of('\\');
    return Slash == std::string::npos ? std::string() : K.substr(0, Slash);
}

// A file of our own: read-only only through what a copy brought along, so the
// attribute goes first.
TFileResult EraseOwnFile(TFileSystem& Disk, const std::string& Path)
{
    const TFileResult Writable = Disk.MakeWritable(Path);
    return Writable ? Disk.EraseFile(Path) : Writable;
}

} // namespace

TInstallUndo::TInstallUndo(TFileSystem& ADisk, TRegistryUndo ARegistry) : Disk(ADisk), Registry(std::move(ARegistry))
{
}

std::string TInstallUndo::KeyOf(const std::string& Path) { return LowerAscii(CanonicalPath(Path)); }

void TInstallUndo::NoteFile(const std::string& Path)
{
    FSteps.push_back(TStep{skFile, Path, "", rrLocalMachine, "", {}});
    FMadeFiles.insert(KeyOf(Path));
}

TFileResult TInstallUndo::SetAside(const std::string& Path, bool Copy)
{
    std::string Aside;
    for (int N = 1;; ++N) {
        Aside = Path + ".~" + std::to_string(N);
        if (!Disk.FileExists(Aside) && !Disk.DirectoryExists(Aside))
            break;
    }
    // A copy keeps the original where it is, for a caller that writes into it.
    const TFileResult Moved = Copy ? Disk.CopyFileTo(Path, Aside, false) : Disk.RenameFile(Path, Aside);
    if (!Moved)
        return Moved;
    // One of our own set-aside files moved on: its record follows it.
    for (TStep& S : FSteps)
        if (S.Kind == skAside && KeyOf(S.Aside) == KeyOf(Path) && !Copy) {
            S.Aside = Aside;
            return Moved;
        }
    FSteps.push_back(TStep{skAside, Path, Aside, rrLocalMachine, "", {}});
    return Moved;
}

void TInstallUndo::NoteMissingDirs(const std::string& Dir)
{
    std::vector<std::string> Missing;
    for (std::string D = Dir; !D.empty() && !Disk.DirectoryExists(D); D = ParentOf(D)) {
        if (D.size() <= 3 && D.size() >= 2 && D[1] == ':')
            break;
        Missing.push_back(D);
    }
    for (auto It = Missing.rbegin(); It != Missing.rend(); ++It)
        FSteps.push_back(TStep{skDir, *It, "", rrLocalMachine, "", {}});
}

TFileResult TInstallUndo::ForceDirectories(const std::string& Dir)
{
    TFileResult Result;
    for (const std::string& D : ForceDirectoriesNoting(Dir, Disk, &Result))
        FSteps.push_back(TStep{skDir, D, "", rrLocalMachine, "", {}});
    // Nothing was refused yet Dir is not there (a drive that does not exist, which is
    // never made): the disk says why.
    if (Result && !Disk.DirectoryExists(Dir))
        return Disk.ForceDirectories(Dir);
    return Result;
}

std::unique_ptr<TStream> TInstallUndo::Create(const std::string& Path)
{
    if (!Made(Path) && Disk.FileExists(Path)) {
        if (const TFileResult Aside = SetAside(Path, false); !Aside)
            throw EFCreateError("Cannot create file " + Path + ": the file there cannot be set aside: " + Aside.Reason);
    }
    auto Stream = Disk.Create(Path);
    if (!Made(Path))
        NoteFile(Path);
    return Stream;
}

std::unique_ptr<TStream> TInstallUndo::OpenReadWrite(const std::string& Path)
{
    if (!Made(Path) && Disk.FileExists(Path)) {
        if (const TFileResult Aside = SetAside(Path, true); !Aside)
            throw EFOpenError("Cannot open file " + Path + ": it cannot be copied aside: " + Aside.Reason);
        NoteFile(Path);
    }
    return Disk.OpenReadWrite(Path);
}

TFileResult TInstallUndo::CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    const bool Existed = Disk.FileExists(Dest);
    // Without Overwrite the disk refuses an existing Dest by itself, and says so.
    if (Existed && !Made(Dest) && Overwrite) {
        if (const TFileResult Aside = SetAside(Dest, false); !Aside)
            return Aside;
    }
    const TFileResult Copied = Disk.CopyFileTo(Source, Dest, Overwrite);
    if (!Copied) {
        // The file it would have replaced is back at once: a caller may go on without the copy.
        if (Existed && !Made(Dest))
            PutBack(Dest);
        return Copied;
    }
    if (!Made(Dest))
        NoteFile(Dest);
    return Copied;
}

TFileResult TInstallUndo::EraseFile(const std::string& Path)
{
    if (!Made(Path))
        return TFileResult::Failed("the installation did not make it");
    return Disk.EraseFile(Path);
}

void TInstallUndo::WillCreate(const std::string& Path)
{
    if (Made(Path))
        return;
    if (Disk.FileExists(Path)) {
        if (const TFileResult Aside = SetAside(Path, false); !Aside)
            throw EInOutError("Cannot replace " + Path + ": the file there cannot be set aside: " + Aside.Reason);
    }
    NoteMissingDirs(ParentOf(Path));
    NoteFile(Path);
}

void TInstallUndo::PutBack(const std::string& Path)
{
    if (Disk.FileExists(Path))
        return;
    for (auto It = FSteps.rbegin(); It != FSteps.rend(); ++It)
        if (It->Kind == skAside && KeyOf(It->Path) == KeyOf(Path)) {
            if (Disk.RenameFile(It->Aside, It->Path))
                FSteps.erase(std::next(It).base());
            return;
        }
}

void TInstallUndo::WillWrite(TRegistryRoot Root, const std::string& Key, const std::string& Name)
{
    if (!Registry.KeyExists || !Registry.ReadValue || !Registry.RestoreValue || !Registry.DeleteKey)
        throw EInOutError("The registry value " + Name + " of " + Key + " cannot be written: it could not be undone");
    const auto Noted = [&](TStepKind Kind, const std::string& K, const std::string& N) {
        return std::any_of(FSteps.begin(), FSteps.end(), [&](const TStep& S) {
            return S.Kind == Kind && S.Root == Root && LowerAscii(S.Path) == LowerAscii(K) && S.Name == N;
        });
    };
    std::vector<std::string> Missing;
    for (std::string K = Key; !K.empty() && K != "\\" && !Registry.KeyExists(Root, K); K = ParentKey(K))
        Missing.push_back(K);
    for (auto It = Missing.rbegin(); It != Missing.rend(); ++It)
        if (!Noted(skKey, *It, ""))
            FSteps.push_back(TStep{skKey, *It, "", Root, "", {}});
    if (!Noted(skValue, Key, Name))
        FSteps.push_back(TStep{skValue, Key, "", Root, Name, Registry.ReadValue(Root, Key, Name)});
}

std::vector<std::string> TInstallUndo::Rollback()
{
    std::vector<std::string> Left;
    for (auto It = FSteps.rbegin(); It != FSteps.rend(); ++It) {
        const TStep& S = *It;
        try {
            switch (S.Kind) {
            case skFile:
                if (Disk.FileExists(S.Path)) {
                    if (const TFileResult R = EraseOwnFile(Disk, S.Path); !R)
                        Left.push_back(S.Path + ": " + R.Reason);
                }
                break;
            case skDir:
                if (Disk.DirectoryExists(S.Path) && Disk.ListDirectory(S.Path).empty()) {
                    if (const TFileResult R = Disk.RemoveDir(S.Path); !R)
                        Left.push_back(S.Path + ": " + R.Reason);
                }
                break;
            case skAside:
                if (Disk.FileExists(S.Path)) {
                    Left.push_back(S.Path + " (kept as " + S.Aside + "): another file is in its place");
                } else if (const TFileResult R = Disk.RenameFile(S.Aside, S.Path); !R) {
                    Left.push_back(S.Path + " (kept as " + S.Aside + "): " + R.Reason);
                }
                break;
            // What is as it was is not touched: a write that failed may be one the key refuses.
            case skKey:
                if (Registry.KeyExists(S.Root, S.Path))
                    Registry.DeleteKey(S.Root, S.Path);
                break;
            case skValue:
                if (!(Registry.ReadValue(S.Root, S.Path, S.Name) == S.Old))
                    Registry.RestoreValue(S.Root, S.Path, S.Name, S.Old);
                break;
            }
        } catch (const std::exception& E) {
            Left.push_back(E.what());
        }
    }
    FSteps.clear();
    FMadeFiles.clear();
    return Left;
}

std::vector<std::string> TInstallUndo::Commit()
{
    std::vector<std::string> Left;
    for (const TStep& S : FSteps)
        if (S.Kind == skAside) {
            if (const TFileResult R = EraseOwnFile(Disk, S.Aside); !R)
                Left.push_back(S.Aside + ": " + R.Reason);
        }
    FSteps.clear();
    FMadeFiles.clear();
    return Left;
}
