#include "shell_links.h"

#include "com_apartment.h"
#include "registry_helpers.h"
#include "path_and_dir_helpers.h"
#include "win32_handles.h"

#include <objbase.h>
#include <shlguid.h>

#include <vector>

namespace {

const char ShellFoldersKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::wstring Wide(const std::string& S)
{
    if (S.empty())
        return std::wstring();
    const int N = MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    if (N <= 0)
        return std::wstring();
    std::wstring W(static_cast<std::size_t>(N), L'\0');
    MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), &W[0], N);
    return W;
}

// A group below the programs menu is a relative path of plain names: it never climbs out.
bool IsSafeGroup(const std::string& Group)
{
    std::size_t Start = 0;
    while (Start <= Group.size()) {
        std::size_t End = Group.find('\\', Start);
        if (End == std::string::npos)
            End = Group.size();
        if (!IsSafePathComponent(Group.substr(Start, End - Start)))
            return false;
        Start = End + 1;
    }
    return true;
}

std::string ShortcutFolder(TInstallFolder Kind, const std::string& Group)
{
    switch (Kind) {
    case TInstallFolder::Desktop:
        return GetSpecialFolder(TSpecialFolder::Desktop);
    case TInstallFolder::Startup:
        return GetSpecialFolder(TSpecialFolder::Startup);
    case TInstallFolder::QuickLaunch:
        return GetSpecialFolder(TSpecialFolder::QuickLaunch);
    // A folder that cannot be made fails the link's save into it.
    case TInstallFolder::Path:
        LocalFileSystem().ForceDirectories(Group);
        return Group;
    case TInstallFolder::ProgramsGroup: {
        if (!Group.empty() && !IsSafeGroup(Group))
            return std::string();
        const std::string Programs = GetSpecialFolder(TSpecialFolder::Programs);
        if (Programs.empty())
            return std::string();
        const std::string Folder = JoinPath(Programs, Group);
        LocalFileSystem().ForceDirectories(Folder);
        return Folder;
    }
    default:
        return std::string();
    }
}

} // namespace

std::string GetShellCommand(const std::string& FileClass, const std::string& Verb)
{
    return ReadRegistryString(rrClassesRoot, FileClass + "\\Shell\\" + Verb + "\\command", "");
}

std::string GetSpecialFolder(TSpecialFolder Kind)
{
    switch (Kind) {
    case TSpecialFolder::Windows: {
        char Buffer[250] = {};
        const UINT N = GetWindowsDirectoryA(Buffer, sizeof Buffer);
        return N > 0 && N < sizeof Buffer ? std::string(Buffer, N) : std::string();
    }
    case TSpecialFolder::Desktop:
        return ReadRegistryString(rrCurrentUser, ShellFoldersKey, "Desktop");
    case TSpecialFolder::QuickLaunch:
        return ReadRegistryString(rrCurrentUser, "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups",
                                  "Quick Launch");
    case TSpecialFolder::Programs:
        return ReadRegistryString(rrCurrentUser, ShellFoldersKey, "Programs");
    case TSpecialFolder::Startup:
        return ReadRegistryString(rrCurrentUser, ShellFoldersKey, "StartUP");
    case TSpecialFolder::ProgramFiles:
        return ReadRegistryString(rrLocalMachine, "Software\\MicroSoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    case TSpecialFolder::Fonts:
        return ReadRegistryString(rrCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                  "Fonts");
    }
    return std::string();
}

std::string GetInstallFolder(TInstallFolder Kind, const std::string& Path)
{
    return InstallFolderFrom(Kind, Path, GetSpecialFolder);
}

bool SaveShellLink(const std::wstring& Path, IShellLinkA* Link)
{
    if (!Link)
        return false;
    TComPtr<IPersistFile> File;
    if (FAILED(Link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(File.Receive()))) || !File)
        return false;
    return File.Get()->Save(Path.c_str(), FALSE) == S_OK;
}

void CreateShortcut(const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                    const std::string& Name, const std::string& Group, TInstallFolder Kind, std::string& LinkPath)
{
    const TComApartment Com;
    if (!Com.Ready()) {
        LinkPath.clear();
        return;
    }
    if (Target.empty())
        return;
    const std::string LinkName = Name.empty() ? "ShortCut to" + ExtractFileName(Target) : Name;
    LinkPath.clear();
    TComPtr<IShellLinkA> Link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(Link.Receive()))) ||
        !Link)
        return;
    Link.Get()->SetPath(Target.c_str());
    Link.Get()->SetWorkingDirectory(WorkDir.c_str());
    Link.Get()->SetDescription(LinkName.c_str());
    Link.Get()->SetArguments(Arguments.c_str());
    // The name is one file name: a link never lands outside its folder.
    if (!IsSafePathComponent(LinkName + ".lnk"))
        return;
    const std::string Folder = ShortcutFolder(Kind, Group);
    if (Folder.empty())
        return;
    const std::string Path = JoinPath(Folder, LinkName + ".lnk");
    if (SaveShellLink(Wide(Path), Link.Get()))
        LinkPath = Path;
}
