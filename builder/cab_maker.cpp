#include "cab_maker.h"

#include "convert.h"
#include "string_helpers.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const DiskSectionNames[4] = {"[SourceDisksNames]", "[SourceDisksNames.ARM]", "[SourceDisksNames.MIPS]",
                                         "[SourceDisksNames.SH3]"};

// One directory written two ways: with or without its final "\", in any case.
bool SameDir(std::string A, std::string B)
{
    while (!A.empty() && A.back() == '\\')
        A.pop_back();
    while (!B.empty() && B.back() == '\\')
        B.pop_back();
    return SameText(A, B);
}

std::string SectionName(std::size_t I) { return "TCF_" + IntToStr(static_cast<std::int64_t>(I)); }

} // namespace

std::string InfQuoted(const std::string& Value)
{
    std::string Q = "\"";
    for (char C : Value) {
        Q += C;
        if (C == '"')
            Q += '"';
    }
    return Q + "\"";
}

std::string InfField(const std::string& Value)
{
    const bool Needs = Value.find_first_of(";,=\"") != std::string::npos ||
                       (!Value.empty() && (Value.front() == ' ' || Value.back() == ' ' || Value.back() == '\\'));
    return Needs ? InfQuoted(Value) : Value;
}

std::string InfLiteral(const std::string& Text)
{
    std::string L;
    for (char C : Text) {
        L += C;
        if (C == '%')
            L += '%';
    }
    return L;
}

std::string InfDeviceDir(const std::string& Dir)
{
    const auto IsKeyChar = [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; };
    std::size_t MacroEnd = 0;
    if (!Dir.empty() && Dir[0] == '%') {
        const std::size_t Close = Dir.find('%', 1);
        if (Close != std::string::npos && Close > 1 &&
            std::all_of(Dir.begin() + 1, Dir.begin() + static_cast<std::ptrdiff_t>(Close), IsKeyChar))
            MacroEnd = Close + 1;
    }
    return Dir.substr(0, MacroEnd) + InfLiteral(Dir.substr(MacroEnd));
}

bool CabListCarries(const std::string& CabName) { return CabName.find_first_of(",\r\n") == std::string::npos; }

std::string CEDirMacro(const std::string& Destination)
{
    if (Destination == "Start Menu")
        return "%CE17%";
    if (Destination == "Win Root")
        return "%CE2%";
    if (Destination == "System Root")
        return "\\";
    // "App Root", and whatever a damaged project names: every file needs a directory.
    return "%InstallDir%";
}

CCabMaker::CCabMaker() { Clear(); }

void CCabMaker::Clear()
{
    AppName.clear();
    CompanyName.clear();
    Description.clear();
    InstallDir.clear();
    Files.Clear();
    ShortcutLines.Clear();
    for (THash& T : SourceDisks)
        T.Clear();
    CopySections.clear();
    FRegisteredBy.clear();
}

std::int32_t CCabMaker::NextDiskId() const
{
    std::int32_t N = 1;
    for (const THash& T : SourceDisks)
        N += T.Count();
    return N;
}

std::int32_t CCabMaker::DiskOf(int Cpu, const std::string& SrcDir)
{
    THash& Table = SourceDisks[Cpu];
    const std::int32_t At = Table.IndexOfKey(SrcDir);
    if (At >= 0)
        return StrToInt(Table.GetEntry(At).Value);
    const std::int32_t Id = NextDiskId();
    Table.Add(SrcDir, IntToStr(Id));
    return Id;
}

std::string CCabMaker::DiskDirFor(int Cpu, const std::string& Id) const
{
    std::int32_t At = SourceDisks[Cpu].IndexOf(Id, hmValues);
    if (At >= 0)
        return SourceDisks[Cpu].GetEntry(At).Key;
    At = SourceDisks[cpuCommon].IndexOf(Id, hmValues);
    return At >= 0 ? SourceDisks[cpuCommon].GetEntry(At).Key : std::string();
}

bool CCabMaker::IdUsedByOtherFile(const std::string& Id, const std::string& Key) const
{
    for (const THashPair& P : Files.Pairs())
        if (P.Value == Id && P.Key != Key)
            return true;
    return false;
}

void CCabMaker::AddFile(int Cpu, const std::string& SrcDir, const std::string& FileName, const std::string& DestDir)
{
    if (Cpu < cpuCommon || Cpu > cpuSH3)
        return;
    const std::string Key = FileName + "|" + DestDir;
    const unsigned Bit = 1u << Cpu;
    const std::int32_t At = Files.IndexOfKey(Key);
    if (At < 0) {
        Files.Add(Key, IntToStr(DiskOf(Cpu, SrcDir)));
        FRegisteredBy[Key] = Bit;
        AddToCopySection(DestDir, FileName);
        return;
    }
    unsigned& By = FRegisteredBy[Key];
    if (By & Bit)
        return;
    By |= Bit;

    // The one [SourceDisksFiles] line serves every processor; each processor's
    // [SourceDisksNames] section says where its copy of the file lies.
    const std::string Id = Files.GetEntry(At).Value;
    if (SameDir(DiskDirFor(Cpu, Id), SrcDir))
        return;
    THash& Table = SourceDisks[Cpu];
    if (Table.IndexOf(Id, hmValues) < 0 && !IdUsedByOtherFile(Id, Key)) {
        Table.Add(SrcDir, Id);
        return;
    }
    // The disk holds other files too, which must keep finding theirs: this file
    // alone moves to a new disk, which every table maps where the old one led,
    // except this processor's, which maps it to SrcDir.
    const std::string Moved = IntToStr(NextDiskId());
    for (THash& T : SourceDisks) {
        const std::vector<THashPair> Pairs = T.Pairs();
        for (const THashPair& P : Pairs)
            if (P.Value == Id)
                T.Add(P.Key, Moved);
    }
    const std::int32_t Own = Table.IndexOf(Moved, hmValues);
    if (Own >= 0)
        Table.SetEntry(Own, THashPair{SrcDir, Moved});
    else
        Table.Add(SrcDir, Moved);
    Files.Add(Key, Moved);
}

void CCabMaker::AddToCopySection(const std::string& DestDir, const std::string& FileName)
{
    for (TArrayOfString& Section : CopySections) {
        if (Section[0] != DestDir)
            continue;
        for (std::size_t I = 1; I < Section.size(); ++I)
            if (SameText(Section[I], FileName))
                return;
        Section.push_back(FileName);
        return;
    }
    CopySections.push_back({DestDir, FileName});
}

void CCabMaker::AddShortcut(const std::string& Target, const std::string& Name, const std::string& DirMacro)
{
    ShortcutLines.Add("", InfQuoted(InfLiteral(Name + ".lnk")) + ",0," + InfQuoted(InfLiteral(Target)) + "," +
                              InfField(InfDeviceDir(DirMacro)));
}

void CCabMaker::WriteInf(TArrayOfString& Lines) const
{
    const bool HasSections = !CopySections.empty();
    const bool HasShortcuts = ShortcutLines.Count() > 0;
    const auto Add = [&Lines](const std::string& L) { Lines.push_back(L); };

    Add("[Version]");
    Add("Signature = " + InfQuoted("$Windows NT$"));
    Add("Provider = " + InfQuoted(InfLiteral(CompanyName)));
    Add("CESignature = " + InfQuoted("$Windows CE$"));
    Add("");
    Add("[CEStrings]");
    Add("AppName=" + InfQuoted(InfLiteral(AppName)));
    Add("CompanyName=" + InfQuoted(InfLiteral(CompanyName)));
    Add("InstallDir=" + InfQuoted(InfDeviceDir(InstallDir)));
    Add("");
    for (int Cpu = cpuCommon; Cpu <= cpuSH3; ++Cpu) {
        if (SourceDisks[Cpu].Count() == 0)
            continue;
        Add("");
        Add(DiskSectionNames[Cpu]);
        for (const THashPair& P : SourceDisks[Cpu].Pairs())
            Add(P.Value + " = ,,," + InfField(InfLiteral(P.Key)));
    }
    Add("");
    if (HasSections || HasShortcuts) {
        Add("[DefaultInstall]");
        if (HasSections) {
            TArrayOfString Names;
            for (std::size_t I = 0; I < CopySections.size(); ++I)
                Names.push_back(SectionName(I));
            Add("CopyFiles = " + JoinStrings(Names, ","));
        }
        if (HasShortcuts)
            Add("CEShortcuts = SCUTS");
    }
    Add("");
    Add("[SourceDisksFiles]");
    for (const THashPair& P : Files.Pairs())
        Add(InfField(InfLiteral(TokenBefore(P.Key, "|"))) + "=" + P.Value);
    Add("");
    if (HasSections || HasShortcuts) {
        Add("[DestinationDirs]");
        for (std::size_t I = 0; I < CopySections.size(); ++I)
            Add(SectionName(I) + " = 0," + InfField(InfDeviceDir(CopySections[I][0])));
        if (HasShortcuts)
            Add("SCUTS = 0,%InstallDir%");
    }
    Add("");
    for (std::size_t I = 0; I < CopySections.size(); ++I) {
        if (I > 0)
            Add("");
        Add("[" + SectionName(I) + "]");
        for (std::size_t F = 1; F < CopySections[I].size(); ++F)
            Add(InfQuoted(InfLiteral(CopySections[I][F])) + ",,,0x00000001");
    }
    if (HasShortcuts) {
        Add("");
        Add("[SCUTS]");
        for (const THashPair& P : ShortcutLines.Pairs())
            Add(P.Value);
    }
}

void CCabMaker::SaveInf(const std::string& FileName, TFileSystem& FS) const
{
    TArrayOfString Lines;
    WriteInf(Lines);
    std::string Text;
    for (const std::string& L : Lines)
        Text += L + "\r\n";
    auto Out = FS.Create(FileName);
    Out->WriteString(Text);
}
