#include "data_bag.h"

#include "bz_streams.h"
#include "byte_order.h"
#include "exceptions.h"
#include "stream_view.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace {

constexpr std::int64_t HeaderSize = 40;
constexpr std::int64_t EntrySize = 20;
constexpr unsigned char FormatNumber[8] = {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}; // the double 0.1
constexpr std::int64_t MaxInt32 = std::numeric_limits<std::int32_t>::max();

// Reads what the stream has, up to Count bytes, without raising for a short stream.
std::int64_t ReadUpTo(TStream& S, void* Buffer, std::int64_t Count)
{
    auto* P = static_cast<char*>(Buffer);
    std::int64_t Total = 0;
    while (Total < Count) {
        const std::int64_t Got = S.Read(P + Total, Count - Total);
        if (Got <= 0)
            break;
        Total += Got;
    }
    return Total;
}

} // namespace

CDataBag::CDataBag() { Reset(); }

void CDataBag::Reset()
{
    FHeader = DataBagHeader();
    FWritable = true;
    FIndex.clear();
    FData.Clear();
}

std::int32_t CDataBag::IndexOfKey(std::int32_t Key) const
{
    for (std::size_t I = 0; I < FIndex.size(); ++I)
        if (FIndex[I].Key == Key)
            return static_cast<std::int32_t>(I);
    return -1;
}

const DataBagEntry& CDataBag::ReserveEntry(std::int32_t Key, std::int64_t Count)
{
    const std::int32_t I = IndexOfKey(Key);
    if (I != -1) {
        DataBagEntry& E = FIndex[static_cast<std::size_t>(I)];
        E.Size = static_cast<std::int32_t>(Count < E.Capacity ? Count : E.Capacity);
        assert(E.Size <= E.Capacity);
        return E;
    }
    // Offsets and sizes are 32-bit in the file; a bag beyond that could not be saved truthfully.
    if (FData.Size() + Count > MaxInt32)
        throw EStreamError("Data bag larger than 2 GiB");
    DataBagEntry E;
    E.Key = Key;
    E.Size = E.Capacity = static_cast<std::int32_t>(Count);
    E.Offset = static_cast<std::int32_t>(FData.Size());
    FData.SetSize(FData.Size() + Count);
    FIndex.push_back(E);
    return FIndex.back();
}

TBagResult CDataBag::PutBytes(const std::string& Bytes, std::int32_t Key)
{
    const DataBagEntry& E = ReserveEntry(Key, static_cast<std::int64_t>(Bytes.size()));
    FData.SetPosition(E.Offset);
    FData.WriteBuffer(Bytes.data(), E.Size);
    return brDone;
}

TBagResult CDataBag::PutStream(TStream& Source, std::int32_t Key, std::int64_t Count)
{
    if (!FWritable)
        return brReadOnly;
    if (Count == -1)
        Count = Source.Size() - Source.Position();
    if (Count < 0 || Count > MaxInt32)
        throw EStreamError("Invalid data bag entry size");
    // Read first: a source that fails must not leave a reserved but unfilled entry.
    return PutBytes(Source.ReadString(Count), Key);
}

TBagResult CDataBag::PutHash(const THash& Hash, std::int32_t Key)
{
    if (!FWritable)
        return brReadOnly;
    TMemoryStream S;
    const std::int64_t N = Hash.SaveToStream(S);
    S.SetPosition(0);
    return PutStream(S, Key, N);
}

TBagResult CDataBag::PutBuffer(const void* Buffer, std::int32_t Key, std::int64_t Count)
{
    if (!FWritable)
        return brReadOnly;
    if (Count < 0 || Count > MaxInt32)
        throw EStreamError("Invalid data bag entry size");
    return PutBytes(std::string(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count)), Key);
}

TBagResult CDataBag::PutFile(const std::string& FileName, std::int32_t Key, std::int64_t Count, TFileSystem& FS)
{
    if (!FS.FileExists(FileName))
        throw EInOutError("File " + FileName + " not found");
    auto File = FS.OpenRead(FileName);
    return PutStream(*File, Key, Count);
}

bool CDataBag::EntryInRange(std::int32_t Index) const { return Index >= 0 && Index < Count(); }

TBagResult CDataBag::GetStreamAt(TStream& Dest, std::int32_t Index, bool Rewind)
{
    if (!EntryInRange(Index))
        return brFailed;
    try {
        const DataBagEntry& E = FIndex[static_cast<std::size_t>(Index)];
        if (E.Size > 0) {
            FData.SetPosition(E.Offset);
            Dest.CopyFrom(FData, E.Size);
        }
        if (Rewind)
            Dest.SetPosition(Dest.Size() - E.Size);
        return brDone;
    } catch (const std::exception&) {
        return brFailed;
    }
}

TBagResult CDataBag::GetStream(TStream& Dest, std::int32_t Key, bool Rewind)
{
    const std::int32_t I = IndexOfKey(Key);
    return I == -1 ? brNotFound : GetStreamAt(Dest, I, Rewind);
}

TBagResult CDataBag::GetBufferAt(void* Buffer, std::int32_t Index, std::int64_t MaxCount)
{
    if (!EntryInRange(Index))
        return brFailed;
    const DataBagEntry& E = FIndex[static_cast<std::size_t>(Index)];
    const std::int64_t N = MaxCount < E.Size ? MaxCount : E.Size;
    if (N > 0)
        std::memcpy(Buffer, FData.Memory() + E.Offset, static_cast<std::size_t>(N));
    return brDone;
}

TBagResult CDataBag::GetBuffer(void* Buffer, std::int32_t Key, std::int64_t MaxCount)
{
    const std::int32_t I = IndexOfKey(Key);
    return I == -1 ? brNotFound : GetBufferAt(Buffer, I, MaxCount);
}

TBagResult CDataBag::GetHashAt(THash& Hash, std::int32_t Index)
{
    if (!EntryInRange(Index))
        return brFailed;
    try {
        const DataBagEntry& E = FIndex[static_cast<std::size_t>(Index)];
        // The table may read only its own entry, whatever its form claims.
        TStreamView View(FData, E.Offset, E.Size);
        Hash.LoadFromStream(View);
        return brDone;
    } catch (const std::exception&) {
        return brFailed;
    }
}

TBagResult CDataBag::GetHash(THash& Hash, std::int32_t Key)
{
    const std::int32_t I = IndexOfKey(Key);
    return I == -1 ? brNotFound : GetHashAt(Hash, I);
}

void CDataBag::WriteHeader(TStream& Stream) const
{
    unsigned char H[HeaderSize] = {};
    H[0] = 2;
    H[1] = 'D';
    H[2] = 'B';
    std::memcpy(H + 8, FormatNumber, 8);
    auto Put32 = [&](int At, std::uint32_t V) { PutLe32(H + At, V); };
    Put32(16, FHeader.Count);
    Put32(20, FHeader.StoredSize);
    Put32(24, FHeader.RawSize);
    H[28] = FHeader.Compressed ? 1 : 0;
    Put32(32, FHeader.IndexPosition);
    Stream.WriteBuffer(H, HeaderSize);
}

TBagResult CDataBag::SaveToStream(TStream& Stream, bool Compress)
{
    const std::int64_t DataPos = FData.Position();
    FData.SetPosition(0);
    const std::int64_t P = Stream.Position();
    FHeader.Count = static_cast<std::uint32_t>(FIndex.size());
    FHeader.StoredSize = FHeader.RawSize = static_cast<std::uint32_t>(FData.Size());
    FHeader.Compressed = Compress;
    WriteHeader(Stream);
    if (Compress) {
        const std::int64_t Start = Stream.Position();
        TBZCompressionStream Z(4, Stream, BZCompressionWorkers());
        if (FData.Size() > 0)
            Z.WriteBuffer(FData.Memory(), FData.Size());
        Z.Finish();
        const std::int64_t Stored = Stream.Position() - Start;
        if (Stored > MaxInt32)
            throw EStreamError("Compressed data bag larger than 2 GiB");
        FHeader.StoredSize = static_cast<std::uint32_t>(Stored);
    } else {
        FData.SaveToStream(Stream);
    }
    const std::int64_t IndexPos = Stream.Position();
    if (IndexPos > 0xFFFFFFFFll)
        throw EStreamError("Data bag index beyond 4 GiB");
    FHeader.IndexPosition = static_cast<std::uint32_t>(IndexPos);
    for (const DataBagEntry& E : FIndex) {
        Stream.WriteU32(static_cast<std::uint32_t>(E.Key));
        Stream.WriteU32(static_cast<std::uint32_t>(E.Size));
        Stream.WriteU32(static_cast<std::uint32_t>(E.Capacity));
        Stream.WriteU32(static_cast<std::uint32_t>(E.Offset));
        Stream.WriteU32(E.Flag);
    }
    FData.SetPosition(DataPos);
    const std::int64_t End = Stream.Position();
    Stream.SetPosition(P);
    WriteHeader(Stream);
    Stream.SetPosition(End);
    return brDone;
}

TBagResult CDataBag::SaveToFile(const std::string& FileName, bool Compress, TFileSystem& FS)
{
    auto File = FS.Create(FileName);
    return SaveToStream(*File, Compress);
}

bool CDataBag::ReadDataBlock(TStream& Stream, std::int64_t DataStart)
{
    // Buffers grow as bytes arrive, whatever the header's sizes claim.
    const auto Append = [this](TStream& From, std::int64_t Count) {
        char Chunk[65536];
        while (Count > 0) {
            const std::int64_t N = ReadUpTo(From, Chunk, Count < static_cast<std::int64_t>(sizeof Chunk) ? Count : sizeof Chunk);
            if (N <= 0)
                return false;
            FData.WriteBuffer(Chunk, N);
            Count -= N;
        }
        return true;
    };
    TStreamView Stored(Stream, DataStart, FHeader.StoredSize);
    if (!FHeader.Compressed)
        return Append(Stored, FHeader.StoredSize);
    try {
        TBZDecompressionStream Z(Stored);
        return Append(Z, FHeader.RawSize) && Z.AtStreamEnd();
    } catch (const EBZip2Error&) {
        return false;
    }
}

TBagResult CDataBag::LoadFromStream(TStream& Stream)
{
    Reset();
    const std::int64_t P = Stream.Position();
    const std::int64_t StreamSize = Stream.Size();
    unsigned char H[HeaderSize];
    auto Fail = [this] {
        Reset();
        return brFailed;
    };
    if (ReadUpTo(Stream, H, HeaderSize) != HeaderSize || H[0] != 2 || H[1] != 'D' || H[2] != 'B')
        return Fail();
    FHeader.Count = Le32(H + 16);
    FHeader.StoredSize = Le32(H + 20);
    FHeader.RawSize = Le32(H + 24);
    FHeader.Compressed = H[28] == 1;
    FHeader.IndexPosition = Le32(H + 32);

    // Nothing in the header is trusted: every size and position must fit the stream.
    const std::int64_t DataStart = P + HeaderSize;
    const std::int64_t DataEnd = DataStart + FHeader.StoredSize;
    const std::int64_t IndexEnd = static_cast<std::int64_t>(FHeader.IndexPosition) + EntrySize * FHeader.Count;
    if (H[28] > 1 || FHeader.RawSize > MaxRawSize || FHeader.StoredSize > MaxInt32 || DataEnd > StreamSize ||
        FHeader.IndexPosition < DataEnd || IndexEnd > StreamSize || FHeader.Count > MaxInt32 ||
        (!FHeader.Compressed && FHeader.StoredSize != FHeader.RawSize))
        return Fail();
    if (!ReadDataBlock(Stream, DataStart))
        return Fail();

    Stream.SetPosition(FHeader.IndexPosition);
    const std::int64_t DataSize = FData.Size();
    for (std::uint32_t I = 0; I < FHeader.Count; ++I) {
        unsigned char R[EntrySize];
        if (ReadUpTo(Stream, R, EntrySize) != EntrySize)
            return Fail();
        DataBagEntry E;
        E.Key = static_cast<std::int32_t>(Le32(R));
        E.Size = static_cast<std::int32_t>(Le32(R + 4));
        E.Capacity = static_cast<std::int32_t>(Le32(R + 8));
        E.Offset = static_cast<std::int32_t>(Le32(R + 12));
        E.Flag = R[16];
        if (E.Size < 0 || E.Capacity < E.Size || E.Offset < 0 ||
            static_cast<std::int64_t>(E.Offset) + E.Capacity > DataSize)
            return Fail();
        FIndex.push_back(E);
    }
    FData.SetPosition(0);
    FWritable = false;
    return brDone;
}

TBagResult CDataBag::LoadFromFile(const std::string& FileName, TFileSystem& FS)
{
    auto File = FS.OpenRead(FileName);
    return LoadFromStream(*File);
}
