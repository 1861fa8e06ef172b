#pragma once

#include "file_stream.h"
#include "file_system.h"

#include <memory>

// What the real disks of both systems share: their files open as file streams.
class TDiskFileSystem : public TFileSystem {
public:
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
