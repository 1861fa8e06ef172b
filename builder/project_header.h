#pragma once

#include <array>
#include <cstdint>
#include <string>

// Record 2 of a project file: the signature and the number of installation records.
struct TProjectHeader {
    static constexpr std::size_t Size = 12;

    std::uint8_t SignatureLength = 0;
    std::array<char, 5> Signature{};
    std::uint16_t Reserved = 0;
    std::int32_t AppCount = 0;

    // Little-endian, 12 bytes.
    std::string Encode() const;
    // The first 12 bytes of Bytes; false when there are fewer.
    static bool Decode(const std::string& Bytes, TProjectHeader& Header);
};

inline const std::string ProjectSignature = "vekpr";
