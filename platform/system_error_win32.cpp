#include "system_error.h"

#include <windows.h>

#include <cstring>

namespace {

bool EndsIn(const std::string& S, const char* Chars) { return !S.empty() && std::strchr(Chars, S.back()); }

// "" when the system has no text for Code.
std::string SystemWords(DWORD Code, const char* Trailing)
{
    char* Text = nullptr;
    const DWORD N = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, Code, 0, reinterpret_cast<LPSTR>(&Text), 0, nullptr);
    std::string Words = N > 0 && Text ? std::string(Text, N) : std::string();
    if (Text)
        LocalFree(Text);
    while (EndsIn(Words, Trailing))
        Words.pop_back();
    return Words;
}

} // namespace

std::string SystemErrorText(std::uint32_t Code)
{
    const std::string Words = SystemWords(Code, "\r\n ");
    return Words.empty() ? "error " + std::to_string(Code) : Words;
}

std::string LastSystemError()
{
    const DWORD Code = GetLastError();
    // The callers end the sentence themselves.
    const std::string Words = SystemWords(Code, "\r\n .");
    return Words.empty() ? "system error " + std::to_string(Code) : Words;
}
