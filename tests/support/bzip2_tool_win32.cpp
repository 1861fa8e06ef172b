#include "bzip2_tool.h"

// No bzip2 program beside a Windows build: the callers skip.
TBzip2Verdict DecodeWithBzip2Tool(const std::string&) { return {}; }

TBzip2Verdict TestWithBzip2Tool(const std::string&) { return {}; }
