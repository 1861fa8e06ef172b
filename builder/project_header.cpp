#include "project_header.h"

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
    auto U = [&](std::size_t I) { return static_cast<std::uint32_t>(static_cast<unsigned char>(Bytes[I])); };
    TProjectHeader H;
    H.SignatureLength = static_cast<std::uint8_t>(U(0));
    for (std::size_t I = 0; I < H.Signature.size(); ++I)
        H.Signature[I] = Bytes[1 + I];
    H.Reserved = static_cast<std::uint16_t>(U(6) | (U(7) << 8));
    H.AppCount = static_cast<std::int32_t>(U(8) | (U(9) << 8) | (U(10) << 16) | (U(11) << 24));
    Header = H;
    return true;
}
