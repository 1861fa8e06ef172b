#include "uninstall_system.h"

#include "registry_key.h"
#include "system_error.h"
#include "ui_application.h"

namespace castremove {

namespace {

// A file-system call failed just now: gone is no failure.
TSystemResult FromLastError()
{
    const DWORD Code = GetLastError();
    if (Code == ERROR_FILE_NOT_FOUND || Code == ERROR_PATH_NOT_FOUND)
        return TSystemResult{TOutcome::Missing, std::string()};
    if (Code == ERROR_DIR_NOT_EMPTY)
        return TSystemResult{TOutcome::NotEmpty, std::string()};
    return TSystemResult{TOutcome::Failed, LastSystemError()};
}

// The registry answers its error instead of setting it.
TSystemResult FromRegistry(LONG Code)
{
    if (Code == ERROR_SUCCESS)
        return TSystemResult();
    if (Code == ERROR_FILE_NOT_FOUND)
        return TSystemResult{TOutcome::Missing, std::string()};
    SetLastError(static_cast<DWORD>(Code));
    return TSystemResult{TOutcome::Failed, LastSystemError()};
}

} // namespace

TSystemResult TWindowsUninstallSystem::Attributes(const std::string& Path, std::uint32_t& Attributes)
{
    const DWORD A = GetFileAttributesA(Path.c_str());
    if (A == INVALID_FILE_ATTRIBUTES)
        return FromLastError();
    Attributes = A;
    return TSystemResult();
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

TSystemResult TWindowsUninstallSystem::EraseFile(const std::string& Path)
{
    return DeleteFileA(Path.c_str()) ? TSystemResult() : FromLastError();
}

TSystemResult TWindowsUninstallSystem::RemoveDir(const std::string& Path)
{
    return RemoveDirectoryA(Path.c_str()) ? TSystemResult() : FromLastError();
}

TSystemResult TWindowsUninstallSystem::DeleteValue(TRegistryRoot Root, const std::string& Key,
                                                  const std::string& ValueName)
{
    TRegKey K;
    const LONG Open = OpenRegistryKey(Root, Key, KEY_SET_VALUE, K);
    if (Open != ERROR_SUCCESS)
        return FromRegistry(Open);
    return FromRegistry(RegDeleteValueA(K.Get(), ValueName.c_str()));
}

TSystemResult TWindowsUninstallSystem::DeleteKey(TRegistryRoot Root, const std::string& Key)
{
    {
        // Deleting a key never takes keys below it along, on any system.
        TRegKey K;
        const LONG Open = OpenRegistryKey(Root, Key, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, K);
        if (Open != ERROR_SUCCESS)
            return FromRegistry(Open);
        DWORD SubKeys = 0;
        const LONG Info = RegQueryInfoKeyA(K.Get(), nullptr, nullptr, nullptr, &SubKeys, nullptr, nullptr, nullptr,
                                           nullptr, nullptr, nullptr, nullptr);
        if (Info != ERROR_SUCCESS)
            return FromRegistry(Info);
        if (SubKeys > 0)
            return TSystemResult{TOutcome::NotEmpty, std::string()};
    }
    return FromRegistry(RegDeleteKeyA(HiveOf(Root), PathBelowRoot(Key).c_str()));
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
