#pragma once

#include <string>

struct TTimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// The local time of day now.
TTimeOfDay CurrentTime();

// The time as the system's long time format writes it (on Windows the user's
// locale decides, e.g. "3:04:05 PM"; elsewhere "15:04:05").
std::string LongTimeText(const TTimeOfDay& Time);

// Today's date as the system's short date format writes it (on Windows the user's
// locale decides, e.g. "5/1/2024"; elsewhere "2024-05-01").
std::string ShortDateText();
