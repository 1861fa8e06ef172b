#include "ui_text.h"

std::string NormalizeLineBreaks(const std::string& S)
{
    std::string Out;
    Out.reserve(S.size() + 8);
    for (std::size_t I = 0; I < S.size(); ++I) {
        const char C = S[I];
        if (C != '\r' && C != '\n') {
            Out += C;
            continue;
        }
        // A pair of different break characters is one break.
        if (I + 1 < S.size() && (S[I + 1] == '\r' || S[I + 1] == '\n') && S[I + 1] != C)
            ++I;
        Out += "\r\n";
    }
    return Out;
}
