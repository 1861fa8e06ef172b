#pragma once

#include "uninst_log_reader.h"

#include <windows.h>

namespace castremove {

// The replay on Windows: the disk, the registry and the platform's message boxes,
// owned by Owner (which may be null) and captioned Caption.
class TWindowsUninstallSystem : public TUninstallSystem {
public:
    TWindowsUninstallSystem(HWND Owner, std::string Caption) : FOwner(Owner), FCaption(std::move(Caption)) {}

    TSystemResult Attributes(const std::string& Path, std::uint32_t& Attributes) override;
    bool ClearAttributes(const std::string& Path) override;
    TSystemResult EraseFile(const std::string& Path) override;
    TSystemResult RemoveDir(const std::string& Path) override;
    TSystemResult DeleteValue(TRegistryRoot Root, const std::string& Key, const std::string& ValueName) override;
    TSystemResult DeleteKey(TRegistryRoot Root, const std::string& Key) override;
    bool Confirm(const std::string& Question) override;
    void Inform(const std::string& Text) override;

    void SetOwner(HWND Owner) { FOwner = Owner; }

private:
    HWND FOwner;
    std::string FCaption;
};

} // namespace castremove
