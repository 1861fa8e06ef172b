// Draws the builder's pictures at build time, so that no image file is kept in the
// repository: the tree's strip of 19 pictures of 20 x 20, the program and project
// icons, and the 640 x 480 splash picture.
//
//   make_builder_art <output directory>
//
// writes tree_images.bmp, castbuild.ico, project.ico and splash.jpg there.
#include "jpeg_image.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct TRgb {
    std::uint8_t R, G, B;
};

constexpr TRgb Key{255, 0, 255}; // the strip's transparent colour
constexpr TRgb Black{0, 0, 0};
constexpr TRgb White{255, 255, 255};
constexpr TRgb Navy{0, 65, 131};
constexpr TRgb Folder{232, 184, 72};
constexpr TRgb FolderDark{160, 112, 24};
constexpr TRgb Blue{40, 90, 200};
constexpr TRgb Red{210, 30, 30};
constexpr TRgb Green{30, 150, 40};
constexpr TRgb Grey{128, 128, 128};
constexpr TRgb Silver{200, 200, 200};

// A picture of RGB pixels, top row first.
class TPicture {
public:
    TPicture(int W, int H, TRgb Fill) : FW(W), FH(H), FPixels(static_cast<std::size_t>(W) * H, Fill) {}
    int Width() const { return FW; }
    int Height() const { return FH; }
    TRgb At(int X, int Y) const { return FPixels[static_cast<std::size_t>(Y) * FW + X]; }
    void Set(int X, int Y, TRgb C)
    {
        if (X >= 0 && Y >= 0 && X < FW && Y < FH)
            FPixels[static_cast<std::size_t>(Y) * FW + X] = C;
    }
    void Fill(int X, int Y, int W, int H, TRgb C)
    {
        for (int J = Y; J < Y + H; ++J)
            for (int I = X; I < X + W; ++I)
                Set(I, J, C);
    }
    void Frame(int X, int Y, int W, int H, TRgb C)
    {
        Fill(X, Y, W, 1, C);
        Fill(X, Y + H - 1, W, 1, C);
        Fill(X, Y, 1, H, C);
        Fill(X + W - 1, Y, 1, H, C);
    }
    void Line(int X0, int Y0, int X1, int Y1, TRgb C)
    {
        const int DX = std::abs(X1 - X0), DY = -std::abs(Y1 - Y0);
        const int SX = X0 < X1 ? 1 : -1, SY = Y0 < Y1 ? 1 : -1;
        int Err = DX + DY;
        for (;;) {
            Set(X0, Y0, C);
            if (X0 == X1 && Y0 == Y1)
                break;
            const int E2 = 2 * Err;
            if (E2 >= DY) {
                Err += DY;
                X0 += SX;
            }
            if (E2 <= DX) {
                Err += DX;
                Y0 += SY;
            }
        }
    }
    void Disc(double CX, double CY, double R, TRgb C)
    {
        for (int Y = 0; Y < FH; ++Y)
            for (int X = 0; X < FW; ++X)
                if ((X + 0.5 - CX) * (X + 0.5 - CX) + (Y + 0.5 - CY) * (Y + 0.5 - CY) <= R * R)
                    Set(X, Y, C);
    }
    void Blit(const TPicture& From, int X, int Y)
    {
        for (int J = 0; J < From.FH; ++J)
            for (int I = 0; I < From.FW; ++I)
                Set(X + I, Y + J, From.At(I, J));
    }

private:
    int FW, FH;
    std::vector<TRgb> FPixels;
};

// A 5 x 7 font of the few characters the pictures use; each row is five bits, the
// highest bit leftmost.
struct TGlyph {
    char C;
    std::uint8_t Rows[7];
};
const TGlyph Glyphs[] = {
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1E, 0x01, 0x01, 0x0E, 0x01, 0x01, 0x1E}}, {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {':', {0x00, 0x04, 0x04, 0x00, 0x04, 0x04, 0x00}}, {'\\', {0x10, 0x10, 0x08, 0x04, 0x02, 0x01, 0x01}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}}, {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}}, {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x13, 0x0D}}, {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}}, {'u', {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}}, {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}},
    {'k', {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12}}, {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'e', {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}}, {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E}},
    {'s', {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}}, {'p', {0x00, 0x00, 0x1E, 0x11, 0x1E, 0x10, 0x10}},
    {'y', {0x00, 0x00, 0x11, 0x11, 0x0F, 0x01, 0x0E}}, {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};

void Text(TPicture& P, int X, int Y, const std::string& S, int Scale, TRgb C)
{
    for (char Ch : S) {
        for (const TGlyph& G : Glyphs)
            if (G.C == Ch)
                for (int Row = 0; Row < 7; ++Row)
                    for (int Col = 0; Col < 5; ++Col)
                        if (G.Rows[Row] & (0x10 >> Col))
                            P.Fill(X + Col * Scale, Y + Row * Scale, Scale, Scale, C);
        X += 6 * Scale;
    }
}

// A line with its head at the second point.
void Arrow(TPicture& P, int X0, int Y0, int X1, int Y1, TRgb C)
{
    P.Line(X0, Y0, X1, Y1, C);
    const double A = std::atan2(Y1 - Y0, X1 - X0);
    for (double Side : {2.5, -2.5})
        P.Line(X1, Y1, X1 + static_cast<int>(std::lround(4 * std::cos(A + Side))),
               Y1 + static_cast<int>(std::lround(4 * std::sin(A + Side))), C);
}

void ClosedFolder(TPicture& P, bool Plus)
{
    P.Fill(2, 4, 7, 3, FolderDark);
    P.Fill(2, 6, 16, 11, Folder);
    P.Frame(2, 6, 16, 11, FolderDark);
    if (Plus) {
        P.Fill(7, 11, 7, 1, Black);
        P.Fill(10, 8, 1, 7, Black);
    }
}

void Window(TPicture& P, int X, int Y, int W, int H)
{
    P.Fill(X, Y, W, H, White);
    P.Frame(X, Y, W, H, Black);
    P.Fill(X + 1, Y + 1, W - 2, 3, Blue);
}

// Picture Index of the tree's strip, drawn on the key colour.
TPicture TreePicture(int Index)
{
    TPicture P(20, 20, Key);
    switch (Index) {
    case 0:
        ClosedFolder(P, true);
        break;
    case 1:
        P.Fill(2, 4, 7, 3, FolderDark);
        P.Fill(2, 6, 13, 11, FolderDark);
        for (int Y = 9; Y < 17; ++Y)
            P.Fill(4 + (17 - Y) / 2, Y, 14, 1, Folder);
        break;
    case 2:
        P.Disc(10, 10, 8.5, Blue);
        Text(P, 8, 6, "i", 1, White);
        P.Fill(9, 9, 2, 5, White);
        break;
    case 3:
        Arrow(P, 10, 10, 18, 10, Navy);
        Arrow(P, 10, 10, 1, 10, Navy);
        break;
    case 4:
        Arrow(P, 10, 10, 10, 18, Navy);
        Arrow(P, 10, 10, 10, 1, Navy);
        break;
    case 5:
        Arrow(P, 10, 10, 18, 10, Navy);
        Arrow(P, 10, 10, 1, 10, Navy);
        Arrow(P, 10, 10, 10, 18, Navy);
        Arrow(P, 10, 10, 10, 1, Navy);
        break;
    case 6:
        Arrow(P, 2, 10, 18, 10, Navy);
        break;
    case 7:
        Arrow(P, 10, 2, 10, 18, Navy);
        break;
    case 8:
        Text(P, 1, 6, "TXT", 1, Black);
        break;
    case 9:
        P.Disc(10, 10, 8.5, Silver);
        P.Disc(6, 7, 2, Red);
        P.Disc(11, 5, 2, Green);
        P.Disc(15, 9, 2, Blue);
        P.Disc(8, 14, 2.5, Key);
        break;
    case 10:
        Text(P, 1, 6, "123", 1, Navy);
        break;
    case 11:
        P.Fill(2, 3, 16, 14, White);
        P.Frame(2, 3, 16, 14, Black);
        P.Disc(7, 7, 2, Red);
        for (int X = 3; X < 17; ++X)
            P.Fill(X, 15 - std::abs(X - 11) / 2, 1, 1 + std::abs(X - 11) / 2, Green);
        break;
    case 12:
        Window(P, 2, 3, 16, 14);
        break;
    case 13:
        P.Disc(10, 10, 8.5, Red);
        P.Fill(9, 4, 2, 8, White);
        P.Fill(9, 14, 2, 2, White);
        break;
    case 14:
        P.Disc(10, 10, 8.5, Navy);
        Text(P, 8, 6, "?", 1, White);
        break;
    case 15:
        P.Fill(3, 2, 14, 11, Silver);
        P.Frame(3, 2, 14, 11, Black);
        P.Fill(5, 4, 10, 7, Blue);
        P.Fill(8, 13, 4, 2, Grey);
        P.Fill(4, 15, 12, 3, Silver);
        P.Frame(4, 15, 12, 3, Black);
        break;
    case 16:
        Text(P, 1, 6, "C:\\", 1, Black);
        break;
    case 17:
        Window(P, 2, 3, 16, 14);
        for (int Y = 6; Y < 16; Y += 3)
            P.Fill(4, Y, 12, 1, Grey);
        break;
    case 18:
        P.Line(3, 10, 8, 15, Green);
        P.Line(3, 11, 8, 16, Green);
        P.Line(8, 15, 17, 4, Green);
        P.Line(8, 16, 17, 5, Green);
        break;
    default:
        break;
    }
    return P;
}

void Put16(std::string& S, unsigned V)
{
    S += static_cast<char>(V & 0xFF);
    S += static_cast<char>((V >> 8) & 0xFF);
}
void Put32(std::string& S, std::uint32_t V)
{
    Put16(S, V & 0xFFFF);
    Put16(S, V >> 16);
}

// An info header and bottom-up 24-bit rows (the strip) or 32-bit rows (icons).
std::string Dib(const TPicture& P, int Bits, int HeaderHeight)
{
    std::string S;
    Put32(S, 40);
    Put32(S, static_cast<std::uint32_t>(P.Width()));
    Put32(S, static_cast<std::uint32_t>(HeaderHeight));
    Put16(S, 1);
    Put16(S, static_cast<unsigned>(Bits));
    Put32(S, 0);
    Put32(S, 0);
    Put32(S, 0);
    Put32(S, 0);
    Put32(S, 0);
    Put32(S, 0);
    for (int Y = P.Height() - 1; Y >= 0; --Y) {
        std::size_t RowStart = S.size();
        for (int X = 0; X < P.Width(); ++X) {
            const TRgb C = P.At(X, Y);
            S += static_cast<char>(C.B);
            S += static_cast<char>(C.G);
            S += static_cast<char>(C.R);
            if (Bits == 32)
                S += static_cast<char>(C.R == Key.R && C.G == Key.G && C.B == Key.B ? 0 : 255);
        }
        while ((S.size() - RowStart) % 4)
            S += '\0';
    }
    return S;
}

std::string BmpFile(const TPicture& P)
{
    const std::string D = Dib(P, 24, P.Height());
    std::string S = "BM";
    Put32(S, static_cast<std::uint32_t>(14 + D.size()));
    Put32(S, 0);
    Put32(S, 14 + 40);
    return S + D;
}

// An icon file of the pictures (32-bit colour with alpha, and the AND mask).
std::string IcoFile(const std::vector<TPicture>& Sizes)
{
    std::vector<std::string> Images;
    for (const TPicture& P : Sizes) {
        std::string D = Dib(P, 32, P.Height() * 2);
        const int MaskRow = ((P.Width() + 31) / 32) * 4;
        for (int Y = P.Height() - 1; Y >= 0; --Y) {
            std::string Row(static_cast<std::size_t>(MaskRow), '\0');
            for (int X = 0; X < P.Width(); ++X) {
                const TRgb C = P.At(X, Y);
                if (C.R == Key.R && C.G == Key.G && C.B == Key.B)
                    Row[static_cast<std::size_t>(X / 8)] |= static_cast<char>(0x80 >> (X % 8));
            }
            D += Row;
        }
        Images.push_back(D);
    }
    std::string S;
    Put16(S, 0);
    Put16(S, 1);
    Put16(S, static_cast<unsigned>(Sizes.size()));
    std::uint32_t Offset = static_cast<std::uint32_t>(6 + 16 * Sizes.size());
    for (std::size_t I = 0; I < Sizes.size(); ++I) {
        S += static_cast<char>(Sizes[I].Width());
        S += static_cast<char>(Sizes[I].Height());
        S += '\0';
        S += '\0';
        Put16(S, 1);
        Put16(S, 32);
        Put32(S, static_cast<std::uint32_t>(Images[I].size()));
        Put32(S, Offset);
        Offset += static_cast<std::uint32_t>(Images[I].size());
    }
    for (const std::string& D : Images)
        S += D;
    return S;
}

// The program's icon: a package box under the project's window.
TPicture ProgramIcon(int Size)
{
    TPicture P(32, 32, Key);
    P.Fill(4, 14, 24, 16, Folder);
    P.Frame(4, 14, 24, 16, FolderDark);
    P.Fill(4, 20, 24, 2, FolderDark);
    Window(P, 9, 2, 16, 14);
    P.Fill(14, 22, 4, 8, Red);
    if (Size == 32)
        return P;
    TPicture Small(Size, Size, Key);
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X)
            Small.Set(X, Y, P.At(X * 32 / Size, Y * 32 / Size));
    return Small;
}

// The project document's icon: a sheet with a folded corner and a tree on it.
TPicture ProjectIcon(int Size)
{
    TPicture P(32, 32, Key);
    P.Fill(6, 2, 20, 28, White);
    P.Frame(6, 2, 20, 28, Black);
    P.Fill(20, 2, 6, 6, Silver);
    P.Line(20, 2, 25, 7, Black);
    P.Fill(10, 10, 5, 4, Folder);
    P.Fill(12, 14, 1, 12, Grey);
    P.Fill(12, 18, 4, 1, Grey);
    P.Fill(12, 25, 4, 1, Grey);
    P.Fill(16, 16, 6, 4, Blue);
    P.Fill(16, 23, 6, 4, Blue);
    if (Size == 32)
        return P;
    TPicture Small(Size, Size, Key);
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X)
            Small.Set(X, Y, P.At(X * 32 / Size, Y * 32 / Size));
    return Small;
}

TBgraImage Splash()
{
    TPicture P(640, 480, Navy);
    for (int Y = 0; Y < 480; ++Y)
        for (int X = 0; X < 640; ++X) {
            const double T = (X + Y) / 1120.0;
            P.Set(X, Y,
                  TRgb{static_cast<std::uint8_t>(255 - 40 * T), static_cast<std::uint8_t>(240 - 90 * T),
                       static_cast<std::uint8_t>(225 - 140 * T)});
        }
    // Packages stacked on the left, the product's name on the right.
    const TRgb Tints[] = {{255, 204, 155}, {255, 189, 125}, {255, 179, 105}};
    for (int I = 0; I < 3; ++I) {
        const int X = 30 + I * 30, Y = 300 - I * 90;
        P.Fill(X, Y, 150, 80, Tints[I]);
        P.Frame(X, Y, 150, 80, Navy);
        P.Fill(X, Y + 30, 150, 6, Navy);
    }
    Text(P, 270, 150, "Brindlo", 8, Navy);
    Text(P, 272, 230, "Package builder", 3, Navy);
    P.Fill(270, 265, 336, 4, Navy);
    TBgraImage Image;
    Image.Width = P.Width();
    Image.Height = P.Height();
    Image.Pixels.reserve(static_cast<std::size_t>(P.Width()) * P.Height() * 4);
    for (int Y = 0; Y < P.Height(); ++Y)
        for (int X = 0; X < P.Width(); ++X) {
            const TRgb C = P.At(X, Y);
            Image.Pixels.insert(Image.Pixels.end(), {C.B, C.G, C.R, 255});
        }
    return Image;
}

bool Write(const std::string& Path, const std::string& Bytes)
{
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    Out.close();
    if (!Out) {
        std::cerr << "make_builder_art: cannot write " << Path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_builder_art <output directory>\n";
        return 2;
    }
    const std::string Dir = argv[1];
    try {
        TPicture Strip(20 * 19, 20, Key);
        for (int I = 0; I < 19; ++I)
            Strip.Blit(TreePicture(I), 20 * I, 0);
        const bool Ok = Write(Dir + "/tree_images.bmp", BmpFile(Strip)) &&
                        Write(Dir + "/castbuild.ico", IcoFile({ProgramIcon(32), ProgramIcon(16)})) &&
                        Write(Dir + "/project.ico", IcoFile({ProjectIcon(32), ProjectIcon(16)})) &&
                        Write(Dir + "/splash.jpg", EncodeJpeg(Splash(), 90));
        return Ok ? 0 : 1;
    } catch (const std::exception& E) {
        std::cerr << "make_builder_art: " << E.what() << "\n";
        return 1;
    }
}
