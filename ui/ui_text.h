#pragma once

#include <string>

// "\n\r", "\r\n", "\r" and "\n" each become one "\r\n", the break the text drawing
// of Windows counts once.
std::string NormalizeLineBreaks(const std::string& S);
