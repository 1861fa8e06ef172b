#pragma once

#include <cstdint>
#include <string>

// Little-endian fields of the file formats, read from bytes already in memory.
inline std::uint32_t Le32(const unsigned char* P)
{
    return static_cast<std::uint32_t>(P[0]) | (static_cast<std::uint32_t>(P[1]) << 8) |
           (static_cast<std::uint32_t>(P[2]) << 16) | (static_cast<std::uint32_t>(P[3]) << 24);
}

inline std::uint16_t Le16(const unsigned char* P) { return static_cast<std::uint16_t>(P[0] | (P[1] << 8)); }

// The caller has checked that At + 4 (or + 2) bytes are there.
inline std::uint32_t Le32(const std::string& S, std::size_t At)
{
    return Le32(reinterpret_cast<const unsigned char*>(S.data()) + At);
}

inline std::uint16_t Le16(const std::string& S, std::size_t At)
{
    return Le16(reinterpret_cast<const unsigned char*>(S.data()) + At);
}
