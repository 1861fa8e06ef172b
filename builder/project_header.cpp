#include "project_header.h"

#include "byte_order.h"

std::string TProjectHeader::Encode() const
{
    std::string B(Size, '\0');
    B[0] = static_cast<char>(SignatureLength);
    for (std::size_t I = 0; I < Signature.size(); ++I)
        B[1 + I] = Signature[I];
    PutLe16(B, 6, static_cast<std::uint16_t>(Reserved));
    PutLe32(B, 8, static_cast<std::uint32_t>(AppCount));
    return B;
}

bool TProjectHeader::Decode(const std::string& Bytes, TProjectHeader& Header)
{
    if (Bytes.size() < Size)
        return false;
    TProjectHeader H;
    H.SignatureLength = static_cast<std::uint8_t>(Bytes[0]);
    for (std::size_t I = 0; I < H.Signature.size(); ++I)
        H.Signature[I] = Bytes[1 + I];
    H.Reserved = Le16(Bytes, 6);
    H.AppCount = static_cast<std::int32_t>(Le32(Bytes, 8));
    Header = H;
    return true;
}
