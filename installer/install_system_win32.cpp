#include "install_system.h"

#include "exceptions.h"
#include "shell_helpers.h"
#include "shell_links.h"

#include <windows.h>

namespace {

HKEY HiveOf(TRegistryRoot Root)
{
    switch (Root) {
    case rrClassesRoot:
        return HKEY_CLASSES_ROOT;
    case rrCurrentUser:
        return HKEY_CURRENT_USER;
    default:
        return HKEY_LOCAL_MACHINE;
    }
}

std::string ReasonOf(LONG Code)
{
    char* Text = nullptr;
    const DWORD N = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(Code), 0, reinterpret_cast<char*>(&Text), 0, nullptr);
    std::string Reason = N > 0 && Text ? std::string(Text, N) : "error " + std::to_string(Code);
    if (Text)
        LocalFree(Text);
    while (!Reason.empty() && (Reason.back() == '\n' || Reason.back() == '\r' || Reason.back() == ' '))
        Reason.pop_back();
    return Reason;
}

class TKey {
public:
    ~TKey()
    {
        if (Handle)
            RegCloseKey(Handle);
    }
    HKEY Handle = nullptr;
};

} // namespace

void WriteRegistryString(TRegistryRoot Root, const std::string& Key, const std::string& Name,
                         const std::string& Value)
{
    // The registry takes key paths without a leading "\".
    const std::string Path = !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key;
    TKey K;
    LONG R = RegCreateKeyExA(HiveOf(Root), Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                             &K.Handle, nullptr);
    if (R != ERROR_SUCCESS) {
        K.Handle = nullptr;
        throw EInOutError("Cannot open the registry key " + Path + ": " + ReasonOf(R));
    }
    R = RegSetValueExA(K.Handle, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                       static_cast<DWORD>(Value.size() + 1));
    if (R != ERROR_SUCCESS)
        throw EInOutError("Cannot write the registry value " + Name + " of " + Path + ": " + ReasonOf(R));
}

TShortcutShell InstallerShortcutShell()
{
    TShortcutShell Shell;
    Shell.InstallFolder = [](int Kind, const std::string& Group) {
        switch (Kind) {
        case 1:
            return GetSpecialFolder(TSpecialFolder::Desktop);
        case 2:
            return GetSpecialFolder(TSpecialFolder::Startup);
        case 3:
            return GetSpecialFolder(TSpecialFolder::QuickLaunch);
        case 4:
            return Group;
        case 5: {
            const std::string Programs = GetSpecialFolder(TSpecialFolder::Programs);
            return Programs.empty() ? std::string() : JoinPath(Programs, Group);
        }
        default:
            return std::string();
        }
    };
    Shell.CreateShortcut = [](const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                              const std::string& Name, const std::string& Group, int Kind) {
        std::string LinkPath;
        ::CreateShortcut(Target, Arguments, WorkDir, Name, Group, static_cast<TInstallFolder>(Kind), LinkPath);
        return LinkPath;
    };
    return Shell;
}
