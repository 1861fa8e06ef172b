#include "project_header.h"

#include "byte_order.h"

std::string TProjectHeader::Encode() const
{
    std::string B(Size, '\0');
    B[0] = static_cast<char>(SignatureLength);
    for (std::size_t I = 0; I < Signature.size(); ++I)
        B[1 + I] = Signature[I];
    B[6] = static_cast<char>(Reserved & 0xFF);
    B[7] = static_cast<char>(Reserved >> 8);
    const auto Count = static_cast<std::uint32_t>(AppCount);
    for (int I = 0; I < 4; ++I)
        B[8 + static_cast<std::size_t>(I)] = static_cast<char>((Count >> (8 * I)) & 0xFF);
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
