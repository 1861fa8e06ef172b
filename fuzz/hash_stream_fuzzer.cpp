// Any bytes as a table's stream form: loading either raises a read error or gives
// a table that saves back to the bytes it consumed, less what zero bytes cut off.
#include "exceptions.h"
#include "hash.h"
#include "memory_stream.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryStream In(std::string(reinterpret_cast<const char*>(Data), Size));
    THash H(false);
    try {
        H.LoadFromStream(In);
    } catch (const EReadError&) {
        if (H.Count() != 0)
            std::abort();
        return 0;
    }
    TMemoryStream Out;
    const std::int64_t Written = H.SaveToStream(Out);
    if (Written > In.Position())
        std::abort();
    Out.SetPosition(0);
    THash Again(false);
    Again.LoadFromStream(Out);
    if (Again.Count() != H.Count())
        std::abort();
    for (std::int32_t I = 0; I < H.Count(); ++I)
        if (Again.GetEntry(I).Key != H.GetEntry(I).Key || Again.GetEntry(I).Value != H.GetEntry(I).Value)
            std::abort();
    return 0;
}
