#include "command_line.h"

namespace {

bool Blank(char C) { return C == ' ' || C == '\t'; }

} // namespace

std::string ProjectFromCommandLine(const std::string& CommandLine)
{
    // The runtime's rule for the program name: up to the closing quote when it
    // starts quoted, else up to the first blank; no escapes apply in it.
    std::size_t I = 0;
    bool Quoted = false;
    while (I < CommandLine.size()) {
        const char C = CommandLine[I];
        if (C == '"')
            Quoted = !Quoted;
        else if (!Quoted && Blank(C))
            break;
        ++I;
    }
    std::string Rest;
    for (; I < CommandLine.size(); ++I)
        if (CommandLine[I] != '"')
            Rest += CommandLine[I];
    std::size_t First = 0, Last = Rest.size();
    while (First < Last && Blank(Rest[First]))
        ++First;
    while (Last > First && Blank(Rest[Last - 1]))
        --Last;
    return Rest.substr(First, Last - First);
}
