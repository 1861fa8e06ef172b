#include "app_list.h"

#include "plug_loader.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

namespace {

const TCharSet& PathUnsafe()
{
    static const TCharSet Set = CharSet("*/:<>?\\|\"");
    return Set;
}

} // namespace

CAPP::CAPP(CAppList& AOwner, TStream& RecordStream) : Owner(AOwner)
{
    FBinding.Iface.lpVtbl = &Vtbl;
    FBinding.Owner = this;
    for (THash* Table : {&Extra, &Props, &Shortcuts, &PalmGroups, &PocketPC})
        Table->LoadFromStream(RecordStream);
    if (!Props.Lookup("App icon").empty())
        Icon = std::make_unique<TPackageBitmap>(ReadPackageBitmap(RecordStream, true));
    if (!Props.Lookup("ScreenShot").empty()) {
        Screenshot = std::make_unique<TPackageBitmap>(ReadPackageBitmap(RecordStream, true));
        ShotPicture = Owner.Form.MakePicture(*Screenshot);
    }
    // The installation's own reference: a plug-in never frees it.
    FRefCount = 1;
}

CAPP::~CAPP() = default;

std::string CAPP::GetAppName() const { return Props.Lookup("App name"); }
std::string CAPP::GetName() const { return Props.Lookup("App name"); }
std::string CAPP::GetCompName() const { return Props.Lookup("CompName"); }
std::string CAPP::GetGroupID() const { return Props.Lookup("GroupID"); }
std::string CAPP::GetWebLink() const { return Props.Lookup("Web Link"); }
std::string CAPP::GetBDate() const { return Props.Lookup("BDate"); }
std::string CAPP::GetBVersion() const { return Props.Lookup("BVersion"); }
std::string CAPP::GetDescribe() const { return Props.Lookup("Describe"); }
std::string CAPP::GetOutFN() const { return Props.Lookup("OutFN"); }
std::int32_t CAPP::GetFontColor() const { return Props.GetInt("Font color"); }
std::int32_t CAPP::GetDID() const { return Props.GetInt("DID"); }
std::int32_t CAPP::GetSShotLeft() const { return StrToIntDefault(Props.Lookup("SShot Left"), 0); }
std::int32_t CAPP::GetSShotTop() const { return StrToIntDefault(Props.Lookup("SShot Top"), 0); }
std::int32_t CAPP::GetDescTop() const { return StrToIntDefault(Props.Lookup("Desc Top"), -1); }
std::int32_t CAPP::GetDescLeft() const { return StrToIntDefault(Props.Lookup("Desc Left"), -1); }
bool CAPP::GetShowInfo() const { return Props.Lookup("ShowInfo") == "true"; }
bool CAPP::GetAddUinstSC() const { return Props.Lookup("AddUinstSC") == "true"; }
std::string CAPP::GetASDesc() const { return PocketPC.Lookup("PPC_ASDesc"); }
std::string CAPP::GetICabFARM() const { return PocketPC.Lookup("PPC_ICabFARM"); }
std::string CAPP::GetICabFMIPS() const { return PocketPC.Lookup("PPC_ICabFMIPS"); }
std::string CAPP::GetICabFSH() const { return PocketPC.Lookup("PPC_ICabFSH"); }

std::string CAPP::GetDefInstDir() const
{
    const std::string Dir = DefInstDirPath();
    // Whether it could be made is the directory chooser's concern.
    if (Dir.empty())
        return Dir;
    if (FPluginDirs)
        FPluginDirs->Make(Dir);
    else
        Owner.FileSystem->ForceDirectories(Dir);
    return Dir;
}

std::string CAPP::DefInstDirPath() const
{
    const std::string Value = Props.Lookup("DefInstDir");
    if (Value.empty())
        return std::string();
    const auto Folder = [this](TSpecialFolder Kind) { return Owner.Folders ? Owner.Folders(Kind) : std::string(); };
    std::string Dir;
    if (Value == "$(Program Files)") {
        Dir = Folder(TSpecialFolder::ProgramFiles);
    } else if (Value == "$(Win Root)") {
        Dir = Folder(TSpecialFolder::Windows);
    } else if (Value == "$(System Drive)") {
        Dir = ExtractFilePath(Folder(TSpecialFolder::Windows));
    } else if (Value == "$(Program Files)/$(Company)/$(Name)") {
        const std::string Company = StripChars(PathUnsafe(), GetCompName(), 0, true);
        const std::string Name = StripChars(PathUnsafe(), GetAppName(), 0, true);
        Dir = JoinPath(JoinPath(Folder(TSpecialFolder::ProgramFiles), Company), Name);
    } else {
        Dir = Value;
    }
    // "Inc." is made as "Inc": the log must name what exists.
    return CanonicalPath(Dir);
}

std::string CAPP::GetDeviceInstDir() const
{
    const std::string ProgramFiles = Owner.Folders ? Owner.Folders(TSpecialFolder::ProgramFiles) : std::string();
    const std::string Company = InstallDirPart(GetCompName()), Name = InstallDirPart(GetAppName());
    if (!Company.empty())
        return JoinPath(ProgramFiles, JoinPath(Company, Name));
    return JoinPath(ProgramFiles, Name);
}

void CAPP::BuildItems()
{
    CFxListItem* Parent = GroupRow ? GroupRow : Owner.List.Items();
    ItemRow = Parent->AddGroup(GetAppName(), Owner.AddIcon(Icon.get()), [this](CFxListItem* R) { AppClick(R); });
    CFxListItem* Row = ItemRow;
    if (GetShowInfo()) {
        Row->AddAction(GetBDate() + " Ver." + GetBVersion(), 0, [this](CFxListItem* R) { InfoClick(R); })->Data = this;
        Row->AddBar();
    }
    const bool PlainInstall = GetDID() == 0 ? !AddPalmGroupItems() : true;
    const std::string WebLink = GetWebLink();
    if (!WebLink.empty()) {
        Row->AddBar();
        Row->AddAction(TokenBefore(WebLink, ";"), 6, [this](CFxListItem* R) { WebLinkClick(R); })->Data = this;
    }
    if (PlainInstall)
        Row->AddAction("Install", 5, [this](CFxListItem* R) { InstallClick(R); })->Data = this;
    Row->AddBar();
    if (Owner.ShowHomeRows)
        Row->AddAction("Home", 4, [this](CFxListItem* R) { HomeClick(R); });
    if (Owner.ShowExitRows)
        Row->AddAction("Exit", 7, [this](CFxListItem* R) { ExitClick(R); });
}

bool CAPP::AddPalmGroupItems()
{
    if (PalmGroups.Count() == 0)
        return false;
    THash Distinct(true);
    for (const THashPair& P : PalmGroups.Pairs()) {
        TArrayOfString Fields;
        SplitString(P.Value, "|", 2, Fields);
        if (Distinct.IndexOfKey(Fields[0]) == -1)
            Distinct.Add(Fields[0], "");
    }
    for (const THashPair& G : Distinct.Pairs()) {
        CFxListItem* Row = ItemRow->AddAction("Install [" + G.Key + "]", 5, [this](CFxListItem* R) { InstallClick(R); });
        Row->Data = this;
        Row->Key = G.Key;
    }
    return true;
}

void CAPP::AppClick(CFxListItem*)
{
    Owner.Form.HideLicence();
    Owner.SelectApp(this);
}

void CAPP::InfoClick(CFxListItem*)
{
    Owner.Form.HideLicence();
    Owner.SelectApp(this);
}

void CAPP::WebLinkClick(CFxListItem* Row)
{
    Owner.Form.HideLicence();
    Owner.SelectApp(this);
    const auto* App = Row ? dynamic_cast<const CAPP*>(Row->Data) : nullptr;
    std::string Link = (App ? App : this)->GetWebLink();
    const std::string Whole = Link;
    std::string Caption;
    CutToken(Link, ";", true, Caption);
    Owner.Form.OpenWebAddress(Link.empty() ? Whole : Link);
}

void CAPP::HomeClick(CFxListItem*)
{
    Owner.Form.HideLicence();
    if (GroupRow)
        GroupRow->Click();
}

void CAPP::ExitClick(CFxListItem*) { Owner.Form.CloseWindow(); }

void CAPP::NotifyPlugins(std::int32_t Code)
{
    if (Owner.Plugins)
        Owner.Plugins->Broadcast(Code, this);
}
