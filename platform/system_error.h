#pragma once

#include <string>

// Why the system call that just failed failed, in the system's own words
// (GetLastError on Windows, errno elsewhere). Ask at once, before another call.
std::string LastSystemError();
