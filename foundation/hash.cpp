#include "hash.h"

#include "convert.h"
#include "exceptions.h"
#include "string_helpers.h"

namespace {

constexpr std::size_t MaxFormCount = 0xFFFF;

// The form keeps a string up to its first zero byte.
std::string UpToZero(std::string S)
{
    const std::size_t Zero = S.find('\0');
    if (Zero != std::string::npos)
        S.resize(Zero);
    return S;
}

std::string ReadFormString(TStream& Stream)
{
    const std::uint16_t Length = Stream.ReadU16();
    return UpToZero(Stream.ReadString(Length));
}

void WriteFormString(TStream& Stream, const std::string& S)
{
    Stream.WriteU16(static_cast<std::uint16_t>(S.size()));
    Stream.WriteString(S);
}

} // namespace

THash::THash(bool Unique) : FUnique(Unique) {}

THash::~THash() = default;

std::int32_t THash::IndexOf(const std::string& S, unsigned Mode) const
{
    for (std::size_t I = 0; I < FPairs.size(); ++I) {
        if ((Mode & hmKeys) && FPairs[I].Key == S)
            return static_cast<std::int32_t>(I);
        if ((Mode & hmValues) && FPairs[I].Value == S)
            return static_cast<std::int32_t>(I);
    }
    return -1;
}

std::int32_t THash::Add(const std::string& Key, const std::string& Value, bool Replace)
{
    const std::int32_t I = FUnique ? IndexOf(Key, hmKeys) : -1;
    if (I != -1) {
        if (Replace) {
            FPairs[static_cast<std::size_t>(I)].Value = Value;
            Changed();
        }
        return I;
    }
    if (Fixed)
        return -1;
    FPairs.push_back(THashPair{Key, Value});
    Changed();
    return Count() - 1;
}

void THash::Assign(const THash& Source, bool ClearFirst)
{
    // Copy first: Source may be this table, and Clear would empty it.
    const std::vector<THashPair> From = Source.FPairs;
    if (ClearFirst)
        Clear();
    for (const THashPair& P : From)
        Add(P.Key, P.Value, true);
    Changed();
}

void THash::AddJoined(const std::string& Key, const TArrayOfString& Values, const std::string& Separator)
{
    Add(Key, JoinStrings(Values, Separator), true);
}

std::string THash::Lookup(const std::string& S, unsigned Mode) const
{
    const std::int32_t I = IndexOf(S, Mode);
    if (I == -1)
        return std::string();
    const THashPair& P = FPairs[static_cast<std::size_t>(I)];
    return (Mode & hmValues) ? P.Key : P.Value;
}

std::int32_t THash::GetInt(const std::string& Key) const
{
    const std::int32_t I = IndexOfKey(Key);
    if (I == -1)
        return -1;
    return StrToInt(FPairs[static_cast<std::size_t>(I)].Value);
}

void THash::Delete(std::int32_t Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FPairs[static_cast<std::size_t>(Index)] = FPairs.back();
    FPairs.pop_back();
    Changed();
}

void THash::Remove(const std::string& Key) { Delete(IndexOfKey(Key)); }

THashPair THash::GetEntry(std::int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        return THashPair{};
    return FPairs[static_cast<std::size_t>(Index)];
}

void THash::SetEntry(std::int32_t Index, const THashPair& Pair)
{
    if (Index < 0 || Index >= Count())
        return;
    FPairs[static_cast<std::size_t>(Index)] = Pair;
    Changed();
}

void THash::Clear()
{
    FPairs.clear();
    Fixed = false;
    Changed();
}

std::int64_t THash::SaveToStream(TStream& Stream) const
{
    // A count or length the form cannot hold would corrupt everything after it.
    if (FPairs.size() > MaxFormCount)
        throw EStreamError("Table has more than 65535 entries");
    for (const THashPair& P : FPairs)
        if (P.Key.size() > 0xFFFF || P.Value.size() > 0xFFFF)
            throw EStreamError("Table entry longer than 65535 bytes");
    const std::int64_t P0 = Stream.Position();
    Stream.WriteU16(static_cast<std::uint16_t>(FPairs.size()));
    for (const THashPair& P : FPairs) {
        WriteFormString(Stream, P.Key);
        WriteFormString(Stream, P.Value);
    }
    return Stream.Position() - P0;
}

void THash::LoadFromStream(TStream& Stream)
{
    Clear();
    const std::uint16_t N = Stream.ReadU16();
    std::vector<THashPair> Loaded;
    for (std::uint32_t I = 0; I < N; ++I) {
        THashPair P;
        P.Key = ReadFormString(Stream);
        P.Value = ReadFormString(Stream);
        Loaded.push_back(std::move(P));
    }
    FPairs = std::move(Loaded);
    Changed();
}

void THash::Changed()
{
    if (OnChange)
        OnChange(this);
}
