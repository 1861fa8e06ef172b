#include "install_undo.h"

#include "exceptions.h"
#include "shell_helpers.h"
#include "string_helpers.h"
#include "system_error.h"

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

bool TInstallUndo::SetAside(const std::string& Path, bool Copy, std::string& Why)
{
    std::string Aside;
    for (int N = 1;; ++N) {
        Aside = Path + ".~" + std::to_string(N);
        if (!Disk.FileExists(Aside) && !Disk.DirectoryExists(Aside))
            break;
    }
    // A copy keeps the original where it is, for a caller that writes into it.
    const bool Moved = Copy ? Disk.CopyFileTo(Path, Aside, false) : Disk.RenameFile(Path, Aside);
    if (!Moved) {
        Why = LastSystemError();
        return false;
    }
    // One of our own set-aside files moved on: its record follows it.
    for (TStep& S : FSteps)
        if (S.Kind == skAside && KeyOf(S.Aside) == KeyOf(Path) && !Copy) {
            S.Aside = Aside;
            return true;
        }
    FSteps.push_back(TStep{skAside, Path, Aside, rrLocalMachine, "", {}});
    return true;
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

bool TInstallUndo::ForceDirectories(const std::string& Dir)
{
    for (const std::string& D : ForceDirectoriesNoting(Dir, Disk))
        FSteps.push_back(TStep{skDir, D, "", rrLocalMachine, "", {}});
    return Disk.DirectoryExists(Dir);
}

std::unique_ptr<TStream> TInstallUndo::Create(const std::string& Path)
{
    if (!Made(Path) && Disk.FileExists(Path)) {
        std::string Why;
        if (!SetAside(Path, false, Why))
            throw EFCreateError("Cannot create file " + Path + ": the file there cannot be set aside: " + Why);
    }
    auto Stream = Disk.Create(Path);
    if (!Made(Path))
        NoteFile(Path);
    return Stream;
}

std::unique_ptr<TStream> TInstallUndo::OpenReadWrite(const std::string& Path)
{
    if (!Made(Path) && Disk.FileExists(Path)) {
        std::string Why;
        if (!SetAside(Path, true, Why))
            throw EFOpenError("Cannot open file " + Path + ": it cannot be copied aside: " + Why);
        NoteFile(Path);
    }
    return Disk.OpenReadWrite(Path);
}

bool TInstallUndo::CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    const bool Existed = Disk.FileExists(Dest);
    if (Existed && !Made(Dest)) {
        std::string Why;
        if (!Overwrite || !SetAside(Dest, false, Why))
            return false;
    }
    if (!Disk.CopyFileTo(Source, Dest, Overwrite)) {
        // The file it would have replaced is back at once: a caller may go on without the copy.
        if (Existed && !Made(Dest))
            PutBack(Dest);
        return false;
    }
    if (!Made(Dest))
        NoteFile(Dest);
    return true;
}

bool TInstallUndo::EraseFile(const std::string& Path)
{
    if (!Made(Path))
        return false;
    return Disk.EraseFile(Path);
}

void TInstallUndo::WillCreate(const std::string& Path)
{
    if (Made(Path))
        return;
    if (Disk.FileExists(Path)) {
        std::string Why;
        if (!SetAside(Path, false, Why))
            throw EInOutError("Cannot replace " + Path + ": the file there cannot be set aside: " + Why);
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
                // Ours, so a read-only one is only what a copy brought along.
                if (Disk.FileExists(S.Path) && !(Disk.MakeWritable(S.Path) && Disk.EraseFile(S.Path)))
                    Left.push_back(S.Path + ": " + LastSystemError());
                break;
            case skDir:
                if (Disk.DirectoryExists(S.Path) && Disk.ListDirectory(S.Path).empty() && !Disk.RemoveDir(S.Path))
                    Left.push_back(S.Path + ": " + LastSystemError());
                break;
            case skAside:
                if (Disk.FileExists(S.Path))
                    Left.push_back(S.Path + " (kept as " + S.Aside + "): another file is in its place");
                else if (!Disk.RenameFile(S.Aside, S.Path))
                    Left.push_back(S.Path + " (kept as " + S.Aside + "): " + LastSystemError());
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
        if (S.Kind == skAside && !(Disk.MakeWritable(S.Aside) && Disk.EraseFile(S.Aside)))
            Left.push_back(S.Aside + ": " + LastSystemError());
    FSteps.clear();
    FMadeFiles.clear();
    return Left;
}
