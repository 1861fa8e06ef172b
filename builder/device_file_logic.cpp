#include "device_file_logic.h"

#include "string_helpers.h"

const TArrayOfString& PDFileCpus()
{
    static const TArrayOfString Items{"ARM", "MIPS", "SH3"};
    return Items;
}

const TArrayOfString& PDFileDestinations()
{
    static const TArrayOfString Items{"App Root", "Win Root", "System Root"};
    return Items;
}

const TArrayOfString& CDFileColors()
{
    static const TArrayOfString Items{"colors 2", "colors 4", "colors 16", "colors 256", "colors 32k", "colors 64k"};
    return Items;
}

namespace {

TArrayOfString Fields(const std::string& Value, int Count)
{
    TArrayOfString F;
    SplitString(Value, "|", Count, F);
    F.resize(static_cast<std::size_t>(Count));
    return F;
}

} // namespace

TArrayOfString SplitPDFile(const std::string& Value) { return Fields(Value, 3); }

TArrayOfString SplitCDFile(const std::string& Value) { return Fields(Value, 2); }

std::string ReplaceDeviceField(const std::string& Value, int Count, int Index, const std::string& Text)
{
    TArrayOfString F = Fields(Value, Count);
    if (Index >= 0 && Index < Count)
        F[static_cast<std::size_t>(Index)] = Text;
    return JoinStrings(F, "|");
}

int DeviceValueMiddle(int Left, int Right) { return Left + (Right - Left) / 2; }

TArrayOfString PDFileHelpLines(const std::string& Value)
{
    const TArrayOfString F = SplitPDFile(Value);
    return {"Processor Dependent File:", "Proc Type: " + F[pfCpu], "File: " + F[pfFile],
            "Destination: " + F[pfDestination]};
}

TArrayOfString CDFileHelpLines(const std::string& Value)
{
    const TArrayOfString F = SplitCDFile(Value);
    return {"Color Dependent File:", "Colors: " + F[cfColors], "File: " + F[cfFile]};
}
