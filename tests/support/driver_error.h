#pragma once

#include "exceptions.h"
#include "system_error.h"

#include <windows.h>

#include <functional>
#include <string>

// A step of driving another program that could not be done or did not happen in
// time. Thrown out of a test body, GoogleTest fails the test with its message.
class EDriverError : public Exception {
public:
    using Exception::Exception;
};

// The time limit of a wait when the caller names none: long enough for a slow Wine
// start, short enough that a stuck program fails its test well before CTest's limit.
constexpr DWORD DriverWaitMs = 15000;

// Polls Done, dispatching the caller's own messages meanwhile, until it answers true;
// throws EDriverError "timed out after N ms waiting for What" when TimeoutMs pass first.
void WaitFor(const std::function<bool()>& Done, DWORD TimeoutMs, const std::string& What);

// Dispatches what is waiting in the caller's queue, and gives the others a moment.
void PumpDriverMessages(DWORD Ms = 10);

// "0x1a2b" for messages.
std::string HandleText(HWND Window);
