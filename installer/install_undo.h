#pragma once

#include "file_system.h"
#include "registry_helpers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A registry value as stored, so that one an installation replaced can be put back.
struct TRegistryValue {
    bool Exists = false;
    std::uint32_t Type = 0;
    std::string Data;
    bool operator==(const TRegistryValue& O) const
    {
        return Exists == O.Exists && (!Exists || (Type == O.Type && Data == O.Data));
    }
};

// What undoing registry writes needs of the system. Key paths as the writer takes
// them (a leading "\" is the root's own); every failure raises with the system's reason.
struct TRegistryUndo {
    // False only when the key is known to be missing.
    std::function<bool(TRegistryRoot Root, const std::string& Key)> KeyExists;
    std::function<TRegistryValue(TRegistryRoot Root, const std::string& Key, const std::string& Name)> ReadValue;
    // Writes Value back, or deletes the value when it did not exist (a missing one is no failure).
    std::function<void(TRegistryRoot Root, const std::string& Key, const std::string& Name,
                       const TRegistryValue& Value)>
        RestoreValue;
    // Deletes a key without subkeys; a missing one is no failure.
    std::function<void(TRegistryRoot Root, const std::string& Key)> DeleteKey;
};

// The disk as an installation sees it, keeping its own record of what it did: every
// file and directory it creates, every registry value it is about to write, and
// every file it replaces, which is first set aside beside itself. Rollback undoes it
// all, newest first, so that a failed installation leaves the disk and the registry
// as they were; Commit keeps what was made and lets the set-aside files go. A file
// the installation did not make is never erased.
class TInstallUndo : public TFileSystem {
public:
    explicit TInstallUndo(TFileSystem& ADisk, TRegistryUndo ARegistry = {});
    TInstallUndo(const TInstallUndo&) = delete;
    TInstallUndo& operator=(const TInstallUndo&) = delete;

    std::vector<TDirEntry> ListDirectory(const std::string& Dir) override { return Disk.ListDirectory(Dir); }
    bool FileExists(const std::string& Path) override { return Disk.FileExists(Path); }
    bool DirectoryExists(const std::string& Path) override { return Disk.DirectoryExists(Path); }
    TFileResult ForceDirectories(const std::string& Dir) override;
    std::unique_ptr<TStream> OpenRead(const std::string& Path) override { return Disk.OpenRead(Path); }
    // An existing file is set aside first; raises EFCreateError when it cannot be.
    std::unique_ptr<TStream> Create(const std::string& Path) override;
    // A file not made here is copied aside first.
    std::unique_ptr<TStream> OpenReadWrite(const std::string& Path) override;
    TFileResult CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite) override;
    // Only files made here; any other is refused.
    TFileResult EraseFile(const std::string& Path) override;
    TFileResult MakeWritable(const std::string& Path) override { return Disk.MakeWritable(Path); }
    TFileResult RemoveDir(const std::string& Path) override { return Disk.RemoveDir(Path); }
    std::int64_t FreeSpace(const std::string& Path) override { return Disk.FreeSpace(Path); }
    int DriveType(const std::string& Root) override { return Disk.DriveType(Root); }
    std::string RealPath(const std::string& Path) override { return Disk.RealPath(Path); }

    // Path is about to be made by someone else (the shell saving a link): a file
    // there is set aside, and the directories its folder lacks are noted.
    void WillCreate(const std::string& Path);
    // What WillCreate set aside comes back when nothing was made at Path after all.
    void PutBack(const std::string& Path);
    // Before the value Name of Key is written: notes the keys that are missing and
    // the value as it is. Raises when that cannot be known.
    void WillWrite(TRegistryRoot Root, const std::string& Key, const std::string& Name);

    // Undoes everything, newest first, going on past a failure; answers what could
    // not be undone, each with the system's reason. The record is empty afterwards.
    std::vector<std::string> Rollback();
    // Keeps everything and erases the set-aside files; answers those that stay.
    std::vector<std::string> Commit();

private:
    enum TStepKind { skFile, skDir, skAside, skKey, skValue };
    struct TStep {
        TStepKind Kind;
        std::string Path;  // the file or directory; the key of skKey and skValue
        std::string Aside; // skAside: where the replaced file waits
        TRegistryRoot Root = rrLocalMachine;
        std::string Name; // skValue
        TRegistryValue Old;
    };
    static std::string KeyOf(const std::string& Path);
    bool Made(const std::string& Path) const { return FMadeFiles.count(KeyOf(Path)) != 0; }
    void NoteFile(const std::string& Path);
    // Moves the file at Path to a free name beside it, or answers why the system refuses.
    TFileResult SetAside(const std::string& Path, bool Copy);
    void NoteMissingDirs(const std::string& Dir);

    TFileSystem& Disk;
    TRegistryUndo Registry;
    std::vector<TStep> FSteps;
    std::set<std::string> FMadeFiles;
};
