#pragma once

#include "byte_order.h"

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
inline void Put32(std::string& S, std::size_t At, std::uint32_t V) { PutLe32(S, At, V); }

inline void Put16(std::string& S, std::size_t At, std::uint16_t V) { PutLe16(S, At, V); }
