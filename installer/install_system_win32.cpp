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

std::string PathOf(const std::string& Key) { return !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key; }

bool KeyExists(TRegistryRoot Root, const std::string& Key)
{
    TKey K;
    const LONG R = RegOpenKeyExA(HiveOf(Root), PathOf(Key).c_str(), 0, KEY_QUERY_VALUE, &K.Handle);
    if (R != ERROR_SUCCESS)
        K.Handle = nullptr;
    // A key that cannot be opened for another reason is there: it must not be deleted.
    return R != ERROR_FILE_NOT_FOUND;
}

TRegistryValue ReadValue(TRegistryRoot Root, const std::string& Key, const std::string& Name)
{
    TRegistryValue V;
    TKey K;
    LONG R = RegOpenKeyExA(HiveOf(Root), PathOf(Key).c_str(), 0, KEY_QUERY_VALUE, &K.Handle);
    if (R == ERROR_FILE_NOT_FOUND) {
        K.Handle = nullptr;
        return V;
    }
    if (R != ERROR_SUCCESS) {
        K.Handle = nullptr;
        throw EInOutError("Cannot open the registry key " + PathOf(Key) + ": " + ReasonOf(R));
    }
    for (;;) {
        DWORD Type = 0, Size = 0;
        R = RegQueryValueExA(K.Handle, Name.c_str(), nullptr, &Type, nullptr, &Size);
        if (R == ERROR_FILE_NOT_FOUND)
            return V;
        if (R != ERROR_SUCCESS)
            break;
        std::string Data(Size, '\0');
        DWORD Got = Size;
        R = RegQueryValueExA(K.Handle, Name.c_str(), nullptr, &Type,
                             Size ? reinterpret_cast<BYTE*>(&Data[0]) : nullptr, &Got);
        // Changed in between: ask again.
        if (R == ERROR_MORE_DATA)
            continue;
        if (R != ERROR_SUCCESS)
            break;
        V.Exists = true;
        V.Type = Type;
        V.Data = Data.substr(0, Got);
        return V;
    }
    throw EInOutError("Cannot read the registry value " + Name + " of " + PathOf(Key) + ": " + ReasonOf(R));
}

void RestoreValue(TRegistryRoot Root, const std::string& Key, const std::string& Name, const TRegistryValue& Value)
{
    TKey K;
    LONG R = RegOpenKeyExA(HiveOf(Root), PathOf(Key).c_str(), 0, KEY_SET_VALUE, &K.Handle);
    if (R != ERROR_SUCCESS) {
        K.Handle = nullptr;
        if (R == ERROR_FILE_NOT_FOUND && !Value.Exists)
            return;
        throw EInOutError("Cannot open the registry key " + PathOf(Key) + ": " + ReasonOf(R));
    }
    if (!Value.Exists) {
        R = RegDeleteValueA(K.Handle, Name.c_str());
        if (R != ERROR_SUCCESS && R != ERROR_FILE_NOT_FOUND)
            throw EInOutError("Cannot delete the registry value " + Name + " of " + PathOf(Key) + ": " + ReasonOf(R));
        return;
    }
    R = RegSetValueExA(K.Handle, Name.c_str(), 0, Value.Type, reinterpret_cast<const BYTE*>(Value.Data.data()),
                       static_cast<DWORD>(Value.Data.size()));
    if (R != ERROR_SUCCESS)
        throw EInOutError("Cannot write the registry value " + Name + " of " + PathOf(Key) + ": " + ReasonOf(R));
}

void DeleteKey(TRegistryRoot Root, const std::string& Key)
{
    const LONG R = RegDeleteKeyA(HiveOf(Root), PathOf(Key).c_str());
    if (R != ERROR_SUCCESS && R != ERROR_FILE_NOT_FOUND)
        throw EInOutError("Cannot delete the registry key " + PathOf(Key) + ": " + ReasonOf(R));
}

} // namespace

TRegistryUndo InstallerRegistryUndo()
{
    TRegistryUndo U;
    U.KeyExists = KeyExists;
    U.ReadValue = ReadValue;
    U.RestoreValue = RestoreValue;
    U.DeleteKey = DeleteKey;
    return U;
}

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
    Shell.InstallFolder = [](TLinkKind Kind, const std::string& Group) {
        switch (Kind) {
        case TLinkKind::Desktop:
            return GetSpecialFolder(TSpecialFolder::Desktop);
        case TLinkKind::Startup:
            return GetSpecialFolder(TSpecialFolder::Startup);
        case TLinkKind::QuickLaunch:
            return GetSpecialFolder(TSpecialFolder::QuickLaunch);
        case TLinkKind::Group:
            return Group;
        case TLinkKind::ProgramsGroup: {
            const std::string Programs = GetSpecialFolder(TSpecialFolder::Programs);
            return Programs.empty() ? std::string() : JoinPath(Programs, Group);
        }
        }
        return std::string();
    };
    Shell.CreateShortcut = [](const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                              const std::string& Name, const std::string& Group, TLinkKind Kind) {
        std::string LinkPath;
        ::CreateShortcut(Target, Arguments, WorkDir, Name, Group, LinkFolder(Kind), LinkPath);
        return LinkPath;
    };
    return Shell;
}
