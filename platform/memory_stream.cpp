#include "memory_stream.h"

#include "exceptions.h"

#include <algorithm>
#include <cstring>

TMemoryStream::TMemoryStream(std::string Bytes) : FData(Bytes.begin(), Bytes.end()) {}

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count)
{
    if (Count <= 0 || FPosition >= Size())
        return 0;
    const std::int64_t N = std::min(Count, Size() - FPosition);
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(N));
    FPosition += N;
    return N;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    const std::int64_t End = FPosition + Count;
    if (End > Size())
        SetSize(End);
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
    FPosition = End;
    return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    std::int64_t Base = 0;
    switch (Origin) {
    case TSeekOrigin::soBeginning: Base = 0; break;
    case TSeekOrigin::soCurrent: Base = FPosition; break;
    case TSeekOrigin::soEnd: Base = Size(); break;
    }
    const std::int64_t Target = Base + Offset;
    if (Target < 0)
        throw EStreamError("Seek before the start of the stream");
    FPosition = Target;
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t NewSize)
{
    if (NewSize < 0)
        throw EStreamError("Negative stream size");
    if (static_cast<std::uint64_t>(NewSize) > FData.max_size())
        throw EStreamError("Out of memory while expanding memory stream");
    FData.resize(static_cast<std::size_t>(NewSize));
    if (FPosition > NewSize)
        FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Source)
{
    Clear();
    Source.SetPosition(0);
    CopyFrom(Source, 0);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Dest)
{
    if (!FData.empty())
        Dest.WriteBuffer(FData.data(), Size());
}
