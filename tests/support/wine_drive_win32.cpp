#include "wine_drive.h"

#include <winioctl.h>

#include <ddk/mountmgr.h>

#include <cstring>
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

} // namespace

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

char FreeLetter(char From, char Lowest)
{
    const DWORD Used = GetLogicalDrives();
    for (char L = From; L >= Lowest; --L)
        if (!(Used & (1u << (L - 'a'))))
            return L;
    return 0;
}

TWineDrive::TWineDrive(char Letter, ULONG Type, const std::string& UnixDir)
    : FLetter(Letter), FDefined(DefineWineDrive(Letter, Type, UnixDir))
{
}

TWineDrive::~TWineDrive()
{
    if (FDefined)
        DefineWineDrive(FLetter, DRIVE_NO_ROOT_DIR, std::string());
}
