#pragma once

#include <cstdint>
#include <string>
#include <vector>

using TArrayOfString = std::vector<std::string>;

// Which open dialog a file-editing control offers.
enum DLG_Style { DLG_File, DLG_Picture };

// Red in bits 0-7, green 8-15, blue 16-23.
using TColor = std::uint32_t;

// Background of a required field that is still empty.
constexpr TColor InvalidFieldColor = 255u | (240u << 8) | (240u << 16);

// The values the builder stores for its option switches.
inline const std::string OptionOnChar = "1";
inline const std::string OptionOffChar = "0";
