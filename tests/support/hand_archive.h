#pragma once

// An archive put together by hand, so that each of its parts can be made wrong on purpose.
#include "bz_streams.h"
#include "hash.h"
#include "memory_stream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using TArchiveEntries = std::vector<std::pair<std::string, std::string>>;

// A directory or file table as the archive stores it.
inline std::string ArchiveTable(const TArchiveEntries& Entries)
{
    THash H(false);
    for (const auto& E : Entries)
        H.Add(E.first, E.second, true);
    TMemoryStream S;
    H.SaveToStream(S);
    return S.Bytes();
}

struct THandArchive {
    TArchiveEntries Dirs = {{"0", ""}};
    TArchiveEntries Files;
    std::string Data;
    std::int64_t Total = -1; // -1: the sum of the sizes in Files
    // Done to the compressed data before it goes in.
    std::function<void(std::string&)> Damage;

    std::string Build() const
    {
        TMemoryStream Z;
        {
            TBZCompressionStream C(4, Z);
            C.WriteString(Data);
            C.Finish();
        }
        std::string Packed = Z.Bytes();
        if (Damage)
            Damage(Packed);
        const std::string D = ArchiveTable(Dirs), F = ArchiveTable(Files);
        std::uint32_t Sum = 0;
        for (const auto& E : Files)
            Sum += static_cast<std::uint32_t>(std::stoul(E.first.substr(E.first.find(',') + 1)));
        TMemoryStream S;
        S.WriteBuffer("\x04" "arhc\0\0\0", 8);
        S.WriteU32(24);
        S.WriteU32(static_cast<std::uint32_t>(24 + Packed.size() + D.size()));
        S.WriteU32(static_cast<std::uint32_t>(24 + Packed.size()));
        S.WriteU32(Total >= 0 ? static_cast<std::uint32_t>(Total) : Sum);
        S.WriteString(Packed + D + F);
        return S.Bytes();
    }
};
