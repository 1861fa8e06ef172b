// Any bytes as a bzip2 stream, decoded block by block (on this thread, the way small
// data is; the threads are the unit tests') and by the plain
// one-thread stream: whenever either decodes the stream to its end, the other
// delivers the same bytes and ends there too.
#include "bz_parallel_decompression.h"
#include "bz_streams.h"
#include "memory_stream.h"

#include <cstdlib>

namespace {

// The plain bytes and whether the stream ended soundly.
template <typename TDecoder>
bool DecodeAll(const std::string& In, std::string& Plain, TDecoder&& Make)
{
    TMemoryStream Source(In);
    try {
        auto Z = Make(Source);
        char Buf[4096];
        for (;;) {
            const std::int64_t Got = Z->Read(Buf, sizeof Buf);
            Plain.append(Buf, static_cast<std::size_t>(Got));
            // A bound, so that a small input cannot ask for gigabytes.
            if (Got < static_cast<std::int64_t>(sizeof Buf) || Plain.size() > (std::size_t{1} << 20))
                break;
        }
        return Z->AtStreamEnd();
    } catch (const EBZip2Error&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string In(reinterpret_cast<const char*>(Data), Size);
    std::string One, Many;
    const bool OneOk = DecodeAll(In, One, [](TStream& S) { return std::make_unique<TBZDecompressionStream>(S); });
    const bool ManyOk =
        DecodeAll(In, Many, [](TStream& S) { return std::make_unique<TBZParallelDecompressionStream>(S, 0); });
    if (OneOk && (!ManyOk || One != Many))
        std::abort();
    if (ManyOk) {
        // The plain stream fails a read past its end when bytes follow the stream, so
        // it is asked for exactly what came out.
        TMemoryStream Source(In);
        TBZDecompressionStream Z(Source);
        try {
            if (Z.ReadString(static_cast<std::int64_t>(Many.size())) != Many || !Z.AtStreamEnd())
                std::abort();
        } catch (const std::exception&) {
            std::abort();
        }
    }
    return 0;
}
