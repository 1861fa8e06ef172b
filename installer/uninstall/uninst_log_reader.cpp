#include "uninst_log_reader.h"

#include "archive.h"
#include "exceptions.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <cmath>

namespace castremove {

namespace {

constexpr std::size_t MaxPath = 260; // with its terminating zero
// No tag is longer; a line whose first "%" comes later has none the reader knows.
constexpr std::size_t MaxTag = 16;

// One line of the log as far as the reader looks at it, and whether it went on.
struct TLine {
    std::string Text;
    bool Longer = false;
};

// Lines ended by LF (a CR before it dropped), each kept only as far as it can count.
class TLineReader {
public:
    explicit TLineReader(TStream& File) : FFile(File) {}

    bool Next(TLine& Line)
    {
        Line = TLine();
        const std::size_t Keep = MaxTag + 1 + MaxRest + 1;
        bool Any = false;
        for (;;) {
            if (FPos == FSize) {
                FSize = static_cast<std::size_t>(FFile.Read(FBuffer, sizeof FBuffer));
                FPos = 0;
                if (FSize == 0)
                    break;
            }
            Any = true;
            const char C = FBuffer[FPos++];
            if (C == '\n')
                break;
            if (Line.Text.size() < Keep)
                Line.Text += C;
            else
                Line.Longer = true;
        }
        if (!Line.Longer && !Line.Text.empty() && Line.Text.back() == '\r')
            Line.Text.pop_back();
        return Any;
    }

private:
    TStream& FFile;
    char FBuffer[65536];
    std::size_t FPos = 0;
    std::size_t FSize = 0;
};

// A whole absolute path: a drive, then plain names, short enough for the system.
bool IsPlainAbsolutePath(const std::string& Path)
{
    if (Path.size() < 3 || Path.size() >= MaxPath || !((Path[0] >= 'A' && Path[0] <= 'Z') || (Path[0] >= 'a' && Path[0] <= 'z')) ||
        Path[1] != ':' || Path[2] != '\\')
        return false;
    return Path.size() == 3 || (Path.back() != '\\' && IsSafeRelativePath(Path.substr(3)));
}

// A key path below a hive: a last name that is not empty, nothing that ends a string early.
bool IsUsableKey(const std::string& Key)
{
    if (Key.empty() || Key.back() == '\\' || Key.find_first_of(std::string("\0", 1)) != std::string::npos)
        return false;
    const std::size_t Last = Key.find_last_of('\\');
    return Last == std::string::npos || Last + 1 < Key.size();
}

std::string ParentOf(const std::string& Path)
{
    const std::size_t Slash = Path.find_last_of('\\');
    if (Slash == std::string::npos || Slash < 2)
        return std::string();
    return Slash == 2 ? Path.substr(0, 3) : Path.substr(0, Slash);
}

// Done when every directory from the outermost logged one that holds Path down to
// Upto is a real directory; Missing when one is gone or is no directory or a link that
// leads elsewhere (what lies behind it is not the installation's); Failed when one
// cannot be looked at.
TSystemResult NoLinkOnTheWay(const std::string& Path, const std::string& Upto, const std::vector<std::string>& Dirs,
                             TUninstallSystem& System)
{
    std::string Outer;
    for (const std::string& D : Dirs)
        if (IsInsideDir(D, Path) && (Outer.empty() || D.size() < Outer.size()))
            Outer = D;
    if (Outer.empty())
        return TSystemResult();
    for (std::string A = Upto; IsInsideDir(Outer, A); A = ParentOf(A)) {
        std::uint32_t Attr = 0;
        const TSystemResult Found = System.Attributes(A, Attr);
        if (Found.Outcome != TOutcome::Done)
            return Found;
        if (!(Attr & faDirectory) || (Attr & faReparsePoint))
            return TSystemResult{TOutcome::Missing, std::string()};
        if (A.size() <= Outer.size())
            break;
    }
    return TSystemResult();
}

} // namespace

TRegistryRoot RootFromText(const std::string& Text)
{
    return Text == "HKEY_CU" ? rrCurrentUser : rrLocalMachine;
}

TUInstLog::TUInstLog(std::uint8_t Mode, const std::string& FileName, TFileSystem& FS) : FMode(Mode)
{
    if (Mode != 2 || FileName.empty() || !FS.FileExists(FileName))
        return;
    try {
        FFile = FS.OpenRead(FileName);
    } catch (const EStreamError&) {
        // A log that cannot be opened counts as none: the program ends without a word.
    }
}

TUInstLog::~TUInstLog() = default;

TUninstallPlan TUInstLog::Read()
{
    TUninstallPlan Plan;
    if (!FFile || FMode != 2)
        return Plan;
    struct TRawValue {
        TRegistryRoot Root;
        std::string Rest; // key and value name, "%" between
    };
    std::vector<TRawValue> RawValues;
    TLineReader Reader(*FFile);
    TLine Line;
    while (Reader.Next(Line)) {
        const std::size_t P = Line.Text.find('%');
        if (P == std::string::npos || P > MaxTag)
            continue;
        const std::string Tag = Line.Text.substr(0, P);
        const bool Over = Line.Longer || Line.Text.size() - P - 1 > MaxRest;
        const std::string Rest = Line.Text.substr(P + 1, MaxRest);
        if (Tag == "[UImes 1]") {
            Plan.Question = Rest.substr(0, MaxMessage);
        } else if (Tag == "[UImes 2]") {
            Plan.ClosingText = Rest.substr(0, MaxMessage);
        } else if (Over) {
            continue; // what is left of a cut path or key names something else
        } else if (Tag == "[DelFile]" || Tag == "[DelDir]") {
            if (IsPlainAbsolutePath(Rest))
                (Tag == "[DelFile]" ? Plan.Files : Plan.Dirs).push_back(Rest);
        } else if (Tag == "[DelKey]" || Tag == "[DelValue]") {
            std::string Fields = Rest, RootText;
            CutToken(Fields, "%", true, RootText);
            if (Tag == "[DelKey]") {
                if (IsUsableKey(Fields))
                    Plan.Keys.push_back(TDelKey{RootFromText(RootText), Fields});
            } else {
                RawValues.push_back(TRawValue{RootFromText(RootText), Fields});
            }
        }
    }
    FFile.reset();

    // A key path holds no "%" in the line format, but an installation's name may: where
    // a logged key explains a later "%" as part of the key, the value line means that key.
    for (const TRawValue& R : RawValues) {
        std::size_t Split = R.Rest.find('%');
        for (std::size_t At = Split; At != std::string::npos; At = R.Rest.find('%', At + 1)) {
            bool Logged = false;
            for (const TDelKey& K : Plan.Keys)
                Logged = Logged || (K.Root == R.Root && K.Key == R.Rest.substr(0, At));
            if (Logged) {
                Split = At;
                break;
            }
        }
        const std::string Key = R.Rest.substr(0, Split);
        const std::string Name = Split == std::string::npos ? std::string() : R.Rest.substr(Split + 1);
        if (IsUsableKey(Key))
            Plan.Values.push_back(TDelVal{R.Root, Key, Name});
    }
    return Plan;
}

TSystemResult DeleteFileIfExists(const std::string& FileName, TUninstallSystem& System)
{
    std::uint32_t Attr = 0;
    const TSystemResult Found = System.Attributes(FileName, Attr);
    if (Found.Outcome != TOutcome::Done)
        return Found;
    // What stands there now is not the file that was installed.
    if (Attr & faDirectory)
        return TSystemResult{TOutcome::Missing, std::string()};
    // A link's attributes may be its target's; only the link goes.
    if (!(Attr & faReparsePoint) && (Attr & (faReadOnly | faHidden | faSysFile | faArchive)))
        System.ClearAttributes(FileName);
    return System.EraseFile(FileName);
}

TUninstallResult TUInstLog::Uninstall(const TUninstallProgress& OnProgress, TUninstallSystem& System)
{
    TUninstallResult Result;
    if (!FFile || FMode != 2)
        return Result;
    const TUninstallPlan Plan = Read();
    const std::size_t Total = Plan.Files.size() + Plan.Dirs.size() + Plan.Values.size() + Plan.Keys.size();
    if (!System.Confirm(Plan.Question))
        return Result;
    Result.Confirmed = true;
    std::size_t Done = 0;
    const auto Step = [&](const std::string& Item) {
        if (OnProgress)
            OnProgress(Item, Total ? static_cast<double>(Done) / static_cast<double>(Total) : 0.0);
        ++Done;
    };
    const auto Check = [&](const std::string& Item, const TSystemResult& R) {
        if (R.Outcome == TOutcome::Failed)
            Result.Stayed.push_back(TLeftOver{Item, R.Reason});
    };
    for (const std::string& F : Plan.Files) {
        Step(F);
        TSystemResult R = NoLinkOnTheWay(F, ParentOf(F), Plan.Dirs, System);
        if (R.Outcome == TOutcome::Done)
            R = DeleteFileIfExists(F, System);
        Check(F, R);
    }
    for (auto D = Plan.Dirs.rbegin(); D != Plan.Dirs.rend(); ++D) {
        Step(*D);
        TSystemResult R = NoLinkOnTheWay(*D, *D, Plan.Dirs, System);
        if (R.Outcome == TOutcome::Done)
            R = System.RemoveDir(*D);
        Check(*D, R);
    }
    for (const TDelVal& V : Plan.Values) {
        const std::string Item = V.Key + "\\" + V.ValueName;
        Step(Item);
        Check(Item, System.DeleteValue(V.Root, V.Key, V.ValueName));
    }
    for (auto K = Plan.Keys.rbegin(); K != Plan.Keys.rend(); ++K) {
        Step(K->Key);
        Check(K->Key, System.DeleteKey(K->Root, K->Key));
    }
    System.Inform(ClosingMessage(Plan.ClosingText, Result.Stayed));
    return Result;
}

std::string ClosingMessage(const std::string& ClosingText, const std::vector<TLeftOver>& Stayed)
{
    if (Stayed.empty())
        return ClosingText;
    std::string Text = ClosingText.empty() ? std::string() : ClosingText + "\n\r\n\r";
    Text += std::to_string(Stayed.size()) + (Stayed.size() == 1 ? " item" : " items") + " could not be removed:";
    for (std::size_t I = 0; I < Stayed.size() && I < MaxListedLeftOvers; ++I)
        Text += "\n\r" + Stayed[I].Item + ": " + Stayed[I].Reason;
    if (Stayed.size() > MaxListedLeftOvers)
        Text += "\n\rand " + std::to_string(Stayed.size() - MaxListedLeftOvers) + " more";
    return Text;
}

std::string LogPathFromCommandLine(const std::string& CommandLine)
{
    const std::string S = StripChars(CharSet("\""), LowerAscii(CommandLine), 0, true);
    const std::size_t P = S.find("#uninstall");
    if (P == std::string::npos || P + 11 > S.size())
        return std::string();
    return S.substr(P + 11, 300);
}

} // namespace castremove
