#include "stream_view.h"

#include "exceptions.h"

#include <algorithm>

TStreamView::TStreamView(TStream& Base, std::int64_t Start, std::int64_t Length)
    : FBase(Base), FStart(Start), FLength(Length)
{
    if (Start < 0 || Length < 0)
        throw EStreamError("Invalid stream window");
}

std::int64_t TStreamView::Read(void* Buffer, std::int64_t Count)
{
    if (Count <= 0 || FPosition >= FLength)
        return 0;
    const std::int64_t N = std::min(Count, FLength - FPosition);
    FBase.SetPosition(FStart + FPosition);
    const std::int64_t Got = FBase.Read(Buffer, N);
    if (Got > 0)
        FPosition += Got;
    return Got;
}

std::int64_t TStreamView::Write(const void*, std::int64_t) { return 0; }

std::int64_t TStreamView::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    const std::int64_t Base = Origin == TSeekOrigin::soBeginning ? 0
                              : Origin == TSeekOrigin::soCurrent ? FPosition
                                                                 : FLength;
    if (Base + Offset < 0)
        throw EStreamError("Seek before the start of the stream");
    FPosition = Base + Offset;
    return FPosition;
}

void TStreamView::SetSize(std::int64_t) { throw EWriteError("A stream window cannot change its size"); }
