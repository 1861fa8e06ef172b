#include "system_error.h"

#include <cerrno>
#include <cstring>

namespace {

// "" when the system has no text for Code.
std::string SystemWords(int Code)
{
    const char* Text = std::strerror(Code);
    return Text ? std::string(Text) : std::string();
}

} // namespace

std::string SystemErrorText(std::uint32_t Code)
{
    const std::string Words = SystemWords(static_cast<int>(Code));
    return Words.empty() ? "error " + std::to_string(Code) : Words;
}

std::string LastSystemError()
{
    const int Code = errno;
    const std::string Words = SystemWords(Code);
    return Words.empty() ? "system error " + std::to_string(Code) : Words;
}
