#pragma once

#include <string>

// Our own small modal window with a prompt, an edit, "OK" and "Cancel".
// True with Value when the user confirmed.
bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value);
