#include "bmp_image.h"

#include "byte_order.h"
#include "memory_stream.h"

#include <cstring>

namespace {

constexpr std::int64_t FileHeaderSize = 14;
// Far above any picture a package carries; a header must not make us allocate more.
constexpr std::int64_t MaxPixels = 64ll * 1024 * 1024;
constexpr std::int64_t MaxFileImage = 512ll * 1024 * 1024;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;

std::int64_t RowBytes(std::int64_t Width, int BitCount) { return ((Width * BitCount + 31) / 32) * 4; }

// The bytes the stream still has, as far as it knows.
std::string ReadRest(TStream& Stream, std::int64_t Limit)
{
    const std::int64_t Left = Stream.Size() - Stream.Position();
    if (Left < 0 || Left > Limit)
        throw EInvalidGraphic();
    return Stream.ReadString(Left);
}

int MaskShift(std::uint32_t Mask)
{
    int Shift = 0;
    while (Mask && !(Mask & 1)) {
        Mask >>= 1;
        ++Shift;
    }
    return Shift;
}

std::uint8_t MaskedChannel(std::uint32_t Pixel, std::uint32_t Mask)
{
    if (!Mask)
        return 0;
    const int Shift = MaskShift(Mask);
    const std::uint32_t Max = Mask >> Shift;
    return static_cast<std::uint8_t>(((Pixel & Mask) >> Shift) * 255u / Max);
}

} // namespace

void TBmpImage::ParseDib(std::string Dib)
{
    if (Dib.size() < 12)
        throw EInvalidGraphic();
    const std::uint32_t HeaderSize = Le32(Dib, 0);
    std::int64_t Width, Height;
    int BitCount;
    std::uint32_t Compression = BiRgb, ColorsUsed = 0;
    if (HeaderSize == 12) {
        Width = Le16(Dib, 4);
        Height = Le16(Dib, 6);
        if (Le16(Dib, 8) != 1)
            throw EInvalidGraphic();
        BitCount = Le16(Dib, 10);
    } else if (HeaderSize == 40 || HeaderSize == 52 || HeaderSize == 56 || HeaderSize == 108 || HeaderSize == 124) {
        if (Dib.size() < HeaderSize)
            throw EInvalidGraphic();
        Width = static_cast<std::int32_t>(Le32(Dib, 4));
        Height = static_cast<std::int32_t>(Le32(Dib, 8));
        if (Le16(Dib, 12) != 1)
            throw EInvalidGraphic();
        BitCount = Le16(Dib, 14);
        Compression = Le32(Dib, 16);
        ColorsUsed = Le32(Dib, 32);
    } else {
        throw EInvalidGraphic();
    }
    const bool TopDown = Height < 0;
    if (TopDown)
        Height = -Height;
    if (Width <= 0 || Height <= 0 || Width * Height > MaxPixels)
        throw EInvalidGraphic();
    if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 16 && BitCount != 24 && BitCount != 32)
        throw EInvalidGraphic();
    if (Compression != BiRgb && !(Compression == BiBitfields && (BitCount == 16 || BitCount == 32)))
        throw EInvalidGraphic();
    if (HeaderSize == 12 && BitCount > 24)
        throw EInvalidGraphic();

    std::int64_t TableSize = 0;
    if (BitCount <= 8) {
        const std::int64_t Max = std::int64_t{1} << BitCount;
        const std::int64_t Colors = ColorsUsed == 0 ? Max : ColorsUsed;
        if (Colors > Max)
            throw EInvalidGraphic();
        TableSize = Colors * (HeaderSize == 12 ? 3 : 4);
    } else if (Compression == BiBitfields && HeaderSize == 40) {
        TableSize = 12; // the three masks follow the header
    } else if (ColorsUsed > 0 && ColorsUsed <= 256) {
        TableSize = static_cast<std::int64_t>(ColorsUsed) * 4; // an optional table nobody reads
    } else if (ColorsUsed > 256) {
        throw EInvalidGraphic();
    }
    const std::int64_t Pixels = RowBytes(Width, BitCount) * Height;
    const std::int64_t Needed = HeaderSize + TableSize + Pixels;
    if (static_cast<std::int64_t>(Dib.size()) < Needed)
        throw EInvalidGraphic();
    Dib.resize(static_cast<std::size_t>(Needed));

    FMasks[0] = FMasks[1] = FMasks[2] = 0;
    if (Compression == BiBitfields) {
        const std::size_t At = HeaderSize == 40 ? 40 : 40;
        FMasks[0] = Le32(Dib, At);
        FMasks[1] = Le32(Dib, At + 4);
        FMasks[2] = Le32(Dib, At + 8);
    } else if (BitCount == 16) {
        FMasks[0] = 0x7C00;
        FMasks[1] = 0x03E0;
        FMasks[2] = 0x001F;
    } else if (BitCount == 32) {
        FMasks[0] = 0x00FF0000;
        FMasks[1] = 0x0000FF00;
        FMasks[2] = 0x000000FF;
    }
    FDib = std::move(Dib);
    FHeaderSize = HeaderSize;
    FColorTableSize = static_cast<std::uint32_t>(TableSize);
    FWidth = static_cast<std::int32_t>(Width);
    FHeight = static_cast<std::int32_t>(Height);
    FTopDown = TopDown;
    FBitCount = BitCount;
    FCompression = Compression;
}

void TBmpImage::LoadFromStream(TStream& Stream)
{
    const std::string All = ReadRest(Stream, MaxFileImage);
    if (All.size() < FileHeaderSize || All[0] != 'B' || All[1] != 'M')
        throw EInvalidGraphic();
    const std::uint32_t OffBits = Le32(All, 10);
    // The file header's size is often wrong in files made by other tools; only the
    // pixel offset matters, and it must lie after the info header.
    std::string Dib = All.substr(FileHeaderSize);
    if (Dib.size() < 4)
        throw EInvalidGraphic();
    const std::uint32_t HeaderSize = Le32(Dib, 0);
    TBmpImage Parsed;
    Parsed.ParseDib(Dib);
    // Pixels placed elsewhere than right after the colour table: move them there.
    const std::int64_t Expected = FileHeaderSize + Parsed.FHeaderSize + Parsed.FColorTableSize;
    if (OffBits != 0 && OffBits != Expected) {
        if (OffBits < FileHeaderSize + HeaderSize || OffBits > All.size())
            throw EInvalidGraphic();
        std::string Moved = Dib.substr(0, static_cast<std::size_t>(Parsed.FHeaderSize + Parsed.FColorTableSize)) +
                            All.substr(OffBits);
        Parsed.ParseDib(std::move(Moved));
    }
    *this = std::move(Parsed);
}

void TBmpImage::LoadFromFileImage(TStream& Stream)
{
    const std::string Header = Stream.ReadString(FileHeaderSize);
    if (Header[0] != 'B' || Header[1] != 'M')
        throw EInvalidGraphic();
    const std::int64_t Size = Le32(Header, 2);
    if (Size < FileHeaderSize + 12 || Size > MaxFileImage || Size - FileHeaderSize > Stream.Size() - Stream.Position())
        throw EInvalidGraphic();
    const std::string Rest = Stream.ReadString(Size - FileHeaderSize);
    TMemoryStream Image(Header + Rest);
    LoadFromStream(Image);
}

std::int64_t TBmpImage::FileImageSize() const { return FileHeaderSize + static_cast<std::int64_t>(FDib.size()); }

void TBmpImage::SaveToStream(TStream& Stream) const
{
    if (FDib.empty())
        throw EInvalidGraphic("An empty bitmap has no file image");
    Stream.WriteBuffer("BM", 2);
    Stream.WriteU32(static_cast<std::uint32_t>(FileImageSize()));
    Stream.WriteU32(0);
    Stream.WriteU32(static_cast<std::uint32_t>(FileHeaderSize + FHeaderSize + FColorTableSize));
    // The image size says exactly how many pixel bytes follow, whatever the source said.
    std::string Dib = FDib;
    if (FHeaderSize >= 40) {
        const auto Pixels = static_cast<std::uint32_t>(RowBytes(FWidth, FBitCount) * FHeight);
        PutLe32(Dib, 20, Pixels);
    }
    Stream.WriteString(Dib);
}

std::vector<std::uint8_t> TBmpImage::ToBgra() const
{
    std::vector<std::uint8_t> Out(static_cast<std::size_t>(FWidth) * FHeight * 4);
    const std::size_t Stride = static_cast<std::size_t>(RowBytes(FWidth, FBitCount));
    const unsigned char* Table = reinterpret_cast<const unsigned char*>(FDib.data()) + FHeaderSize;
    const int Entry = FHeaderSize == 12 ? 3 : 4;
    const std::size_t Colors = FBitCount <= 8 ? FColorTableSize / Entry : 0;
    const unsigned char* Bits = Table + FColorTableSize;
    for (std::int32_t Y = 0; Y < FHeight; ++Y) {
        const unsigned char* Row = Bits + Stride * static_cast<std::size_t>(FTopDown ? Y : FHeight - 1 - Y);
        std::uint8_t* Dst = &Out[static_cast<std::size_t>(Y) * FWidth * 4];
        for (std::int32_t X = 0; X < FWidth; ++X, Dst += 4) {
            Dst[3] = 255;
            if (FBitCount <= 8) {
                const int PerByte = 8 / FBitCount;
                const unsigned Byte = Row[X / PerByte];
                const unsigned Shift = static_cast<unsigned>(8 - FBitCount * (X % PerByte + 1));
                const std::size_t Index = (Byte >> Shift) & ((1u << FBitCount) - 1);
                if (Index < Colors) {
                    std::memcpy(Dst, Table + Index * Entry, 3);
                } else {
                    Dst[0] = Dst[1] = Dst[2] = 0;
                }
            } else if (FBitCount == 24) {
                std::memcpy(Dst, Row + 3 * X, 3);
            } else {
                std::uint32_t P = 0;
                if (FBitCount == 16)
                    P = static_cast<std::uint32_t>(Row[2 * X] | (Row[2 * X + 1] << 8));
                else
                    std::memcpy(&P, Row + 4 * X, 4);
                Dst[2] = MaskedChannel(P, FMasks[0]);
                Dst[1] = MaskedChannel(P, FMasks[1]);
                Dst[0] = MaskedChannel(P, FMasks[2]);
            }
        }
    }
    return Out;
}

TBmpImage TBmpImage::FromBgra(std::int32_t Width, std::int32_t Height, const std::vector<std::uint8_t>& Bgra)
{
    if (Width <= 0 || Height <= 0 || static_cast<std::int64_t>(Width) * Height > MaxPixels ||
        Bgra.size() != static_cast<std::size_t>(Width) * Height * 4)
        throw EInvalidGraphic();
    std::string Dib(40, '\0');
    auto Put32 = [&](std::size_t At, std::uint32_t V) { PutLe32(Dib, At, V); };
    Put32(0, 40);
    Put32(4, static_cast<std::uint32_t>(Width));
    Put32(8, static_cast<std::uint32_t>(-Height)); // top-down, as the pixels come
    Dib[12] = 1;
    Dib[14] = 32;
    Put32(20, static_cast<std::uint32_t>(Bgra.size()));
    Dib.append(reinterpret_cast<const char*>(Bgra.data()), Bgra.size());
    TBmpImage Image;
    Image.ParseDib(std::move(Dib));
    return Image;
}
