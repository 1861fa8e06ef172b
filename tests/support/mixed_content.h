#pragma once

#include <cstdint>
#include <random>
#include <string>

// Content like that of an installation, deterministic for a seed: kind 0 text,
// kind 1 structured binary with short runs, kind 2 random bytes. The benchmark packs
// it and the tests compare what the compressors make of it.
inline std::string MakeMixedContent(std::mt19937_64& Rng, std::size_t Size, int Kind)
{
    static const char* const Words[] = {"install", "package", "the", "of", "directory", "file", "setup", "and",
                                        "program", "window", "license", "a", "to", "Brindlo", "version", "data"};
    std::string S;
    S.reserve(Size);
    if (Kind == 0) {
        while (S.size() < Size) {
            S += Words[Rng() % 16];
            S += (Rng() % 12 == 0) ? "\r\n" : " ";
        }
    } else if (Kind == 1) {
        while (S.size() < Size) {
            const std::uint32_t V = static_cast<std::uint32_t>(S.size() / 16) ^ static_cast<std::uint32_t>(Rng() % 4);
            S.append(reinterpret_cast<const char*>(&V), 4);
            S.append(12, static_cast<char>(S.size() % 7));
        }
    } else {
        while (S.size() < Size) {
            const std::uint64_t V = Rng();
            S.append(reinterpret_cast<const char*>(&V), 8);
        }
    }
    S.resize(Size);
    return S;
}
