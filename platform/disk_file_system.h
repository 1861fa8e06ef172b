#pragma once

#include "file_stream.h"
#include "file_system.h"
#include "system_error.h"

#include <memory>

// What the real disks of both systems share: their files open as file streams.
class TDiskFileSystem : public TFileSystem {
public:
    // The reason of the system call that just failed.
    static TFileResult SystemFailure() { return TFileResult::Failed(LastSystemError()); }
    // Done, or the reason of the call that just failed.
    static TFileResult Done(bool Succeeded) { return Succeeded ? TFileResult() : SystemFailure(); }

    std::unique_ptr<TStream> OpenRead(const std::string& Path) override
    {
        return std::make_unique<TFileStream>(Path, fmOpenRead | fmShareDenyWrite);
    }

    std::unique_ptr<TStream> Create(const std::string& Path) override
    {
        return std::make_unique<TFileStream>(Path, fmCreate);
    }

    std::unique_ptr<TStream> OpenReadWrite(const std::string& Path) override
    {
        return std::make_unique<TFileStream>(Path, fmOpenReadWrite | fmShareDenyWrite);
    }
};
