#pragma once

#include <cstdint>

// Red in bits 0-7, green 8-15, blue 16-23; the high bit plus an index names a system
// colour, resolved only when GDI sees it.
using TColor = std::uint32_t;
