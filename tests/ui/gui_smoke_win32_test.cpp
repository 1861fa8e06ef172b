// A real window with a child control under Wine and Xvfb: painted, captured
// through its window DC and written as a PNG for people to look at.
#include "screenshot.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const COLORREF FillColor = RGB(40, 120, 200);

LRESULT CALLBACK SmokeWndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_PAINT) {
        PAINTSTRUCT Ps;
        HDC DC = BeginPaint(W, &Ps);
        RECT R;
        GetClientRect(W, &R);
        HBRUSH Brush = CreateSolidBrush(FillColor);
        FillRect(DC, &R, Brush);
        DeleteObject(Brush);
        EndPaint(W, &Ps);
        return 0;
    }
    return DefWindowProcA(W, Msg, WParam, LParam);
}

} // namespace

TEST(GuiSmoke, WindowWithChildIsPaintedAndPhotographed)
{
    const HINSTANCE Instance = GetModuleHandleA(nullptr);
    WNDCLASSA Class = {};
    Class.lpfnWndProc = SmokeWndProc;
    Class.hInstance = Instance;
    Class.lpszClassName = "BrindloSmokeWindow";
    Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(RegisterClassA(&Class), 0);

    HWND Window = CreateWindowExA(0, Class.lpszClassName, "Brindlo smoke test", WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                  200, nullptr, nullptr, Instance, nullptr);
    ASSERT_NE(Window, nullptr);
    HWND Button = CreateWindowExA(0, "BUTTON", "Smoke", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 120, 40,
                                  Window, nullptr, Instance, nullptr);
    ASSERT_NE(Button, nullptr);
    ShowWindow(Window, SW_SHOW);
    SetForegroundWindow(Window);
    // Painted now, frame and child included, rather than after some rounds of the loop.
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);

    const TScreenshot Shot = CaptureWindow(Window);
    SavePng(Shot, ScreenshotPath("gui_smoke.png"));

    // Client pixels are ours; the button's face is the system's, not our fill.
    POINT ClientPoint = {250, 120};
    ClientToScreen(Window, &ClientPoint);
    RECT WindowRect;
    GetWindowRect(Window, &WindowRect);
    const std::uint32_t Fill = Shot.PixelRGB(ClientPoint.x - WindowRect.left, ClientPoint.y - WindowRect.top);
    EXPECT_EQ(Fill, static_cast<std::uint32_t>(FillColor));

    POINT ButtonPoint = {30, 30}; // inside the face, clear of the text and the bevel
    ClientToScreen(Window, &ButtonPoint);
    const std::uint32_t Face = Shot.PixelRGB(ButtonPoint.x - WindowRect.left, ButtonPoint.y - WindowRect.top);
    EXPECT_NE(Face, static_cast<std::uint32_t>(FillColor));
    EXPECT_EQ(Face, static_cast<std::uint32_t>(GetSysColor(COLOR_BTNFACE)));

    DestroyWindow(Window);
    UnregisterClassA(Class.lpszClassName, Instance);
    EXPECT_FALSE(ReadWholeFile(ScreenshotPath("gui_smoke.png")).empty());
}
