#include "registry_key.h"

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

std::string PathBelowRoot(const std::string& Key) { return !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key; }

LONG OpenRegistryKey(TRegistryRoot Root, const std::string& Key, REGSAM Access, TRegKey& Opened)
{
    const LONG R = RegOpenKeyExA(HiveOf(Root), PathBelowRoot(Key).c_str(), 0, Access, Opened.Receive());
    // What a failed call leaves in the slot is no key of ours.
    if (R != ERROR_SUCCESS)
        Opened.Release();
    return R;
}
