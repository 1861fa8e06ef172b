#include "system_error.h"

#include <windows.h>

std::string LastSystemError()
{
    const DWORD Code = GetLastError();
    char* Text = nullptr;
    const DWORD N = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, Code, 0, reinterpret_cast<LPSTR>(&Text), 0, nullptr);
    std::string Message = N > 0 && Text ? std::string(Text, N) : std::string();
    if (Text)
        LocalFree(Text);
    // The system's texts end in a full stop and a line break; the callers add their own.
    while (!Message.empty() && (Message.back() == '\n' || Message.back() == '\r' || Message.back() == ' ' ||
                                Message.back() == '.'))
        Message.pop_back();
    return Message.empty() ? "system error " + std::to_string(Code) : Message;
}
