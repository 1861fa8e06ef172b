#include "builder_services.h"

#include "clock.h"
#include "string_helpers.h"

TBuilderServices DefaultBuilderServices()
{
    TBuilderServices S;
    S.DateText = [] { return ShortDateText(); };
    S.TimeText = [] { return LongTimeText(CurrentTime()); };
    S.Random = [](std::int32_t Range) { return DefaultUniqueIDSource().Random(Range); };
    return S;
}
