#pragma once

#include <string>

// Decodes bzip2 data with the system's own bzip2 program, to show that what we
// write is standard bzip2. Natively only; answers false where there is no such tool.
bool DecodeWithBzip2Tool(const std::string& Compressed, std::string& Plain);

// Whether the system's bzip2 program finds the data sound ("bzip2 -t"). Natively
// only; answers false with Ran false where there is no such tool.
bool TestWithBzip2Tool(const std::string& Compressed, bool& Ran);
