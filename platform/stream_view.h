#pragma once

#include "stream.h"

// A read-only window [Start, Start + Length) of another stream, so that a reader
// handed untrusted counts can never read past the part it was given.
class TStreamView : public TStream {
public:
    TStreamView(TStream& Base, std::int64_t Start, std::int64_t Length);

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return FLength; }
    void SetSize(std::int64_t NewSize) override;

private:
    TStream& FBase;
    std::int64_t FStart;
    std::int64_t FLength;
    std::int64_t FPosition = 0;
};
