#include "install_system.h"

#include "exceptions.h"
#include "registry_key.h"
#include "path_and_dir_helpers.h"
#include "shell_links.h"
#include "system_error.h"

#include <cstdint>

namespace {

[[noreturn]] void Fail(const std::string& What, LONG Code)
{
    throw EInOutError(What + ": " + SystemErrorText(static_cast<std::uint32_t>(Code)));
}

bool KeyExists(TRegistryRoot Root, const std::string& Key)
{
    TRegKey K;
    // A key that cannot be opened for another reason is there: it must not be deleted.
    return OpenRegistryKey(Root, Key, KEY_QUERY_VALUE, K) != ERROR_FILE_NOT_FOUND;
}

TRegistryValue ReadValue(TRegistryRoot Root, const std::string& Key, const std::string& Name)
{
    TRegistryValue V;
    TRegKey K;
    LONG R = OpenRegistryKey(Root, Key, KEY_QUERY_VALUE, K);
    if (R == ERROR_FILE_NOT_FOUND)
        return V;
    if (R != ERROR_SUCCESS)
        Fail("Cannot open the registry key " + PathBelowRoot(Key), R);
    for (;;) {
        DWORD Type = 0, Size = 0;
        R = RegQueryValueExA(K.Get(), Name.c_str(), nullptr, &Type, nullptr, &Size);
        if (R == ERROR_FILE_NOT_FOUND)
            return V;
        if (R != ERROR_SUCCESS)
            break;
        std::string Data(Size, '\0');
        DWORD Got = Size;
        R = RegQueryValueExA(K.Get(), Name.c_str(), nullptr, &Type, Size ? reinterpret_cast<BYTE*>(&Data[0]) : nullptr,
                             &Got);
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
    Fail("Cannot read the registry value " + Name + " of " + PathBelowRoot(Key), R);
}

void RestoreValue(TRegistryRoot Root, const std::string& Key, const std::string& Name, const TRegistryValue& Value)
{
    TRegKey K;
    LONG R = OpenRegistryKey(Root, Key, KEY_SET_VALUE, K);
    if (R != ERROR_SUCCESS) {
        if (R == ERROR_FILE_NOT_FOUND && !Value.Exists)
            return;
        Fail("Cannot open the registry key " + PathBelowRoot(Key), R);
    }
    if (!Value.Exists) {
        R = RegDeleteValueA(K.Get(), Name.c_str());
        if (R != ERROR_SUCCESS && R != ERROR_FILE_NOT_FOUND)
            Fail("Cannot delete the registry value " + Name + " of " + PathBelowRoot(Key), R);
        return;
    }
    R = RegSetValueExA(K.Get(), Name.c_str(), 0, Value.Type, reinterpret_cast<const BYTE*>(Value.Data.data()),
                       static_cast<DWORD>(Value.Data.size()));
    if (R != ERROR_SUCCESS)
        Fail("Cannot write the registry value " + Name + " of " + PathBelowRoot(Key), R);
}

void DeleteKey(TRegistryRoot Root, const std::string& Key)
{
    const LONG R = RegDeleteKeyA(HiveOf(Root), PathBelowRoot(Key).c_str());
    if (R != ERROR_SUCCESS && R != ERROR_FILE_NOT_FOUND)
        Fail("Cannot delete the registry key " + PathBelowRoot(Key), R);
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
    const std::string Path = PathBelowRoot(Key);
    TRegKey K;
    LONG R = RegCreateKeyExA(HiveOf(Root), Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                             K.Receive(), nullptr);
    if (R != ERROR_SUCCESS) {
        K.Release();
        Fail("Cannot open the registry key " + Path, R);
    }
    R = RegSetValueExA(K.Get(), Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                       static_cast<DWORD>(Value.size() + 1));
    if (R != ERROR_SUCCESS)
        Fail("Cannot write the registry value " + Name + " of " + Path, R);
}

TShortcutShell InstallerShortcutShell()
{
    TShortcutShell Shell;
    Shell.InstallFolder = [](TLinkKind Kind, const std::string& Group) {
        // A programs menu the system does not name holds no group.
        if (Kind == TLinkKind::ProgramsGroup && GetSpecialFolder(TSpecialFolder::Programs).empty())
            return std::string();
        return GetInstallFolder(LinkFolder(Kind), Group);
    };
    Shell.CreateShortcut = [](const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                              const std::string& Name, const std::string& Group, TLinkKind Kind) {
        std::string LinkPath;
        ::CreateShortcut(Target, Arguments, WorkDir, Name, Group, LinkFolder(Kind), LinkPath);
        return LinkPath;
    };
    return Shell;
}
