#pragma once

#include <string>

// The project file named on the builder's command line: the program's name skipped
// as the C runtime splits it off, the rest without double quotes and trimmed. A name
// with blanks may come unquoted (the file-type registration passes %1 so).
std::string ProjectFromCommandLine(const std::string& CommandLine);
