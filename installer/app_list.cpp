#include "app_list.h"

#include "archive.h"
#include "convert.h"
#include "memory_stream.h"

CAppList::CAppList(CDataBag* ABag, TStream& GroupsStream, CFxListModel& AList, IInstallerView& AForm)
    : List(AList), Form(AForm), Bag(ABag)
{
    if (GroupsStream.Size() > 0) {
        GroupsStream.SetPosition(0);
        Groups.LoadFromStream(GroupsStream);
    }
}

CAppList::~CAppList() = default;

void CAppList::AddApp(std::unique_ptr<CAPP> App)
{
    if (App)
        Apps.push_back(std::move(App));
}

void CAppList::BuildList()
{
    LoadGroups();
    for (const auto& App : Apps) {
        App->GroupRow = FindGroupItem(App->GetGroupID());
        App->BuildItems();
    }
}

void CAppList::LoadGroups()
{
    TMemoryStream Scratch;
    for (std::int32_t I = 0; I < Groups.Count(); ++I) {
        const THashPair Entry = Groups.GetEntry(I);
        std::int32_t N = -1;
        if (Bag && Bag->IndexOfKey(bag_GroupIconBase + I) != -1) {
            Scratch.Clear();
            Bag->GetStream(Scratch, bag_GroupIconBase + I, true);
            const TPackageBitmap Icon = ReadPackageBitmap(Scratch, false);
            N = AddIcon(&Icon);
        }
        Groups.SetEntry(I, THashPair{Entry.Key, IntToStr(N)});
        const auto OnClick = [this](CFxListItem* Row) { GroupClick(Row); };
        if (Entry.Key != "RootGID") {
            CFxListItem* Row = List.Items()->AddGroup(Entry.Value, N, OnClick);
            Row->Key = Entry.Key;
        } else {
            List.Items()->ImageIndex = N;
            List.Items()->OnClick = OnClick;
        }
    }
    List.Changed();
}

std::int32_t CAppList::AddIcon(const TPackageBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->Width < IconWidth || Bitmap->Height < IconHeight)
        return -1;
    return Form.AddListIcon(*Bitmap);
}

CFxListItem* CAppList::FindGroupItem(const std::string& GID)
{
    if (GID.empty())
        return List.Items();
    if (CFxListItem* Found = List.FindItem(GID, ikGroup))
        return Found;
    // A group the package does not carry: one row for all its installations.
    CFxListItem* Row = List.Items()->AddGroup(GID, GroupImageIndex(GID), [this](CFxListItem* R) { GroupClick(R); });
    Row->Key = GID;
    return Row;
}

std::int32_t CAppList::GroupImageIndex(const std::string& GID) const
{
    // The value is our own decimal text after the rows are built; before, a name.
    std::int32_t N = -1;
    const std::int32_t I = Groups.IndexOfKey(GID);
    if (I == -1 || !TryStrToInt(Groups.GetEntry(I).Value, N))
        return -1;
    return N;
}

void CAppList::SelectApp(CAPP* App)
{
    if (App == Selected)
        return;
    // Everything is read first: a value that raises changes nothing.
    struct {
        std::string Text;
        std::int32_t FontColor = 0, Left = 0, Top = 0, Height = 0, ShotLeft = 0, ShotTop = 0;
    } V;
    if (App) {
        const std::int64_t ListWidth = Form.ListWidth();
        const std::int64_t Edge = ListWidth + (Form.ListShowsScrollBar() ? 16 : 0);
        const bool HasShot = App->Screenshot != nullptr;
        const std::int64_t ShotHeight = HasShot ? App->Screenshot->Height : 0;
        const std::int32_t ShotLeft = App->GetSShotLeft(), ShotTop = App->GetSShotTop();
        const std::int32_t DescTop = App->GetDescTop(), DescLeft = App->GetDescLeft();
        const std::int64_t Top = DescTop != -1 ? DescTop : (HasShot ? ShotHeight + ShotTop + 10 : 10);
        const std::int64_t Left = DescLeft != -1 ? Edge + DescLeft : (HasShot ? Edge + ShotLeft : Edge + 10);
        V.Text = App->GetDescribe();
        V.FontColor = App->GetFontColor();
        V.Left = ClampToInt32(Left);
        V.Top = ClampToInt32(Top);
        V.Height = ClampToInt32(std::int64_t{Form.OuterHeight()} - Top - 10);
        V.ShotLeft = ClampToInt32(std::int64_t{ShotLeft} + ListWidth);
        V.ShotTop = ShotTop;
    }
    if (Selected)
        Form.ClearDescription();
    Selected = App;
    if (App) {
        Form.SetSelection(V.Text, App->ShotPicture, V.ShotLeft, V.ShotTop);
        Form.PlaceDescription(V.Text, V.FontColor, V.Left, V.Top, V.Height);
    } else {
        Form.SetSelection(std::string(), nullptr, 0, 0);
    }
    Form.RepaintWindow();
}

void CAppList::GroupClick(CFxListItem* Row)
{
    if (Row && !Row->Key.empty())
        SelectApp(nullptr);
}

void CAppList::GroupHomeClick(CFxListItem* Row)
{
    CFxListItem* Group = Row ? Row->Parent() : nullptr;
    CFxListItem* Root = Group ? Group->Parent() : nullptr;
    if (!Group || !Root)
        return;
    // More than one group row besides the root's own "Exit" row.
    if (Root->Count() > (ShowExitRows ? 1 : 0) + 1)
        Root->Click();
}

void CAppList::ExitClick(CFxListItem*) { Form.CloseWindow(); }

void CAppList::ArchiveProgress(TObject* Archive)
{
    if (const auto* A = dynamic_cast<CArchive_base*>(Archive))
        Form.SetProgress(A->Progress);
}
