#include "clock.h"

#include <sys/time.h>
#include <time.h>

#include <cstdio>

TTimeOfDay CurrentTime()
{
    timeval Tv;
    gettimeofday(&Tv, nullptr);
    tm Local;
    localtime_r(&Tv.tv_sec, &Local);
    return TTimeOfDay{Local.tm_hour, Local.tm_min, Local.tm_sec, static_cast<int>(Tv.tv_usec / 1000)};
}

std::string LongTimeText(const TTimeOfDay& Time)
{
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "%02d:%02d:%02d", Time.Hour, Time.Minute, Time.Second);
    return Buf;
}

std::string ShortDateText()
{
    const time_t Now = time(nullptr);
    tm Local;
    localtime_r(&Now, &Local);
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "%04d-%02d-%02d", Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday);
    return Buf;
}
