#include "builder_services.h"

#include "clock.h"
#include "string_helpers.h"

#include <chrono>
#include <thread>

TBuilderServices DefaultBuilderServices()
{
    TBuilderServices S;
    S.DateText = [] { return ShortDateText(); };
    S.TimeText = [] { return LongTimeText(CurrentTime()); };
    S.Random = [](std::int32_t Range) { return DefaultUniqueIDSource().Random(Range); };
    S.Pause = [](int Milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds)); };
    return S;
}
