#pragma once

#include <cstdint>
#include <string>

class CCastamer;

// What the options window shows of the project object's environment options.
struct TOptionsValues {
    bool RunAfterBuild = false;
    bool ViewErrorLog = false;
    bool AutoSelectPlatform = false;
    std::string CabwizPath;
    std::string CabwizDdfPath;
    std::string MakecabPath;
    bool operator==(const TOptionsValues& O) const;
    bool operator!=(const TOptionsValues& O) const { return !(*this == O); }
};

TOptionsValues LoadOptionsValues(const CCastamer& Project);

// "Ok": stores each value that differs from what the window showed on opening, so an
// untouched control leaves its option as it was. An auto-select that stays ticked
// keeps its stored platform; one newly ticked stores LastPlatform, one unticked -1.
void StoreOptionsValues(CCastamer& Project, const TOptionsValues& Opened, const TOptionsValues& Now,
                        std::int32_t LastPlatform);

// The argument of the options window: a page digit, then the message to show first.
struct TOptionsArg {
    // -1: no page given (an empty argument, or one not starting with a digit).
    int Page = -1;
    std::string Message;
};

// The message is at most MaxOptionsMessage characters long; the rest is dropped.
constexpr std::size_t MaxOptionsMessage = 2000;
TOptionsArg ParseOptionsArg(const std::string& Arg);
