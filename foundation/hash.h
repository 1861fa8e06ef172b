#pragma once

#include "object.h"
#include "stream.h"
#include "string_list.h"

#include <cstdint>
#include <string>
#include <vector>

struct THashPair {
    std::string Key;
    std::string Value;
};

enum THashMode : unsigned { hmKeys = 1, hmValues = 2 };

// The ordered table of (key, value) strings behind every table of the system.
// Lookups scan from the front and compare exactly; no hashing happens.
class THash : public TObject {
public:
    explicit THash(bool Unique);
    ~THash() override;
    THash(const THash&) = delete;
    THash& operator=(const THash&) = delete;

    bool Unique() const { return FUnique; }
    TNotifyEvent OnChange;
    // While set, Add refuses keys that are not present yet.
    bool Fixed = false;

    std::int32_t IndexOf(const std::string& S, unsigned Mode) const;
    std::int32_t IndexOfKey(const std::string& Key) const { return IndexOf(Key, hmKeys); }
    std::int32_t Add(const std::string& Key, const std::string& Value, bool Replace = true);
    void Assign(const THash& Source, bool ClearFirst);
    void AddJoined(const std::string& Key, const TArrayOfString& Values, const std::string& Separator);
    std::string Lookup(const std::string& S, unsigned Mode = hmKeys) const;
    // -1 when absent; raises EConvertError when the value is no integer.
    std::int32_t GetInt(const std::string& Key) const;
    void Delete(std::int32_t Index);
    void Remove(const std::string& Key);
    THashPair GetEntry(std::int32_t Index) const;
    void SetEntry(std::int32_t Index, const THashPair& Pair);
    void Clear();
    std::int32_t Count() const { return static_cast<std::int32_t>(FPairs.size()); }

    // Writes the table's stream form at the stream's position; answers the bytes written.
    // A table the form cannot hold raises EStreamError before anything is written.
    std::int64_t SaveToStream(TStream& Stream) const;
    // Replaces the contents with the form read at the stream's position. A form that
    // ends early raises EReadError and leaves the table empty.
    void LoadFromStream(TStream& Stream);

    void Changed();

    const std::vector<THashPair>& Pairs() const { return FPairs; }

private:
    std::vector<THashPair> FPairs;
    const bool FUnique;
};
