#include "test_registry_key.h"

#include "win32_handles.h"

#include <utility>
#include <vector>

namespace {

void DeleteTree(HKEY Root, const std::string& Path)
{
    std::vector<std::string> Subkeys;
    {
        TRegKey K;
        if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, K.Receive()) == ERROR_SUCCESS) {
            char Name[256];
            for (DWORD I = 0;; ++I) {
                DWORD Len = sizeof Name;
                if (RegEnumKeyExA(K.Get(), I, Name, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                    break;
                Subkeys.emplace_back(Name, Len);
            }
        }
    }
    for (const std::string& S : Subkeys)
        DeleteTree(Root, Path + "\\" + S);
    RegDeleteKeyA(Root, Path.c_str());
}

} // namespace

TTestRegKey::TTestRegKey(HKEY Root, std::string Path) : FRoot(Root), FPath(std::move(Path)) { Remove(); }

TTestRegKey::~TTestRegKey() { Remove(); }

void TTestRegKey::Remove() { DeleteTree(FRoot, FPath); }

bool TTestRegKey::SetValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size)
{
    TRegKey K;
    if (RegCreateKeyExA(FRoot, FPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, K.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(K.Get(), Name.empty() ? nullptr : Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size) ==
           ERROR_SUCCESS;
}

bool TTestRegKey::SetString(const std::string& Name, const std::string& Value)
{
    return SetValue(Name, REG_SZ, Value.c_str(), static_cast<DWORD>(Value.size() + 1));
}

std::string UniqueTestName(const std::string& Prefix)
{
    return Prefix + std::to_string(GetCurrentProcessId());
}

std::string FirstSubkeyName(HKEY Root, const std::string& Path)
{
    TRegKey K;
    if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, K.Receive()) != ERROR_SUCCESS)
        return std::string();
    char Name[256];
    DWORD Len = sizeof Name;
    if (RegEnumKeyExA(K.Get(), 0, Name, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::string();
    return std::string(Name, Len);
}

std::string DefaultValue(HKEY Root, const std::string& Path)
{
    TRegKey K;
    if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_QUERY_VALUE, K.Receive()) != ERROR_SUCCESS)
        return std::string();
    char Buf[1024] = "";
    DWORD Size = sizeof Buf - 1;
    if (RegQueryValueExA(K.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(Buf), &Size) != ERROR_SUCCESS)
        return std::string();
    return std::string(Buf);
}
