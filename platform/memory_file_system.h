#pragma once

#include "file_system.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// A file system in memory, for tests and fuzzing: Windows-style paths ("C:\dir\file"),
// names compared without case, every drive present. It records what it was asked to
// create, so a caller can prove that nothing was made. Paths resolve "." and ".." as
// Windows does, so that an escape from a directory shows. As Windows does, it refuses to
// delete, replace or write a read-only file, and copies keep the attribute.
class TMemoryFileSystem : public TFileSystem {
public:
    std::vector<TDirEntry> ListDirectory(const std::string& Dir) override;
    bool FileExists(const std::string& Path) override;
    bool DirectoryExists(const std::string& Path) override;
    TFileResult ForceDirectories(const std::string& Dir) override;
    std::unique_ptr<TStream> OpenRead(const std::string& Path) override;
    std::unique_ptr<TStream> Create(const std::string& Path) override;
    std::unique_ptr<TStream> OpenReadWrite(const std::string& Path) override;
    TFileResult CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite) override;
    TFileResult EraseFile(const std::string& Path) override;
    TFileResult MakeWritable(const std::string& Path) override;
    TFileResult RemoveDir(const std::string& Path) override;
    TFileResult RenameFile(const std::string& Source, const std::string& Dest) override;
    std::int64_t FreeSpace(const std::string& Path) override;
    int DriveType(const std::string& Root) override;
    std::string RealPath(const std::string& Path) override;

    // Test set-up.
    void AddFile(const std::string& Path, const std::string& Bytes);
    std::string FileBytes(const std::string& Path) const;
    void SetDriveType(char Drive, int Type);
    void SetAttributes(const std::string& Path, std::uint32_t Attributes);
    // Path can no longer be read: as a directory it cannot be listed, as a file not opened.
    void SetUnreadable(const std::string& Path);
    std::int64_t Free = std::int64_t{1} << 40;

    // Every file and directory created, in order, as the caller named it with "."
    // and ".." resolved: where it really landed.
    const std::vector<std::string>& Created() const { return FCreated; }
    // All paths held, files and directories, sorted.
    std::vector<std::string> AllPaths() const;

private:
    struct TNode {
        std::string Path; // as first named
        bool Directory = false;
        std::uint32_t Attributes = 0;
        bool Unreadable = false;
        std::shared_ptr<std::string> Bytes;
    };
    // The path with "/" as "\\", no doubled or final separator, "." and ".." resolved.
    static std::string Resolved(const std::string& Path);
    static std::string KeyOf(const std::string& Path);
    static std::string ParentKey(const std::string& Key);
    static bool IsDriveKey(const std::string& Key);
    const TNode* Find(const std::string& Path) const;
    static bool ReadOnly(const TNode& N) { return (N.Attributes & faReadOnly) != 0; }

    std::map<std::string, TNode> FNodes;
    std::map<char, int> FDriveTypes;
    std::vector<std::string> FCreated;
};
