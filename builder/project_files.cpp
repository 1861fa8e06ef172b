// The project file and the environment file of the project object.
#include "project.h"

#include "data_bag.h"
#include "memory_stream.h"
#include "replace_file.h"
#include "path_and_dir_helpers.h"

#include <exception>

namespace {

const std::string ProjectFilter = "Brindlo Prj|*.bxp";
const std::string ProjectPathKey = "hk_SaveLoad";

// A table record read and checked, kept as bytes so that the project's own table
// is filled only once the whole file proved sound.
struct TTableRecord {
    bool Present = false;
    std::string Bytes;
};

bool ReadTableRecord(CDataBag& Bag, std::int32_t Key, TTableRecord& Record)
{
    TMemoryStream S;
    const TBagResult R = Bag.GetStream(S, Key, true);
    if (R == brNotFound)
        return true;
    if (R != brDone)
        return false;
    THash Check(true);
    try {
        Check.LoadFromStream(S);
    } catch (const std::exception&) {
        return false;
    }
    Record.Present = true;
    Record.Bytes = S.Bytes();
    return true;
}

void FillTable(THash& Table, const TTableRecord& Record)
{
    if (!Record.Present)
        return;
    TMemoryStream S(Record.Bytes);
    Table.LoadFromStream(S);
}

} // namespace

std::string CCastamer::GetEnvFileName() const { return JoinPath(ProgramDir, "bx_env.dat"); }

void CCastamer::FillHeader()
{
    ProjectHeader = TProjectHeader();
    ProjectHeader.SignatureLength = static_cast<std::uint8_t>(ProjectSignature.size());
    for (std::size_t I = 0; I < ProjectHeader.Signature.size(); ++I)
        ProjectHeader.Signature[I] = ProjectSignature[I];
    ProjectHeader.AppCount = static_cast<std::int32_t>(FApps.size());
}

bool CCastamer::LoadProject(const std::string& AFileName)
{
    std::string FileName = AFileName;
    if (FileName.empty()) {
        if (FUI)
            FileName = FUI->OpenFile("", ProjectFilter, DLG_File, ProjectPathKey);
        if (FileName.empty())
            return false;
    }
    if (!FFS->FileExists(FileName)) {
        if (FUI)
            FUI->ShowPathErrors(TPathErrors::NotFound, {FileName});
        return false;
    }

    // Everything is read and checked before the project is touched.
    CDataBag Bag;
    if (Bag.LoadFromFile(FileName, *FFS) != brDone)
        return false;
    std::string HeaderBytes;
    {
        TMemoryStream S;
        if (Bag.GetStream(S, bag_ProjectHeader, true) != brDone)
            return false;
        HeaderBytes = S.Bytes();
    }
    TProjectHeader Header;
    if (!TProjectHeader::Decode(HeaderBytes, Header) || Header.AppCount < 0 || Header.AppCount > Bag.Count())
        return false;
    TTableRecord SettingsRecord, GroupsRecord, OptionsRecord;
    if (!ReadTableRecord(Bag, bag_Settings, SettingsRecord) || !ReadTableRecord(Bag, bag_Groups, GroupsRecord) ||
        !ReadTableRecord(Bag, bag_Options, OptionsRecord))
        return false;
    std::vector<std::unique_ptr<CCst_App>> Loaded;
    for (std::int32_t I = 0; I < Header.AppCount; ++I) {
        TMemoryStream S;
        if (Bag.GetStream(S, bag_AppRecordBase + I, true) != brDone)
            return false;
        std::unique_ptr<CCst_App> App(new CCst_App(*this));
        try {
            App->LoadFromStream(S);
        } catch (const std::exception&) {
            return false;
        }
        Loaded.push_back(std::move(App));
    }

    FillTable(Settings, SettingsRecord);
    FillTable(Groups, GroupsRecord);
    FillTable(ProjectOptions, OptionsRecord);
    ProjectHeader = Header;
    // The file is the whole project: its installations replace the ones held.
    ClearApps();
    FApps = std::move(Loaded);
    ProjectFileName = FileName;
    Modified = false;
    // Earlier projects wrote this value for the same window type.
    const std::int32_t TypeAt = Settings.IndexOfKey("Wnd_Type");
    if (TypeAt != -1 && Settings.GetEntry(TypeAt).Value == "size able")
        Settings.Add("Wnd_Type", "Resizable");
    return true;
}

bool CCastamer::SaveProject(const std::string& AFileName)
{
    std::string FileName = AFileName;
    if (FileName.empty()) {
        if (FUI)
            FileName = FUI->SaveFile(GetProjectDir(), ProjectFilter, "bxp", ProjectPathKey);
        if (FileName.empty())
            return false;
    }

    // The whole file is made in memory first: a table that cannot be written
    // fails the save before the old file is touched.
    CDataBag Bag;
    FillHeader();
    const std::string HeaderBytes = ProjectHeader.Encode();
    Bag.PutBuffer(HeaderBytes.data(), bag_ProjectHeader, static_cast<std::int64_t>(HeaderBytes.size()));
    Bag.PutHash(Settings, bag_Settings);
    Bag.PutHash(Groups, bag_Groups);
    Bag.PutHash(ProjectOptions, bag_Options);
    for (std::size_t I = 0; I < FApps.size(); ++I) {
        TMemoryStream S;
        FApps[I]->SaveToStream(S);
        S.SetPosition(0);
        Bag.PutStream(S, bag_AppRecordBase + static_cast<std::int32_t>(I));
    }
    TMemoryStream File;
    if (Bag.SaveToStream(File, false) != brDone)
        return false;
    WriteFileReplacing(*FFS, FileName, File.Bytes());

    ProjectFileName = FileName;
    Modified = false;
    return true;
}

void CCastamer::LoadEnv()
{
    const std::string FileName = GetEnvFileName();
    if (!FFS->FileExists(FileName))
        return;
    // Both tables or neither: a damaged file leaves the defaults.
    THash Paths(true), Options(true);
    try {
        auto In = FFS->OpenRead(FileName);
        Paths.LoadFromStream(*In);
        Options.LoadFromStream(*In);
    } catch (const std::exception&) {
        return;
    }
    FRememberedPaths.Clear();
    for (const THashPair& P : Paths.Pairs())
        FRememberedPaths.Add(P.Key, P.Value);
    EnvOptions.Clear();
    for (const THashPair& P : Options.Pairs())
        EnvOptions.Add(P.Key, P.Value);
}

void CCastamer::SaveEnv()
{
    TMemoryStream S;
    FRememberedPaths.SaveToStream(S);
    EnvOptions.SaveToStream(S);
    WriteFileReplacing(*FFS, GetEnvFileName(), S.Bytes());
}
