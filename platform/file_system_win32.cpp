#include "file_system.h"

#include "disk_file_system.h"
#include "exceptions.h"
#include "system_error.h"
#include "win32_handles.h"

#include <windows.h>

namespace {

EInOutError CannotList(const std::string& Dir)
{
    return EInOutError("Cannot list directory " + Dir + ": " + LastSystemError());
}

// A refusal with the system's words for Error.
TFileResult Refused(DWORD Error)
{
    SetLastError(Error);
    return TDiskFileSystem::SystemFailure();
}

std::string WithoutTrailingSlash(std::string Path)
{
    while (Path.size() > 1 && (Path.back() == '\\' || Path.back() == '/') && Path[Path.size() - 2] != ':')
        Path.pop_back();
    return Path;
}

class TWin32FileSystem : public TDiskFileSystem {
public:
    std::vector<TDirEntry> ListDirectory(const std::string& Dir) override
    {
        std::vector<TDirEntry> Entries;
        std::string Pattern = WithoutTrailingSlash(Dir);
        if (Pattern.empty() || Pattern.back() != '\\')
            Pattern += '\\';
        Pattern += '*';
        WIN32_FIND_DATAA Data;
        TFindHandle Find(FindFirstFileA(Pattern.c_str(), &Data));
        if (!Find) {
            const DWORD Error = GetLastError();
            // Nothing to list: the directory is not there, or it is a root without entries.
            if (!DirectoryExists(Dir) || Error == ERROR_FILE_NOT_FOUND)
                return Entries;
            SetLastError(Error);
            throw CannotList(Dir);
        }
        for (;;) {
            const std::string Name = Data.cFileName;
            if (Name != "." && Name != "..") {
                TDirEntry E;
                E.Name = Name;
                E.Attributes = Data.dwFileAttributes;
                E.Size = (static_cast<std::uint64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
                Entries.push_back(std::move(E));
            }
            if (!FindNextFileA(Find.Get(), &Data)) {
                // Only "no more files" ends a listing; any other failure would cut it short.
                if (GetLastError() == ERROR_NO_MORE_FILES)
                    return Entries;
                throw CannotList(Dir);
            }
        }
    }

    bool FileExists(const std::string& Path) override
    {
        const DWORD A = GetFileAttributesA(Path.c_str());
        return A != INVALID_FILE_ATTRIBUTES && (A & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool DirectoryExists(const std::string& Path) override
    {
        const DWORD A = GetFileAttributesA(WithoutTrailingSlash(Path).c_str());
        return A != INVALID_FILE_ATTRIBUTES && (A & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    TFileResult ForceDirectories(const std::string& Dir) override
    {
        const std::string Path = WithoutTrailingSlash(Dir);
        if (Path.empty())
            return Refused(ERROR_PATH_NOT_FOUND);
        if (DirectoryExists(Path))
            return TFileResult();
        const std::size_t Slash = Path.find_last_of("\\/");
        if (Slash != std::string::npos && Slash > 0) {
            const std::string Parent = Path.substr(0, Slash);
            // Stop at a drive ("C:") or a UNC root: they cannot be created.
            if (!(Parent.size() == 2 && Parent[1] == ':')) {
                if (TFileResult Made = ForceDirectories(Parent); !Made)
                    return Made;
            }
        }
        if (CreateDirectoryA(Path.c_str(), nullptr))
            return TFileResult();
        const DWORD Error = GetLastError();
        // Made by someone else meanwhile: there all the same.
        return DirectoryExists(Path) ? TFileResult() : Refused(Error);
    }

    TFileResult CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite) override
    {
        return Done(CopyFileA(Source.c_str(), Dest.c_str(), Overwrite ? FALSE : TRUE) != 0);
    }

    TFileResult EraseFile(const std::string& Path) override { return Done(DeleteFileA(Path.c_str()) != 0); }

    TFileResult MakeWritable(const std::string& Path) override
    {
        const std::string P = WithoutTrailingSlash(Path);
        const DWORD A = GetFileAttributesA(P.c_str());
        if (A == INVALID_FILE_ATTRIBUTES)
            return SystemFailure();
        if (!(A & FILE_ATTRIBUTE_READONLY) || (A & FILE_ATTRIBUTE_REPARSE_POINT))
            return TFileResult();
        const DWORD Settable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;
        const DWORD Rest = A & Settable;
        return Done(SetFileAttributesA(P.c_str(), Rest ? Rest : FILE_ATTRIBUTE_NORMAL) != 0);
    }

    TFileResult RenameFile(const std::string& Source, const std::string& Dest) override
    {
        return Done(MoveFileExA(Source.c_str(), Dest.c_str(), MOVEFILE_REPLACE_EXISTING) != 0);
    }

    TFileResult RemoveDir(const std::string& Path) override
    {
        return Done(RemoveDirectoryA(WithoutTrailingSlash(Path).c_str()) != 0);
    }

    std::int64_t FreeSpace(const std::string& Path) override
    {
        std::string Dir = WithoutTrailingSlash(Path);
        // The volume is what counts: walk up to a directory that exists.
        while (!Dir.empty() && !DirectoryExists(Dir)) {
            const std::size_t Slash = Dir.find_last_of("\\/");
            if (Slash == std::string::npos)
                break;
            Dir.resize(Slash);
        }
        if (Dir.size() == 2 && Dir[1] == ':')
            Dir += '\\';
        ULARGE_INTEGER Available;
        if (Dir.empty() || !GetDiskFreeSpaceExA(Dir.c_str(), &Available, nullptr, nullptr))
            return -1;
        return static_cast<std::int64_t>(Available.QuadPart > 0x7FFFFFFFFFFFFFFFull ? 0x7FFFFFFFFFFFFFFFull
                                                                                    : Available.QuadPart);
    }

    int DriveType(const std::string& Root) override { return static_cast<int>(GetDriveTypeA(Root.c_str())); }

    std::string RealPath(const std::string& Path) override
    {
        // Not on every Windows the programs run on: looked up at run time.
        using TGetFinalPath = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
        static const auto GetFinalPath = reinterpret_cast<TGetFinalPath>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
        if (!GetFinalPath)
            return std::string();
        const TFileHandle H(CreateFileA(WithoutTrailingSlash(Path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!H)
            return std::string();
        char Buf[1024];
        const DWORD N = GetFinalPath(H.Get(), Buf, sizeof Buf, 0);
        return N > 0 && N < sizeof Buf ? std::string(Buf, N) : std::string();
    }
};

} // namespace

TFileSystem& LocalFileSystem()
{
    static TWin32FileSystem FS;
    return FS;
}

std::string CurrentDirectory()
{
    char Buffer[MAX_PATH * 2] = {};
    const DWORD N = GetCurrentDirectoryA(sizeof Buffer, Buffer);
    return N > 0 && N < sizeof Buffer ? std::string(Buffer, N) : std::string();
}
