#include "file_system.h"

#include "disk_file_system.h"
#include "exceptions.h"
#include "posix_path.h"
#include "system_error.h"
#include "unique_handle.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cerrno>
#include <cstdio>

namespace {

struct TDirTraits {
    using THandle = DIR*;
    static DIR* Invalid() { return nullptr; }
    static void Close(DIR* D) { closedir(D); }
};
using TDirHandle = TUniqueHandle<TDirTraits>;

EInOutError CannotList(const std::string& Dir)
{
    return EInOutError("Cannot list directory " + Dir + ": " + LastSystemError());
}

// A refusal of our own, in the words the system has for it.
TFileResult Refused(int Error)
{
    errno = Error;
    return TDiskFileSystem::SystemFailure();
}

bool StatPath(const std::string& Path, struct stat& St) { return ::stat(NativePath(Path).c_str(), &St) == 0; }

class TPosixFileSystem : public TDiskFileSystem {
public:
    std::vector<TDirEntry> ListDirectory(const std::string& Dir) override
    {
        std::vector<TDirEntry> Entries;
        const std::string Native = NativePath(Dir);
        TDirHandle D(opendir(Native.c_str()));
        if (!D) {
            if (errno == ENOENT || errno == ENOTDIR)
                return Entries;
            throw CannotList(Dir);
        }
        for (;;) {
            errno = 0;
            const dirent* Ent = readdir(D.Get());
            if (!Ent) {
                if (errno != 0)
                    throw CannotList(Dir);
                break;
            }
            const std::string Name = Ent->d_name;
            if (Name == "." || Name == "..")
                continue;
            const std::string Full = Native + "/" + Name;
            struct stat St;
            if (::stat(Full.c_str(), &St) != 0) {
                // A link whose target is gone, or that leads round in a circle: nothing to list.
                if (errno == ENOENT || errno == ELOOP)
                    continue;
                throw CannotList(Dir);
            }
            struct stat Link;
            const bool IsLink = ::lstat(Full.c_str(), &Link) == 0 && S_ISLNK(Link.st_mode);
            TDirEntry E;
            E.Name = Name;
            E.Attributes = S_ISDIR(St.st_mode) ? faDirectory : faArchive;
            if (IsLink)
                E.Attributes |= faReparsePoint;
            if ((St.st_mode & S_IWUSR) == 0)
                E.Attributes |= faReadOnly;
            if (Name[0] == '.')
                E.Attributes |= faHidden;
            E.Size = S_ISDIR(St.st_mode) ? 0 : static_cast<std::uint64_t>(St.st_size);
            Entries.push_back(std::move(E));
        }
        // readdir has no order of its own; keep walks repeatable.
        std::sort(Entries.begin(), Entries.end(), [](const TDirEntry& A, const TDirEntry& B) { return A.Name < B.Name; });
        return Entries;
    }

    bool FileExists(const std::string& Path) override
    {
        struct stat St;
        return StatPath(Path, St) && !S_ISDIR(St.st_mode);
    }

    bool DirectoryExists(const std::string& Path) override
    {
        struct stat St;
        return StatPath(Path, St) && S_ISDIR(St.st_mode);
    }

    TFileResult ForceDirectories(const std::string& Dir) override
    {
        std::string Path = NativePath(Dir);
        while (Path.size() > 1 && Path.back() == '/')
            Path.pop_back();
        if (Path.empty())
            return Refused(ENOENT);
        if (DirectoryExists(Path))
            return TFileResult();
        const std::size_t Slash = Path.find_last_of('/');
        if (Slash != std::string::npos && Slash > 0) {
            if (TFileResult Parent = ForceDirectories(Path.substr(0, Slash)); !Parent)
                return Parent;
        }
        if (::mkdir(Path.c_str(), 0755) == 0)
            return TFileResult();
        const int Error = errno;
        // Made by someone else meanwhile: there all the same.
        return Error == EEXIST && DirectoryExists(Path) ? TFileResult() : Refused(Error);
    }

    TFileResult CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite) override
    {
        if (!Overwrite && (FileExists(Dest) || DirectoryExists(Dest)))
            return Refused(EEXIST);
        try {
            auto In = OpenRead(Source);
            auto Out = Create(Dest);
            Out->CopyFrom(*In, 0);
            return TFileResult();
        } catch (const EStreamError& E) {
            // The stream's message names which of the two files failed, and why.
            return TFileResult::Failed(E.Message());
        }
    }

    TFileResult EraseFile(const std::string& Path) override { return Done(::unlink(NativePath(Path).c_str()) == 0); }

    TFileResult MakeWritable(const std::string& Path) override
    {
        const std::string Native = NativePath(Path);
        struct stat St;
        // chmod would follow a link to whatever it points at.
        if (::lstat(Native.c_str(), &St) != 0)
            return SystemFailure();
        if (S_ISLNK(St.st_mode) || (St.st_mode & S_IWUSR))
            return TFileResult();
        return Done(::chmod(Native.c_str(), (St.st_mode & 07777) | S_IWUSR) == 0);
    }

    TFileResult RemoveDir(const std::string& Path) override { return Done(::rmdir(NativePath(Path).c_str()) == 0); }

    TFileResult RenameFile(const std::string& Source, const std::string& Dest) override
    {
        return Done(::rename(NativePath(Source).c_str(), NativePath(Dest).c_str()) == 0);
    }

    std::int64_t FreeSpace(const std::string& Path) override
    {
        std::string Dir = NativePath(Path);
        while (!Dir.empty() && !DirectoryExists(Dir)) {
            const std::size_t Slash = Dir.find_last_of('/');
            Dir = Slash == std::string::npos || Slash == 0 ? std::string("/") : Dir.substr(0, Slash);
        }
        struct statvfs Fs;
        if (Dir.empty() || ::statvfs(Dir.c_str(), &Fs) != 0)
            return -1;
        return static_cast<std::int64_t>(Fs.f_bavail) * static_cast<std::int64_t>(Fs.f_frsize);
    }

    // Everything absolute lies on the one fixed file system.
    int DriveType(const std::string& Root) override
    {
        const std::string Native = NativePath(Root);
        return !Native.empty() && Native[0] == '/' ? dtFixed : dtNoRootDir;
    }

    std::string RealPath(const std::string& Path) override
    {
        char* Resolved = ::realpath(NativePath(Path).c_str(), nullptr);
        if (!Resolved)
            return std::string();
        std::string R = Resolved;
        std::free(Resolved);
        return R;
    }
};

} // namespace

TFileSystem& LocalFileSystem()
{
    static TPosixFileSystem FS;
    return FS;
}

std::string CurrentDirectory()
{
    char Buffer[4096];
    return ::getcwd(Buffer, sizeof Buffer) ? std::string(Buffer) : std::string();
}
