#include "clock.h"

#include <windows.h>

TTimeOfDay CurrentTime()
{
    SYSTEMTIME St;
    GetLocalTime(&St);
    return TTimeOfDay{St.wHour, St.wMinute, St.wSecond, St.wMilliseconds};
}

std::string LongTimeText(const TTimeOfDay& Time)
{
    SYSTEMTIME St = {};
    St.wYear = 2000;
    St.wMonth = 1;
    St.wDay = 1;
    St.wHour = static_cast<WORD>(Time.Hour);
    St.wMinute = static_cast<WORD>(Time.Minute);
    St.wSecond = static_cast<WORD>(Time.Second);
    char Buf[128];
    const int N = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &St, nullptr, Buf, sizeof Buf);
    return N > 0 ? std::string(Buf, static_cast<std::size_t>(N - 1)) : std::string();
}

std::string ShortDateText()
{
    char Buf[128];
    const int N = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, Buf, sizeof Buf);
    return N > 0 ? std::string(Buf, static_cast<std::size_t>(N - 1)) : std::string();
}
