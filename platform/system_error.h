#pragma once

#include <cstdint>
#include <string>

// The system's words for the error Code (a GetLastError or registry code on Windows, an
// errno value elsewhere) without the line break they end in; "error N" when it has none.
std::string SystemErrorText(std::uint32_t Code);

// Why the system call that just failed failed, in the system's own words
// (GetLastError on Windows, errno elsewhere) without their closing full stop;
// "system error N" when the system has none. Ask at once, before another call.
std::string LastSystemError();
