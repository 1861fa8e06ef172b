#include "uninstall_system.h"

#include "ui_application.h"

namespace castremove {

namespace {

HKEY HiveOf(TRegRoot Root) { return Root == TRegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// The registry takes key paths without a leading "\".
std::string Relative(const std::string& Key) { return !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key; }

class TKey {
public:
    TKey(HKEY Root, const std::string& Path, REGSAM Access)
    {
        if (RegOpenKeyExA(Root, Path.c_str(), 0, Access, &FKey) != ERROR_SUCCESS)
            FKey = nullptr;
    }
    ~TKey()
    {
        if (FKey)
            RegCloseKey(FKey);
    }
    TKey(const TKey&) = delete;
    TKey& operator=(const TKey&) = delete;
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

} // namespace

bool TWindowsUninstallSystem::Attributes(const std::string& Path, std::uint32_t& Attributes)
{
    const DWORD A = GetFileAttributesA(Path.c_str());
    if (A == INVALID_FILE_ATTRIBUTES)
        return false;
    Attributes = A;
    return true;
}

bool TWindowsUninstallSystem::ClearAttributes(const std::string& Path)
{
    const DWORD A = GetFileAttributesA(Path.c_str());
    if (A == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD Off = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    const DWORD Left = A & ~Off & (FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY);
    return SetFileAttributesA(Path.c_str(), Left ? Left : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool TWindowsUninstallSystem::EraseFile(const std::string& Path) { return DeleteFileA(Path.c_str()) != 0; }

bool TWindowsUninstallSystem::RemoveDir(const std::string& Path) { return RemoveDirectoryA(Path.c_str()) != 0; }

void TWindowsUninstallSystem::DeleteValue(TRegRoot Root, const std::string& Key, const std::string& ValueName)
{
    TKey K(HiveOf(Root), Relative(Key), KEY_SET_VALUE);
    if (K.Get())
        RegDeleteValueA(K.Get(), ValueName.c_str());
}

void TWindowsUninstallSystem::DeleteKey(TRegRoot Root, const std::string& Key)
{
    const std::string Path = Relative(Key);
    {
        // Deleting a key never takes keys below it along, on any system.
        TKey K(HiveOf(Root), Path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
        DWORD SubKeys = 0;
        if (!K.Get() || RegQueryInfoKeyA(K.Get(), nullptr, nullptr, nullptr, &SubKeys, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            SubKeys > 0)
            return;
    }
    RegDeleteKeyA(HiveOf(Root), Path.c_str());
}

bool TWindowsUninstallSystem::Confirm(const std::string& Question)
{
    int Answer = IDCANCEL;
    Application().RunSystemModal([&] {
        Answer = MessageBoxA(FOwner, Question.c_str(), FCaption.c_str(), MB_OKCANCEL | MB_ICONQUESTION);
    });
    return Answer == IDOK;
}

void TWindowsUninstallSystem::Inform(const std::string& Text)
{
    Application().RunSystemModal([&] { MessageBoxA(FOwner, Text.c_str(), FCaption.c_str(), MB_OK); });
}

} // namespace castremove
