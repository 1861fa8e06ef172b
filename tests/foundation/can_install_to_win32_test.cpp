#include "shell_helpers.h"
#include "test_dirs.h"

#include <windows.h>
#include <winioctl.h>

#include <ddk/mountmgr.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Wine's mount manager defines a drive letter with a type, as Wine's configuration
// tool does: it links the letter to a Unix directory in the prefix's dosdevices and
// records the type under HKLM\Software\Wine\Drives. This is the request as Wine 8
// lays it out (seen in its answer to the matching query); an empty mount point
// removes the letter again.
struct TWineUnixDrive {
    ULONG Size;
    ULONG Type;
    ULONG FsType;
    DWORD Serial;
    ULONGLONG UnixDev;
    WCHAR Letter;
    USHORT MountPointOffset;
    USHORT DeviceOffset;
    USHORT LabelOffset;
};

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

std::string UnixPath(const std::string& WindowsPath)
{
    using TToUnix = char*(CDECL*)(const wchar_t*);
    const auto ToUnix = reinterpret_cast<TToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!ToUnix)
        return std::string();
    const std::wstring Wide(WindowsPath.begin(), WindowsPath.end());
    char* Unix = ToUnix(Wide.c_str());
    if (!Unix)
        return std::string();
    const std::string Result(Unix);
    HeapFree(GetProcessHeap(), 0, Unix);
    return Result;
}

bool DefineWineDrive(char Letter, ULONG Type, const std::string& UnixDir)
{
    std::vector<char> Buf(sizeof(TWineUnixDrive) + UnixDir.size() + 1, '\0');
    TWineUnixDrive Request = {};
    Request.Size = static_cast<ULONG>(UnixDir.empty() ? sizeof Request : Buf.size());
    Request.Type = Type;
    Request.Letter = static_cast<WCHAR>(Letter);
    if (!UnixDir.empty()) {
        Request.MountPointOffset = sizeof Request;
        std::memcpy(Buf.data() + sizeof Request, UnixDir.c_str(), UnixDir.size() + 1);
    }
    std::memcpy(Buf.data(), &Request, sizeof Request);
    const HANDLE Manager = CreateFileW(MOUNTMGR_DOS_DEVICE_NAME, GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (Manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD Returned = 0;
    const BOOL Ok = DeviceIoControl(Manager, IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE, Buf.data(), Request.Size, nullptr, 0,
                                    &Returned, nullptr);
    CloseHandle(Manager);
    return Ok != FALSE;
}

// A drive letter of the given type on a directory, removed again with the object.
class TWineDrive {
public:
    TWineDrive(char Letter, ULONG Type, const std::string& UnixDir)
        : FLetter(Letter), FDefined(DefineWineDrive(Letter, Type, UnixDir))
    {
    }
    TWineDrive(const TWineDrive&) = delete;
    TWineDrive& operator=(const TWineDrive&) = delete;
    ~TWineDrive()
    {
        if (FDefined)
            DefineWineDrive(FLetter, DRIVE_NO_ROOT_DIR, std::string());
    }
    bool Defined() const { return FDefined; }
    std::string Root() const { return std::string(1, FLetter) + ":\\"; }

private:
    char FLetter;
    bool FDefined;
};

char FreeLetter(char From)
{
    const DWORD Used = GetLogicalDrives();
    for (char L = From; L >= 'd'; --L)
        if (!(Used & (1u << (L - 'a'))))
            return L;
    return 0;
}

} // namespace

TEST(CanInstallToWin32, PathsWithoutAUsableRoot)
{
    const std::string Dir = ScratchDir();
    for (const char* Path : {"", "a:\\x", "A:\\setup", "\\\\server\\share\\dir", "relative\\dir", "x"})
        EXPECT_FALSE(CanInstallTo(Path, false)) << Path;
    EXPECT_TRUE(CanInstallTo(Dir, false));
    EXPECT_TRUE(CanInstallTo(Dir + "\\new\\deeper", true));
    EXPECT_EQ(GetFileAttributesA((Dir + "\\new\\deeper").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(CanInstallToWin32, RefusesCdRomNetworkAndRamDrives)
{
    if (!UnderWine())
        GTEST_SKIP() << "drive letters with a type are made through Wine's mount manager";
    const std::string Dir = ScratchDir();
    const std::string Unix = UnixPath(Dir);
    ASSERT_FALSE(Unix.empty());

    std::vector<std::unique_ptr<TWineDrive>> Drives;
    char Next = 'y';
    for (ULONG Type : {DRIVE_CDROM, DRIVE_REMOTE, DRIVE_RAMDISK, DRIVE_FIXED}) {
        const char Letter = FreeLetter(Next);
        ASSERT_NE(Letter, 0) << "no free drive letter";
        Next = static_cast<char>(Letter - 1);
        Drives.push_back(std::make_unique<TWineDrive>(Letter, Type, Unix));
        ASSERT_TRUE(Drives.back()->Defined()) << Letter;
        const std::string Root = Drives.back()->Root();
        EXPECT_EQ(LocalFileSystem().DriveType(Root), static_cast<int>(Type)) << Root;

        // The drive shows the scratch directory: a refused drive must create nothing there.
        const std::string Sub = std::string("sub-") + Letter;
        EXPECT_EQ(CanInstallTo(Root + Sub, true), Type == DRIVE_FIXED) << Root;
        EXPECT_EQ(GetFileAttributesA((Dir + "\\" + Sub).c_str()) != INVALID_FILE_ATTRIBUTES, Type == DRIVE_FIXED)
            << Root;
    }

    // "a:" is refused even as a fixed drive.
    if (!(GetLogicalDrives() & 1u)) {
        TWineDrive A('a', DRIVE_FIXED, Unix);
        ASSERT_TRUE(A.Defined());
        EXPECT_EQ(LocalFileSystem().DriveType("a:\\"), DRIVE_FIXED);
        EXPECT_FALSE(CanInstallTo("a:\\setup", true));
        EXPECT_FALSE(CanInstallTo("A:\\setup", false));
        EXPECT_EQ(GetFileAttributesA((Dir + "\\setup").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}
