#pragma once

#include "ui_types.h"

#include <cstdint>
#include <string>

// A key with its shift state, as menus and actions take it; 0 is none.
using TShortCut = std::uint32_t;

constexpr TShortCut MakeShortCut(std::uint16_t Key, TShiftState Shift)
{
    return Key | (static_cast<TShortCut>(Shift & (ssShift | ssCtrl | ssAlt)) << 16);
}

// As a menu shows it, for example "Ctrl+N" or "F5".
std::string ShortCutToText(TShortCut ShortCut);
