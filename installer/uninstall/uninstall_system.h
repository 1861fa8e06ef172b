#pragma once

#include "uninst_log_reader.h"

#include <windows.h>

namespace castremove {

// The replay on Windows: the disk, the registry and the platform's message boxes,
// owned by Owner (which may be null) and captioned Caption.
class TWindowsUninstallSystem : public TUninstallSystem {
public:
    TWindowsUninstallSystem(HWND Owner, std::string Caption) : FOwner(Owner), FCaption(std::move(Caption)) {}

    bool Attributes(const std::string& Path, std::uint32_t& Attributes) override;
    bool ClearAttributes(const std::string& Path) override;
    bool EraseFile(const std::string& Path) override;
    bool RemoveDir(const std::string& Path) override;
    void DeleteValue(TRegRoot Root, const std::string& Key, const std::string& ValueName) override;
    void DeleteKey(TRegRoot Root, const std::string& Key) override;
    bool Confirm(const std::string& Question) override;
    void Inform(const std::string& Text) override;

    void SetOwner(HWND Owner) { FOwner = Owner; }

private:
    HWND FOwner;
    std::string FCaption;
};

} // namespace castremove
