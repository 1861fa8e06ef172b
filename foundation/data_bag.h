#pragma once

#include "file_system.h"
#include "hash.h"
#include "memory_stream.h"
#include "stream.h"

#include <cstdint>
#include <string>
#include <vector>

// Status of the store operations.
enum TBagResult : std::uint8_t { brFailed = 0, brReadOnly = 1, brNotFound = 2, brDone = 4 };

// Where the builder and the installer keep their tables in a bag.
constexpr std::int32_t bag_Background = 1;
constexpr std::int32_t bag_ProjectHeader = 2;
constexpr std::int32_t bag_Groups = 3;
constexpr std::int32_t bag_GroupNames = 3;
constexpr std::int32_t bag_Options = 4;
constexpr std::int32_t bag_Settings = 5;
// Group icon i is bag_GroupIconBase + i, installation record i is bag_AppRecordBase + i.
constexpr std::int32_t bag_GroupIconBase = 10000;
constexpr std::int32_t bag_AppRecordBase = 100000;

inline const std::string AppTitle = "Brindlo";

// One index record: 20 bytes in the file.
struct DataBagEntry {
    std::int32_t Key = 0;
    std::int32_t Size = 0;
    // What the first Put reserved; later Puts of the key store at most this much.
    std::int32_t Capacity = 0;
    std::int32_t Offset = 0;
    std::uint8_t Flag = 0;
};

// The 40-byte header in front of the data block.
struct DataBagHeader {
    std::uint32_t Count = 0;
    std::uint32_t StoredSize = 0;
    std::uint32_t RawSize = 0;
    bool Compressed = false;
    std::uint32_t IndexPosition = 40;
};

// Byte strings under integer keys, held in memory and saved as one file whose data
// block may be one bzip2 stream. A loaded bag is read-only.
class CDataBag {
public:
    // Raw data blocks above this are refused on load: no package comes near it, and a
    // hostile header must not make the loader allocate gigabytes.
    static constexpr std::int64_t MaxRawSize = 256 * 1024 * 1024;

    CDataBag();

    void Reset();
    std::int32_t IndexOfKey(std::int32_t Key) const;

    // Count -1: from Source's position to its end.
    TBagResult PutStream(TStream& Source, std::int32_t Key, std::int64_t Count = -1);
    TBagResult PutHash(const THash& Hash, std::int32_t Key);
    TBagResult PutBuffer(const void* Buffer, std::int32_t Key, std::int64_t Count);
    // A missing file raises EInOutError "File <name> not found".
    TBagResult PutFile(const std::string& FileName, std::int32_t Key, std::int64_t Count = -1,
                       TFileSystem& FS = LocalFileSystem());

    TBagResult GetStream(TStream& Dest, std::int32_t Key, bool Rewind);
    TBagResult GetStreamAt(TStream& Dest, std::int32_t Index, bool Rewind);
    TBagResult GetBuffer(void* Buffer, std::int32_t Key, std::int64_t MaxCount);
    TBagResult GetBufferAt(void* Buffer, std::int32_t Index, std::int64_t MaxCount);
    TBagResult GetHash(THash& Hash, std::int32_t Key);
    TBagResult GetHashAt(THash& Hash, std::int32_t Index);

    TBagResult SaveToStream(TStream& Stream, bool Compress);
    TBagResult SaveToFile(const std::string& FileName, bool Compress, TFileSystem& FS = LocalFileSystem());
    // A stream that is not a whole, sound bag loads as brFailed and leaves the bag
    // empty and writable; only the stream's own errors raise.
    TBagResult LoadFromStream(TStream& Stream);
    TBagResult LoadFromFile(const std::string& FileName, TFileSystem& FS = LocalFileSystem());

    bool Writable() const { return FWritable; }
    std::int32_t Count() const { return static_cast<std::int32_t>(FIndex.size()); }
    const std::vector<DataBagEntry>& Index() const { return FIndex; }
    const DataBagHeader& Header() const { return FHeader; }

private:
    const DataBagEntry& ReserveEntry(std::int32_t Key, std::int64_t Count);
    TBagResult PutBytes(const std::string& Bytes, std::int32_t Key);
    bool EntryInRange(std::int32_t Index) const;
    void WriteHeader(TStream& Stream) const;
    bool ReadDataBlock(TStream& Stream, std::int64_t DataStart);

    DataBagHeader FHeader;
    bool FWritable = true;
    std::vector<DataBagEntry> FIndex;
    TMemoryStream FData;
};
