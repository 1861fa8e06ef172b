#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A window's pixels as the screen shows them, child windows included.
struct TScreenshot {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Bgra; // top-down rows, 4 bytes a pixel

    std::uint32_t PixelRGB(std::int32_t X, std::int32_t Y) const;
};

// BitBlt from the window DC into a DIB; PrintWindow would miss the children under Wine.
TScreenshot CaptureWindow(HWND Window);

void SavePng(const TScreenshot& Shot, const std::string& FileName);
