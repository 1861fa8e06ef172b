#pragma once

// Helpers for tests that drive real windows under Wine: the modal hook with a
// watchdog that fails the test instead of hanging it, a captured error box, pumping,
// photographs and off-screen painting.
#include "screenshot.h"
#include "test_dirs.h"
#include "ui_application.h"
#include "ui_bitmap.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TModalScript {
public:
    explicit TModalScript(std::function<void(HWND)> Hook)
    {
        Application().ModalHook = std::move(Hook);
        Application().WatchdogMs = 15000;
        Application().OnWatchdog = [](HWND W) {
            char Title[256] = {};
            GetWindowTextA(W, Title, sizeof Title);
            ADD_FAILURE() << "the watchdog closed a forgotten window: " << Title;
        };
    }
    ~TModalScript()
    {
        Application().ModalHook = nullptr;
        Application().WatchdogMs = 0;
        Application().OnWatchdog = nullptr;
    }
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;
};

class TErrorBoxCapture {
public:
    TErrorBoxCapture()
    {
        Application().OnException = [this](const std::string& M) { Messages.push_back(M); };
    }
    ~TErrorBoxCapture() { Application().OnException = nullptr; }
    TErrorBoxCapture(const TErrorBoxCapture&) = delete;
    TErrorBoxCapture& operator=(const TErrorBoxCapture&) = delete;
    std::vector<std::string> Messages;
};

inline void PumpMessages(int Rounds = 10)
{
    for (int Round = 0; Round < Rounds; ++Round) {
        Application().ProcessMessages();
        Sleep(5);
    }
}

// Paints the window, its frame and its children now, so that what is captured next is
// what they show, without waiting on the message loop for a number of rounds.
inline void PaintNow(HWND Window)
{
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

inline TScreenshot Photograph(HWND Window, const std::string& Name)
{
    PaintNow(Window);
    TScreenshot Shot = CaptureWindow(Window);
    SavePng(Shot, ScreenshotPath(Name));
    return Shot;
}

// A window's client point as seen in its screenshot.
inline POINT ShotPoint(HWND Window, int X, int Y)
{
    POINT P = {X, Y};
    ClientToScreen(Window, &P);
    RECT R;
    GetWindowRect(Window, &R);
    return POINT{P.x - R.left, P.y - R.top};
}

inline std::uint32_t ShotPixel(const TScreenshot& Shot, HWND Window, int X, int Y)
{
    const POINT P = ShotPoint(Window, X, Y);
    return Shot.PixelRGB(P.x, P.y);
}

inline std::string WindowText(HWND W)
{
    char Buffer[1024] = {};
    GetWindowTextA(W, Buffer, sizeof Buffer);
    return Buffer;
}

inline LPARAM PointParam(int X, int Y)
{
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(X)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(Y)) << 16));
}
