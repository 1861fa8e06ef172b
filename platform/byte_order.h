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

// And written, into room the caller has made.
inline void PutLe32(unsigned char* P, std::uint32_t V)
{
    for (int I = 0; I < 4; ++I)
        P[I] = static_cast<unsigned char>(V >> (8 * I));
}

inline void PutLe16(unsigned char* P, std::uint16_t V)
{
    P[0] = static_cast<unsigned char>(V);
    P[1] = static_cast<unsigned char>(V >> 8);
}

inline void PutLe32(std::string& S, std::size_t At, std::uint32_t V)
{
    PutLe32(reinterpret_cast<unsigned char*>(&S[At]), V);
}

inline void PutLe16(std::string& S, std::size_t At, std::uint16_t V)
{
    PutLe16(reinterpret_cast<unsigned char*>(&S[At]), V);
}
