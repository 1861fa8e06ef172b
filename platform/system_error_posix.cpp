#include "system_error.h"

#include <cerrno>
#include <cstring>

std::string LastSystemError()
{
    const int Code = errno;
    const char* Text = std::strerror(Code);
    return Text && *Text ? std::string(Text) : "system error " + std::to_string(Code);
}
