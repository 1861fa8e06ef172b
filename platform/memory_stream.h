#pragma once

#include "stream.h"

#include <string>
#include <vector>

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string Bytes);

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t NewSize) override;

    void Clear();
    const char* Memory() const { return FData.data(); }
    char* Memory() { return FData.data(); }
    // The whole contents as bytes.
    std::string Bytes() const { return std::string(FData.begin(), FData.end()); }

    void LoadFromStream(TStream& Source);
    void SaveToStream(TStream& Dest);

private:
    std::vector<char> FData;
    std::int64_t FPosition = 0;
};
