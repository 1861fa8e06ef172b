#include "registry_helpers.h"

#include "registry_key.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char AppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::string Expanded(const std::string& Value)
{
    for (DWORD Size = static_cast<DWORD>(Value.size()) + 1;;) {
        std::vector<char> Buf(Size + 1, '\0');
        const DWORD Needed = ExpandEnvironmentStringsA(Value.c_str(), Buf.data(), Size);
        if (Needed == 0)
            return Value;
        if (Needed <= Size)
            return std::string(Buf.data());
        Size = Needed;
    }
}

bool IsString(DWORD Type) { return Type == REG_SZ || Type == REG_EXPAND_SZ; }

std::string ReadString(HKEY Root, const std::string& Path, const char* Name)
{
    TRegKey Key;
    if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_QUERY_VALUE, Key.Receive()) != ERROR_SUCCESS)
        return std::string();
    // A writer may grow the value between asking its size and reading it.
    for (int Attempt = 0; Attempt < 8; ++Attempt) {
        DWORD Type = 0;
        DWORD Size = 0;
        if (RegQueryValueExA(Key.Get(), Name, nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS || !IsString(Type))
            return std::string();
        // One byte more than asked for: stored strings need not end in a NUL.
        std::vector<char> Data(static_cast<size_t>(Size) + 1, '\0');
        DWORD Got = Size;
        const LONG R = RegQueryValueExA(Key.Get(), Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &Got);
        if (R == ERROR_MORE_DATA)
            continue;
        if (R != ERROR_SUCCESS || !IsString(Type))
            return std::string();
        const std::string Value(Data.data(), strnlen(Data.data(), std::min(Got, Size)));
        return Type == REG_EXPAND_SZ ? Expanded(Value) : Value;
    }
    return std::string();
}

std::string ReadDefaultString(HKEY Root, const std::string& Path) { return ReadString(Root, Path, nullptr); }

bool WriteDefaultString(HKEY Root, const std::string& Path, const std::string& Value)
{
    TRegKey Key;
    if (RegCreateKeyExA(Root, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, Key.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(Key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                          static_cast<DWORD>(Value.size() + 1)) == ERROR_SUCCESS;
}

// Only a key that is certainly absent counts as absent: one we may not open exists.
bool KeyMissing(HKEY Root, const std::string& Path)
{
    TRegKey Key;
    return RegOpenKeyExA(Root, Path.c_str(), 0, KEY_QUERY_VALUE, Key.Receive()) == ERROR_FILE_NOT_FOUND;
}

} // namespace

std::string ReadRegistryString(TRegistryRoot Root, const std::string& Key, const std::string& Name)
{
    return ReadString(HiveOf(Root), Key, Name.empty() ? nullptr : Name.c_str());
}

std::string GetAppPath(const std::string& ExeName)
{
    return ReadDefaultString(HKEY_LOCAL_MACHINE, AppPathsKey + ExeName);
}

std::string GetFileTypeCommand(const std::string& Ext, const std::string& Verb)
{
    const std::string TypeName = ReadDefaultString(HKEY_CLASSES_ROOT, Ext);
    if (TypeName.empty())
        return std::string();
    return ReadDefaultString(HKEY_CLASSES_ROOT, TypeName + "\\Shell\\" + Verb + "\\command");
}

bool RegisterFileType(const std::string& Ext, const std::string& TypeName, const std::string& Verb,
                      const std::string& Command, bool Overwrite)
{
    // An empty name would write into the root of the classes or a key directly below it.
    if (Ext.empty() || TypeName.empty() || Verb.empty())
        return false;
    if (!Overwrite && !KeyMissing(HKEY_CLASSES_ROOT, Ext))
        return false;
    return WriteDefaultString(HKEY_CLASSES_ROOT, Ext, TypeName) &&
           WriteDefaultString(HKEY_CLASSES_ROOT, TypeName + "\\shell\\" + Verb + "\\command", Command);
}

bool SetFileTypeIcon(const std::string& TypeName, const std::string& Icon)
{
    if (TypeName.empty())
        return false;
    return WriteDefaultString(HKEY_CLASSES_ROOT, TypeName + "\\DefaultIcon", Icon);
}
