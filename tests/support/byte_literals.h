#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A literal with embedded zero bytes, without counting them by hand.
template <std::size_t N>
std::string Bytes(const char (&Literal)[N])
{
    return std::string(Literal, N - 1);
}

// Little-endian fields patched into a file image under test.
inline void Put32(std::string& S, std::size_t At, std::uint32_t V)
{
    for (int I = 0; I < 4; ++I)
        S[At + static_cast<std::size_t>(I)] = static_cast<char>(V >> (8 * I));
}

inline void Put16(std::string& S, std::size_t At, std::uint16_t V)
{
    S[At] = static_cast<char>(V);
    S[At + 1] = static_cast<char>(V >> 8);
}
