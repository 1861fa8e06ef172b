// Any bytes as a data bag file: a load fails cleanly, or every entry can be read
// and the bag saves and loads again with the same entries.
#include "data_bag.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryStream In(std::string(reinterpret_cast<const char*>(Data), Size));
    CDataBag Bag;
    if (Bag.LoadFromStream(In) != brDone) {
        if (Bag.Count() != 0 || !Bag.Writable())
            std::abort();
        return 0;
    }
    std::vector<std::string> Entries;
    for (std::int32_t I = 0; I < Bag.Count(); ++I) {
        TMemoryStream Out;
        if (Bag.GetStreamAt(Out, I, false) != brDone || Out.Size() != Bag.Index()[static_cast<std::size_t>(I)].Size)
            std::abort();
        Entries.push_back(Out.Bytes());
        THash H(false);
        Bag.GetHashAt(H, I);
    }
    for (bool Compress : {false, true}) {
        CDataBag Copy;
        for (std::int32_t I = 0; I < Bag.Count(); ++I)
            Copy.PutBuffer(Entries[static_cast<std::size_t>(I)].data(), Bag.Index()[static_cast<std::size_t>(I)].Key,
                           static_cast<std::int64_t>(Entries[static_cast<std::size_t>(I)].size()));
        TMemoryStream Saved;
        Copy.SaveToStream(Saved, Compress);
        Saved.SetPosition(0);
        CDataBag Reloaded;
        if (Reloaded.LoadFromStream(Saved) != brDone || Reloaded.Count() != Copy.Count())
            std::abort();
    }
    return 0;
}
