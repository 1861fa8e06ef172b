#include "driver_error.h"

#include <cstdio>

std::string HandleText(HWND Window)
{
    char Buffer[32];
    std::snprintf(Buffer, sizeof Buffer, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(Window)));
    return Buffer;
}

void PumpDriverMessages(DWORD Ms)
{
    MSG M;
    while (PeekMessageA(&M, nullptr, 0, 0, PM_REMOVE)) {
        if (M.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(M.wParam));
            break;
        }
        TranslateMessage(&M);
        DispatchMessageA(&M);
    }
    // Wakes early for sent messages (a reply) and for new ones in the queue.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, Ms, QS_ALLINPUT);
}

void WaitFor(const std::function<bool()>& Done, DWORD TimeoutMs, const std::string& What)
{
    const DWORD Start = GetTickCount();
    for (;;) {
        if (Done())
            return;
        if (GetTickCount() - Start >= TimeoutMs)
            break;
        PumpDriverMessages(10);
    }
    if (Done())
        return;
    throw EDriverError("Timed out after " + std::to_string(TimeoutMs) + " ms waiting for " + What);
}
