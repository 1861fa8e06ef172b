#pragma once

#include "exceptions.h"
#include "stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// File attribute bits, with the values Windows gives them.
enum TFileAttribute : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faDirectory = 0x10,
    faArchive = 0x20,
    faNormal = 0x80,
    // A link or junction; Wine shows Unix symbolic links this way.
    faReparsePoint = 0x400,
};

struct TDirEntry {
    std::string Name;
    std::uint32_t Attributes = 0;
    std::uint64_t Size = 0;

    bool IsDirectory() const { return (Attributes & faDirectory) != 0; }
};

// How an operation that changes the disk went: done, or refused with the system's
// own words for why, so that the message a caller shows can say it.
struct TFileResult {
    bool Ok = true;
    std::string Reason;

    static TFileResult Failed(std::string Reason) { return TFileResult{false, std::move(Reason)}; }
    explicit operator bool() const { return Ok; }
    // What, with the reason after it, as EInOutError; nothing when done.
    void RaiseIfFailed(const std::string& What) const
    {
        if (!Ok)
            throw EInOutError(What + ": " + Reason);
    }
};

// The file operations the directory walks and formats need, so that they run
// on the real disk of either system or on an in-memory fake. Paths use "\".
class TFileSystem {
public:
    virtual ~TFileSystem() = default;

    // Every entry of Dir with every attribute allowed, never "." or "..". A Dir that
    // does not exist has no entries; one that exists but cannot be listed raises
    // EInOutError with the system's reason, so that it never passes for an empty one.
    virtual std::vector<TDirEntry> ListDirectory(const std::string& Dir) = 0;
    virtual bool FileExists(const std::string& Path) = 0;
    virtual bool DirectoryExists(const std::string& Path) = 0;
    // The operations that change the disk answer the system's reason when they fail.
    // Creates Dir and the parents it lacks; done when Dir exists afterwards.
    virtual TFileResult ForceDirectories(const std::string& Dir) = 0;
    // Raise EFOpenError / EFCreateError, with the system's reason.
    virtual std::unique_ptr<TStream> OpenRead(const std::string& Path) = 0;
    virtual std::unique_ptr<TStream> Create(const std::string& Path) = 0;
    // An existing file for reading and writing, positioned at its start.
    virtual std::unique_ptr<TStream> OpenReadWrite(const std::string& Path) = 0;
    // Copies one file; with Overwrite clear an existing Dest fails the copy.
    virtual TFileResult CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite) = 0;
    // Windows refuses to delete or replace a read-only file (copies keep the
    // attribute): clear it first with MakeWritable.
    virtual TFileResult EraseFile(const std::string& Path) = 0;
    // Clears the read-only attribute of a file or directory; a link is left as it is.
    virtual TFileResult MakeWritable(const std::string& Path) = 0;
    // Removes an empty directory.
    virtual TFileResult RemoveDir(const std::string& Path) = 0;
    // Moves the file Source to Dest on the same volume, replacing an existing Dest
    // file in one step where the system can, so that Dest is never half written.
    // The fallback copies and then erases.
    virtual TFileResult RenameFile(const std::string& Source, const std::string& Dest)
    {
        const TFileResult Copied = CopyFileTo(Source, Dest, true);
        return Copied ? EraseFile(Source) : Copied;
    }
    // Bytes the caller may still write on the volume of Path; -1 when unknown.
    virtual std::int64_t FreeSpace(const std::string& Path) = 0;
    // The drive type of a root such as "C:\", with Windows' numbers (dtNoRootDir for
    // UNC and relative paths).
    virtual int DriveType(const std::string& Root) = 0;
    // The path with every link resolved, so that walks can tell a cycle; "" when unknown.
    virtual std::string RealPath(const std::string& Path) = 0;
};

enum TDriveType {
    dtUnknown = 0,
    dtNoRootDir = 1,
    dtRemovable = 2,
    dtFixed = 3,
    dtRemote = 4,
    dtCDRom = 5,
    dtRamDisk = 6,
};

// The disk of the system the program runs on.
TFileSystem& LocalFileSystem();

// The process's current directory; "" when the system cannot say. Where the dialogs
// start when nothing better is known.
std::string CurrentDirectory();
