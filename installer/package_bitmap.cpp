#include "package_bitmap.h"

#include "byte_order.h"

namespace {

constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t MaxPixels = 64ll * 1024 * 1024;
constexpr std::int64_t MaxSide = 32767;
constexpr std::uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;

[[noreturn]] void Unsound(const char* Why) { throw EInvalidGraphic(std::string("Bitmap image is not valid: ") + Why); }

std::int64_t RowBytes(std::int64_t Width, int BitCount) { return ((Width * BitCount + 31) / 32) * 4; }

} // namespace

TPackageBitmap ReadPackageBitmap(TStream& Stream, bool Delimited)
{
    const std::int64_t Left = Stream.Size() - Stream.Position();
    if (Left < FileHeaderSize)
        Unsound("cut short");
    const std::string FileHeader = Stream.ReadString(FileHeaderSize);
    if (FileHeader[0] != 'B' || FileHeader[1] != 'M')
        Unsound("no bitmap signature");
    const std::int64_t TotalSize = Le32(FileHeader, 2);
    const std::int64_t OffBits = Le32(FileHeader, 10);
    if (TotalSize > Left)
        Unsound("its size runs past the data");
    if (Delimited && TotalSize < FileHeaderSize + 12)
        Unsound("its size is too small");
    const std::int64_t Extent = (Delimited ? TotalSize : Left) - FileHeaderSize;
    if (Extent < 12)
        Unsound("cut short");
    TPackageBitmap B;
    B.Dib = Stream.ReadString(Extent);
    const std::string& D = B.Dib;

    const std::uint32_t HeaderSize = Le32(D, 0);
    std::int64_t Width = 0, Height = 0;
    int BitCount = 0;
    std::uint32_t Compression = BiRgb, ColorsUsed = 0, ImageSize = 0;
    bool TopDown = false;
    std::int64_t Table = 0;
    if (HeaderSize == 12) {
        Width = Le16(D, 4);
        Height = Le16(D, 6);
        if (Le16(D, 8) != 1)
            Unsound("planes");
        BitCount = Le16(D, 10);
        if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 24)
            Unsound("bit count");
        if (BitCount <= 8)
            Table = (std::int64_t{1} << BitCount) * 3;
    } else if (HeaderSize == 40 || HeaderSize == 52 || HeaderSize == 56 || HeaderSize == 108 || HeaderSize == 124) {
        if (static_cast<std::int64_t>(D.size()) < HeaderSize)
            Unsound("cut short");
        Width = static_cast<std::int32_t>(Le32(D, 4));
        Height = static_cast<std::int32_t>(Le32(D, 8));
        if (Le16(D, 12) != 1)
            Unsound("planes");
        BitCount = Le16(D, 14);
        Compression = Le32(D, 16);
        ImageSize = Le32(D, 20);
        ColorsUsed = Le32(D, 32);
        TopDown = Height < 0;
        if (TopDown)
            Height = -Height;
        switch (Compression) {
        case BiRgb:
            if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 16 && BitCount != 24 && BitCount != 32)
                Unsound("bit count");
            break;
        case BiRle8:
        case BiRle4:
            if (BitCount != (Compression == BiRle8 ? 8 : 4) || TopDown)
                Unsound("compression");
            break;
        case BiBitfields:
            if (BitCount != 16 && BitCount != 32)
                Unsound("compression");
            break;
        default:
            Unsound("compression");
        }
        if (BitCount <= 8) {
            const std::int64_t Max = std::int64_t{1} << BitCount;
            if (ColorsUsed > Max)
                Unsound("colour table");
            Table = (ColorsUsed == 0 ? Max : ColorsUsed) * 4;
        } else {
            if (ColorsUsed > 256)
                Unsound("colour table");
            Table = std::int64_t{ColorsUsed} * 4;
            if (Compression == BiBitfields && HeaderSize == 40)
                Table += 12; // the masks follow the header
        }
    } else {
        Unsound("header version");
    }
    if (Width <= 0 || Height <= 0 || Width > MaxSide || Height > MaxSide || Width * Height > MaxPixels)
        Unsound("dimensions");

    const std::int64_t TableEnd = HeaderSize + Table;
    if (TableEnd > static_cast<std::int64_t>(D.size()))
        Unsound("colour table cut short");
    // The pixels lie where the file header says, when it says something sensible.
    std::int64_t Bits = TableEnd;
    if (OffBits != 0) {
        const std::int64_t At = OffBits - FileHeaderSize;
        if (At < TableEnd || At > static_cast<std::int64_t>(D.size()))
            Unsound("pixel offset");
        Bits = At;
    }
    const std::int64_t Present = static_cast<std::int64_t>(D.size()) - Bits;
    if (Compression == BiRle8 || Compression == BiRle4) {
        if (ImageSize == 0 || ImageSize > Present)
            Unsound("compressed pixels cut short");
    } else if (RowBytes(Width, BitCount) * Height > Present) {
        Unsound("pixels cut short");
    }
    B.BitsOffset = static_cast<std::uint32_t>(Bits);
    B.Width = static_cast<std::int32_t>(Width);
    B.Height = static_cast<std::int32_t>(Height);
    return B;
}
