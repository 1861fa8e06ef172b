// The project check: what would make the package wrong or incomplete, each
// message with the help action that leads to the item concerned.
#include "project_check.h"

#include "bmp_image.h"
#include "project.h"
#include "color_scheme.h"
#include "convert.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <exception>

namespace {

std::int32_t CheckLock = 0;

const std::string ClickToDefine = "Click to define";

// The platform code as the pages read it: a value that is no number is the unknown
// platform.
std::int32_t PlatformOf(const CCst_App& App)
{
    std::int32_t V = -1;
    return TryStrToInt(App.Props.Lookup("DID"), V) ? V : -1;
}

struct TListStyle {
    TCheckList TCheckLists::*List;
    TColor BackColor;
    const char* Caption;
    std::int32_t Picture;
};

const TListStyle* StyleOf(std::int32_t Code)
{
    static const TListStyle Styles[] = {
        {&TCheckLists::Critical, PaletteColor3, "Critical", 13},
        {&TCheckLists::Missettings, PaletteColor2, "Missettings", 14},
        {&TCheckLists::Other, PaletteColor1, "Other possible errors", 14},
    };
    if (Code < clCritical || Code > clOther)
        return nullptr;
    return &Styles[Code - clCritical];
}

constexpr TColor Black = 0;

} // namespace

bool CheckAllowed() { return CheckLock <= 0; }

void LockCheck() { ++CheckLock; }

void UnlockCheck() { --CheckLock; }

void AddCheckMessage(TCheckLists& Lists, const std::string& Text, const std::string& LinkText,
                     std::int32_t ActionIndex, std::int32_t Code)
{
    const TListStyle* Style = StyleOf(Code);
    if (!Style)
        return;
    (Lists.*(Style->List)).push_back(CheckMessage{Text, LinkText, ActionIndex, Style->BackColor, Black});
}

void CCastamer::CheckProject(TCheckLists& Lists)
{
    if (FApps.empty()) {
        const std::int32_t A = HelpActions.Add(std::make_unique<CHelpAction_OneApp>(), FNavigator);
        AddCheckMessage(Lists, "Add at least one installation", "Click to add", A, clCritical);
    }
    for (const auto& App : FApps) {
        CheckSourceDir(Lists, *App);
        CheckCabNames(Lists, *App);
    }
    CheckGroupIcons(Lists);
}

void CCastamer::CheckCabNames(TCheckLists& Lists, const CCst_App& App)
{
    if (PlatformOf(App) != 1)
        return;
    // The build fails on them.
    for (const TCabNameFault& Fault : App.CabNameFaults()) {
        auto Action = std::make_unique<CHelpAction_CabFile>();
        Action->App = &App;
        Action->Key = Fault.Key;
        const std::int32_t A = HelpActions.Add(std::move(Action), FNavigator);
        AddCheckMessage(Lists, Fault.Message, ClickToDefine, A, clCritical);
    }
}

void CCastamer::CheckSourceDir(TCheckLists& Lists, const CCst_App& App)
{
    const std::int32_t DID = PlatformOf(App);
    const std::string Dir = App.GetInDir();
    if (!Dir.empty() && FFS->DirectoryExists(Dir)) {
        CheckShortcuts(Lists, App, DID);
        return;
    }
    const bool Report = DID == 2 || (DID == 1 && App.PDFiles.Count() == 0) || (DID == 0 && App.CDFiles.Count() == 0);
    if (!Report)
        return;
    auto Action = std::make_unique<CHelpAction_InDir>();
    Action->App = &App;
    const std::int32_t A = HelpActions.Add(std::move(Action), FNavigator);
    AddCheckMessage(Lists, "Installation Name=" + App.GetAppName() + " define Source Directory", ClickToDefine, A,
                    clCritical);
}

void CCastamer::CheckShortcuts(TCheckLists& Lists, const CCst_App& App, std::int32_t DID)
{
    if (DID != 1 && DID != 2)
        return;
    const std::string Dir = App.GetInDir();
    for (const THashPair& Entry : App.Shortcuts.Pairs()) {
        TArrayOfString Fields;
        SplitString(Entry.Value, "|", 5, Fields);
        const std::string& Target = Fields[2];
        // The build's test: the source directory and then nothing or "\".
        bool Faulty = !IsInsideDir(Dir, Target);
        if (DID == 2 && Fields[1] == "SCut to uninstall")
            Faulty = false;
        if (DID == 1 && Faulty && FFS->FileExists(Target)) {
            for (const THashPair& P : App.PDFiles.Pairs()) {
                TArrayOfString PD;
                SplitString(P.Value, "|", 3, PD);
                if (PD[1] == Target)
                    Faulty = false;
            }
        }
        if (!Faulty)
            continue;
        auto Action = std::make_unique<CHelpAction_SCut>();
        Action->App = &App;
        Action->Key = Entry.Key;
        const std::int32_t A = HelpActions.Add(std::move(Action), FNavigator);
        AddCheckMessage(Lists, "App.Name=" + App.GetAppName() + " SC=" + Fields[0] + " ", ClickToDefine, A,
                        clMissettings);
    }
}

void CCastamer::CheckGroupIcons(TCheckLists& Lists)
{
    // An old or damaged project may hold no size or a per cent: the size test is
    // then skipped, the other tests still run.
    std::int32_t W = 0;
    std::int32_t H = 0;
    const bool HasSize = TryStrToInt(Settings.Lookup("eList_Icon_GWidth"), W) &&
                         TryStrToInt(Settings.Lookup("eList_Icon_GHeight"), H);
    const std::string Size = IntToStr(W) + "x" + IntToStr(H);

    for (const THashPair& Group : Groups.Pairs()) {
        TArrayOfString Fields;
        SplitString(Group.Value, "|", 3, Fields);
        const std::string& Name = Fields[0];
        const std::string& Icon = Fields[1];
        if (Icon.empty())
            continue;
        const std::string Head = "Gruop[" + Name + "].Icon[" + Icon + "]";
        const auto AddAction = [&] {
            auto Action = std::make_unique<CHelpAction_IconFile>();
            Action->GID = Group.Key;
            return HelpActions.Add(std::move(Action), FNavigator);
        };
        if (!FFS->FileExists(Icon)) {
            AddCheckMessage(Lists, Head + " not found", ClickToDefine, AddAction(), clMissettings);
            continue;
        }
        TBmpImage Bitmap;
        bool IsBitmap = true;
        try {
            auto In = FFS->OpenRead(Icon);
            Bitmap.LoadFromStream(*In);
        } catch (const std::exception&) {
            IsBitmap = false;
        }
        if (!IsBitmap) {
            AddCheckMessage(Lists, Head + " is not a bitmap", ClickToDefine, AddAction(), clMissettings);
            continue;
        }
        if (!HasSize)
            continue;
        const std::int32_t A = AddAction();
        if (Bitmap.Width() < W || Bitmap.Height() < H)
            AddCheckMessage(Lists, Head + " is (smaller) << than " + Size, ClickToDefine, A, clCritical);
        else if (Bitmap.Width() > W || Bitmap.Height() > H)
            AddCheckMessage(Lists, Head + " is (larger)  >> than " + Size, ClickToDefine, A, clMissettings);
    }
}

std::vector<TStatusGroup> StatusGroups(const TCheckLists& Lists, const THelpActions& Actions)
{
    std::vector<TStatusGroup> Groups;
    for (std::int32_t Code : {clCritical, clMissettings, clOther}) {
        const TListStyle& Style = *StyleOf(Code);
        const TCheckList& List = Lists.*(Style.List);
        if (List.empty())
            continue;
        TStatusGroup G;
        G.Caption = Style.Caption;
        G.Picture = Style.Picture;
        G.BackColor = PaletteColor4;
        G.TextColor = Black;
        for (const CheckMessage& M : List)
            G.Rows.push_back(TStatusRow{M.Text, M.LinkText, M.BackColor, M.TextColor,
                                        M.ActionIndex >= 0 ? Actions.Get(M.ActionIndex) : nullptr});
        Groups.push_back(std::move(G));
    }
    return Groups;
}

void RefreshStatusPage(CCastamer& Project, IStatusPage& Page, const std::function<void()>& StoreView)
{
    if (!CheckAllowed())
        return;
    Project.HelpActions.Clear();
    TCheckLists Lists;
    Page.BeginRebuild();
    struct TPaintAgain {
        IStatusPage& P;
        ~TPaintAgain() { P.EndRebuild(); }
    } PaintAgain{Page};
    // An error box here would activate the window and run the refresh again, without
    // end: a failure shows what was gathered until then.
    try {
        if (StoreView)
            StoreView();
        Project.CheckProject(Lists);
    } catch (const std::exception&) {
    }
    try {
        for (const TStatusGroup& G : StatusGroups(Lists, Project.HelpActions))
            Page.AddGroup(G);
    } catch (const std::exception&) {
    }
}
