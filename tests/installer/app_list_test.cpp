// The installation model: records, group rows and icons, each installation's rows,
// selection, row clicks, directories and the interface plug-ins see.
#include "installer_fakes.h"

#include "memory_file_system.h"
#include "plug_loader.h"

#include <cstring>

namespace {

TPairs PcProps(const std::string& Name, const std::string& Group = "g1")
{
    return {{"App name", Name}, {"GroupID", Group}, {"DID", "2"}, {"OutFN", Name + ".ime"}};
}

} // namespace

TEST(AppList, RowsOfAPcInstallationInTheirOrder)
{
    TModelRig R(TPairs{{"g1", "Tools"}});
    R.Apps->ShowHomeRows = true;
    R.Apps->ShowExitRows = true;
    TPairs P = PcProps("Editor");
    P.push_back({"ShowInfo", "true"});
    P.push_back({"BDate", "01.02.2024"});
    P.push_back({"BVersion", "1.2"});
    P.push_back({"Web Link", "Home page;http://example.invalid/"});
    R.Add(AppRecord(P));
    R.Apps->BuildList();
    CFxListItem* Group = R.List.Items()->Child(0);
    ASSERT_EQ(ChildCaptions(R.List.Items()), std::vector<std::string>{"Tools"});
    ASSERT_EQ(ChildCaptions(Group), std::vector<std::string>{"Editor"});
    CFxListItem* Item = Group->Child(0);
    EXPECT_EQ(ChildCaptions(Item), (std::vector<std::string>{"01.02.2024 Ver.1.2", "-", "-", "Home page", "Install",
                                                              "-", "Home", "Exit"}));
    const int Images[] = {0, -1, -1, 6, 5, -1, 4, 7};
    for (int I = 0; I < 8; ++I)
        EXPECT_EQ(Item->Child(I)->ImageIndex, Images[I]) << I;
    EXPECT_EQ(Item->Child(0)->Kind, ikAction);
    EXPECT_EQ(Item->Child(1)->Kind, ikBar);
    EXPECT_EQ(Item->Child(4)->Data, R.Apps->Apps[0].get());
    EXPECT_EQ(Item->Child(4)->Key, "");
    EXPECT_EQ(Item->Kind, ikGroup);
    EXPECT_EQ(R.Apps->Apps[0]->ItemRow, Item);
    EXPECT_EQ(R.Apps->Apps[0]->GroupRow, Group);
}

TEST(AppList, InstallRowsByPlatform)
{
    TModelRig R;
    CAPP* Palm = R.Add(AppRecord({{"App name", "Palm"}, {"DID", "0"}},
                                 {{"c1", "colors 256|colors 256\\a.prc"}, {"c2", "colors 16|colors 16\\a.prc"},
                                  {"c3", "colors 256|colors 256\\b.prc"}}));
    CAPP* PalmPlain = R.Add(AppRecord({{"App name", "Palm plain"}, {"DID", "0"}}));
    CAPP* NoDid = R.Add(AppRecord({{"App name", "No platform"}}));
    CAPP* Info = R.Add(AppRecord({{"App name", "Info"}, {"ShowInfo", "True"}, {"DID", "-1"}}));
    R.Apps->BuildList();
    EXPECT_EQ(ChildCaptions(Palm->ItemRow),
              (std::vector<std::string>{"Install [colors 256]", "Install [colors 16]", "-"}));
    EXPECT_EQ(Palm->ItemRow->Child(0)->Key, "colors 256");
    EXPECT_EQ(Palm->ItemRow->Child(1)->Key, "colors 16");
    EXPECT_EQ(Palm->ItemRow->Child(1)->ImageIndex, 5);
    EXPECT_EQ(ChildCaptions(PalmPlain->ItemRow), (std::vector<std::string>{"Install", "-"}));
    EXPECT_EQ(ChildCaptions(NoDid->ItemRow), (std::vector<std::string>{"Install", "-"}));
    EXPECT_EQ(ChildCaptions(Info->ItemRow), (std::vector<std::string>{"Install", "-"})); // "True" is not "true"
    // No group named: under the root.
    EXPECT_EQ(Palm->GroupRow, R.List.Items());
}

TEST(AppList, GroupsIconsAndTheirIndexes)
{
    TModelRig R(TPairs{{"g1", "Tools"}, {"g2", "Small"}, {"g3", "None"}, {"RootGID", "All"}});
    const std::string Big = BmpFile(40, 25), Small = BmpFile(16, 16), Root = BmpFile(30, 20);
    R.Bag.PutBuffer(Big.data(), 10000, static_cast<std::int64_t>(Big.size()));
    R.Bag.PutBuffer(Small.data(), 10001, static_cast<std::int64_t>(Small.size()));
    R.Bag.PutBuffer(Root.data(), 10003, static_cast<std::int64_t>(Root.size()));
    R.Add(AppRecord(PcProps("A", "RootGID")));
    R.Add(AppRecord(PcProps("B", "")));
    R.Add(AppRecord(PcProps("C", "lost")));
    R.Add(AppRecord(PcProps("D", "lost")));
    R.Add(AppRecord(PcProps("E", "g1")));
    R.Apps->BuildList();
    CFxListItem* Root0 = R.List.Items();
    EXPECT_EQ(ChildCaptions(Root0), (std::vector<std::string>{"Tools", "Small", "None", "A", "B", "lost"}));
    EXPECT_EQ(R.View.Calls[0], "icon 40x25");
    EXPECT_EQ(R.View.Calls[1], "icon 30x20");
    EXPECT_EQ(R.Apps->Groups.Lookup("g1"), "0");
    EXPECT_EQ(R.Apps->Groups.Lookup("g2"), "-1"); // smaller than the icon size
    EXPECT_EQ(R.Apps->Groups.Lookup("g3"), "-1"); // no icon record
    EXPECT_EQ(R.Apps->Groups.Lookup("RootGID"), "1");
    EXPECT_EQ(Root0->Child(0)->ImageIndex, 0);
    EXPECT_EQ(Root0->Child(1)->ImageIndex, -1);
    EXPECT_EQ(Root0->ImageIndex, 1);
    EXPECT_TRUE(Root0->OnClick != nullptr);
    EXPECT_EQ(Root0->Child(0)->Key, "g1");
    // Both installations of the unknown group share one row named by its identifier.
    CFxListItem* Lost = Root0->Child(5);
    EXPECT_EQ(Lost->Key, "lost");
    EXPECT_EQ(ChildCaptions(Lost), (std::vector<std::string>{"C", "D"}));
    EXPECT_EQ(ChildCaptions(Root0->Child(0)), std::vector<std::string>{"E"});
}

TEST(AppList, DamagedRecordsRaise)
{
    TModelRig R;
    const std::string Good = AppRecord({{"App name", "x"}, {"App icon", "i.bmp"}}, {}, {}, BmpFile(30, 20));
    EXPECT_NO_THROW(R.Add(Good));
    // An icon announced but missing, a bitmap that claims more than there is, a cut table.
    EXPECT_THROW(R.Add(AppRecord({{"App name", "x"}, {"App icon", "i.bmp"}})), EInvalidGraphic);
    std::string Lying = Good;
    Lying[Lying.size() - BmpFile(30, 20).size() + 2] = '\x7F';
    EXPECT_THROW(R.Add(Lying), EInvalidGraphic);
    EXPECT_THROW(R.Add(Good.substr(0, 7)), EReadError);
    EXPECT_THROW(R.Add(""), EReadError);
}

TEST(AppList, SelectionPlacesDescriptionAndScreenshot)
{
    TModelRig R;
    CAPP* Plain = R.Add(AppRecord({{"App name", "Plain"}, {"Describe", "plain text"}, {"Font color", "255"}}));
    CAPP* Shot = R.Add(AppRecord({{"App name", "Shot"}, {"Describe", "with shot"}, {"ScreenShot", "s.bmp"},
                                  {"SShot Left", "5"}, {"SShot Top", "7"}},
                                 {}, {}, "", BmpFile(50, 40)));
    CAPP* Placed = R.Add(AppRecord({{"App name", "Placed"}, {"Describe", "d"}, {"Desc Top", "33"},
                                    {"Desc Left", "12"}, {"SShot Left", ""}, {"Font color", "-1"}}));
    R.Apps->SelectApp(Plain);
    EXPECT_EQ(R.View.Calls, (std::vector<std::string>{"desc plain text 255 at 174,10 h 410", "repaint"}));
    EXPECT_EQ(R.View.DescText, "plain text");
    EXPECT_EQ(R.View.Shot, nullptr);
    EXPECT_EQ(R.View.ShotLeft, 164);
    R.View.Calls.clear();
    R.Apps->SelectApp(Plain); // again: nothing at all
    EXPECT_TRUE(R.View.Calls.empty());

    R.View.ScrollBar = true;
    R.Apps->SelectApp(Shot);
    // Under the screenshot, aligned with its left edge, 10 below it; the edge is 164 + 16.
    EXPECT_EQ(R.View.Calls, (std::vector<std::string>{"clear", "desc with shot -1 at 185,57 h 363", "repaint"}));
    EXPECT_EQ(R.View.Shot, Shot->ShotPicture);
    EXPECT_NE(R.View.Shot, nullptr);
    EXPECT_EQ(R.View.ShotLeft, 169);
    EXPECT_EQ(R.View.ShotTop, 7);
    R.View.Calls.clear();
    R.Apps->SelectApp(Placed);
    EXPECT_EQ(R.View.Calls, (std::vector<std::string>{"clear", "desc d -1 at 192,33 h 387", "repaint"}));
    R.View.Calls.clear();
    R.Apps->SelectApp(nullptr);
    EXPECT_EQ(R.View.Calls, (std::vector<std::string>{"clear", "repaint"}));
    EXPECT_EQ(R.View.DescText, "");
    EXPECT_EQ(R.View.Shot, nullptr);
    EXPECT_EQ(R.Apps->Selected, nullptr);
}

TEST(AppList, FontColorThatIsNoNumberRaisesAndSelectsNothing)
{
    TModelRig R;
    CAPP* Bad = R.Add(AppRecord({{"App name", "Bad"}, {"Font color", "red"}}));
    EXPECT_THROW(R.Apps->SelectApp(Bad), EConvertError);
    EXPECT_EQ(R.Apps->Selected, nullptr);
    EXPECT_TRUE(R.View.Calls.empty());
}

TEST(AppList, RowClicks)
{
    TModelRig R(TPairs{{"g1", "Tools"}, {"g2", "Games"}});
    R.Apps->ShowHomeRows = true;
    CAPP* A = R.Add(AppRecord({{"App name", "A"}, {"GroupID", "g1"}, {"Web Link", "Site;http://a.invalid/"}}));
    CAPP* B = R.Add(AppRecord({{"App name", "B"}, {"GroupID", "g2"}, {"Web Link", "http://b.invalid/"}}));
    CAPP* C = R.Add(AppRecord({{"App name", "C"}, {"GroupID", "g2"}, {"Web Link", "c.invalid;"}}));
    R.Apps->BuildList();
    A->ItemRow->Parent()->Click();
    A->ItemRow->Click();
    EXPECT_EQ(R.Apps->Selected, A);
    EXPECT_EQ(R.View.Calls[0], "hide licence");
    R.View.Calls.clear();
    A->ItemRow->Child(1)->Click(); // the web link
    B->ItemRow->Child(1)->Click();
    C->ItemRow->Child(1)->Click();
    std::vector<std::string> Opened;
    for (const std::string& Call : R.View.Calls)
        if (Call.rfind("open ", 0) == 0)
            Opened.push_back(Call);
    EXPECT_EQ(Opened, (std::vector<std::string>{"open http://a.invalid/", "open http://b.invalid/", "open c.invalid;"}));
    EXPECT_EQ(B->ItemRow->Child(1)->Caption, "http://b.invalid/");
    EXPECT_EQ(C->ItemRow->Child(1)->Caption, "c.invalid");
    EXPECT_EQ(R.Apps->Selected, C);

    // "Home" under an installation closes it in its group row and clears the selection.
    CFxListItem* Group = A->GroupRow;
    R.List.Items()->Click();
    Group->Click();
    A->ItemRow->Click();
    EXPECT_EQ(Group->OpenIndex, 0);
    A->ItemRow->Child(A->ItemRow->Count() - 1)->Click();
    EXPECT_EQ(Group->OpenIndex, -1);
    EXPECT_EQ(R.Apps->Selected, nullptr);

    // "Exit" rows close the window.
    R.Apps->ExitClick(nullptr);
    EXPECT_EQ(R.View.Calls.back(), "close");
}

TEST(AppList, GroupHomeClosesTheGroupOnlyWhenThereAreOthers)
{
    for (int Groups : {1, 2}) {
        TPairs G = {{"g1", "Tools"}};
        if (Groups == 2)
            G.push_back({"g2", "Games"});
        TModelRig R(G);
        R.Apps->ShowExitRows = true;
        R.Apps->BuildList();
        CFxListItem* Root = R.List.Items();
        Root->AddAction("Exit", 7, nullptr);
        CFxListItem* Home = Root->Child(0)->AddAction("Home", 4, [&R](CFxListItem* Row) { R.Apps->GroupHomeClick(Row); });
        Root->Child(0)->Click();
        ASSERT_EQ(Root->OpenIndex, 0);
        Home->Click();
        EXPECT_EQ(Root->OpenIndex, Groups == 1 ? 0 : -1) << Groups;
    }
}

TEST(AppList, DefaultDirectoriesAreResolvedAndMade)
{
    TMemoryFileSystem FS;
    TModelRig R;
    R.Apps->FileSystem = &FS;
    R.Apps->Folders = [](TSpecialFolder K) {
        return K == TSpecialFolder::ProgramFiles ? std::string("C:\\Program Files")
                                                 : K == TSpecialFolder::Windows ? std::string("C:\\windows") : "";
    };
    const struct {
        const char* Value;
        const char* Company;
        const char* Name;
        const char* Dir;
    } Cases[] = {
        {"$(Program Files)", "Co", "App", "C:\\Program Files"},
        {"$(Win Root)", "Co", "App", "C:\\windows"},
        {"$(System Drive)", "Co", "App", "C:\\"},
        {"$(Program Files)/$(Company)/$(Name)", "Big: Co", "App?", "C:\\Program Files\\Big Co\\App"},
        {"$(Program Files)/$(Company)/$(Name)", "", "App", "C:\\Program Files\\App"},
        {"$(program files)", "Co", "App", "$(program files)"},
        {"D:\\Games\\Mine", "Co", "App", "D:\\Games\\Mine"},
        {"", "Co", "App", ""},
    };
    for (const auto& C : Cases) {
        CAPP* A = R.Add(AppRecord({{"App name", C.Name}, {"CompName", C.Company}, {"DefInstDir", C.Value}}));
        EXPECT_EQ(A->GetDefInstDir(), C.Dir) << C.Value;
        if (*C.Dir && C.Dir[std::strlen(C.Dir) - 1] != '\\' && std::strchr(C.Dir, ':')) {
            EXPECT_TRUE(FS.DirectoryExists(C.Dir)) << C.Dir;
        }
    }
    CAPP* Device = R.Add(AppRecord({{"App name", "App?"}, {"CompName", "Co:"}}));
    EXPECT_EQ(Device->GetDeviceInstDir(), "C:\\Program Files\\Co\\App");
    CAPP* NoCompany = R.Add(AppRecord({{"App name", "Dev"}}));
    EXPECT_EQ(NoCompany->GetDeviceInstDir(), "C:\\Program Files\\Dev");
    EXPECT_FALSE(FS.DirectoryExists("C:\\Program Files\\Dev"));
}

TEST(AppList, AccessorsWithTheirDefaults)
{
    TModelRig R;
    CAPP* A = R.Add(AppRecord({{"App name", "A"}, {"Desc Top", "x"}, {"SShot Left", ""}, {"ShowInfo", "true"}}));
    EXPECT_EQ(A->GetDescTop(), -1);
    EXPECT_EQ(A->GetDescLeft(), -1);
    EXPECT_EQ(A->GetSShotLeft(), 0);
    EXPECT_EQ(A->GetSShotTop(), 0);
    EXPECT_EQ(A->GetFontColor(), -1);
    EXPECT_EQ(A->GetDID(), -1);
    EXPECT_TRUE(A->GetShowInfo());
    EXPECT_FALSE(A->GetAddUinstSC());
    EXPECT_EQ(A->GetInstallDir(), "");
    EXPECT_EQ(A->RefCount(), 1u);
}

TEST(AppList, InterfaceAnswersEveryAccessorInItsSlot)
{
    TMemoryFileSystem FS;
    TModelRig R;
    R.Apps->FileSystem = &FS;
    R.Apps->Folders = [](TSpecialFolder) { return std::string("C:\\PF"); };
    CAPP* A = R.Add(AppRecord({{"App name", "Editor"}, {"GroupID", "g1"}, {"Web Link", "w;http://x/"},
                               {"BDate", "d"}, {"BVersion", "v"}, {"Describe", "text"}, {"Font color", "255"},
                               {"SShot Left", "4"}, {"SShot Top", "5"}, {"Desc Top", "6"}, {"Desc Left", "7"},
                               {"DefInstDir", "C:\\Target"}, {"OutFN", "e.ime"}, {"ShowInfo", "true"},
                               {"CompName", "Co"}, {"AddUinstSC", "true"}, {"DID", "2"}},
                              {}, {{"PPC_ASDesc", "as"}, {"PPC_ICabFARM", "arm"}, {"PPC_ICabFMIPS", "mips"},
                                   {"PPC_ICabFSH", "sh"}}));
    A->InstallDir = "C:\\Chosen";
    IInstallApp* I = A->Interface();
    const IInstallAppVtbl& V = *I->lpVtbl;
    EXPECT_STREQ(V.GetAppName(I), "Editor");
    EXPECT_STREQ(V.GetGroupID(I), "g1");
    EXPECT_STREQ(V.GetWebLink(I), "w;http://x/");
    EXPECT_STREQ(V.GetBDate(I), "d");
    EXPECT_STREQ(V.GetBVersion(I), "v");
    EXPECT_STREQ(V.GetDescribe(I), "text");
    EXPECT_EQ(V.GetFontColor(I), 255);
    EXPECT_EQ(V.GetSShotLeft(I), 4);
    EXPECT_EQ(V.GetSShotTop(I), 5);
    EXPECT_EQ(V.GetDescTop(I), 6);
    EXPECT_EQ(V.GetDescLeft(I), 7);
    EXPECT_STREQ(V.GetDefInstDir(I), "C:\\Target");
    EXPECT_TRUE(FS.DirectoryExists("C:\\Target"));
    EXPECT_STREQ(V.GetOutFN(I), "e.ime");
    EXPECT_EQ(V.GetShowInfo(I), 1);
    EXPECT_STREQ(V.GetName(I), "Editor");
    EXPECT_STREQ(V.GetCompName(I), "Co");
    EXPECT_EQ(V.GetAddUinstSC(I), 1);
    EXPECT_EQ(V.GetDID(I), 2);
    EXPECT_STREQ(V.GetASDesc(I), "as");
    EXPECT_STREQ(V.GetICabFARM(I), "arm");
    EXPECT_STREQ(V.GetICabFMIPS(I), "mips");
    EXPECT_STREQ(V.GetICabFSH(I), "sh");
    EXPECT_STREQ(V.GetDeviceInstDir(I), "C:\\PF\\Co\\Editor");
    EXPECT_STREQ(V.GetInstallDir(I), "C:\\Chosen");
    A->ReleaseReturnedStrings();

    // Values that are no integer answer -1 instead of raising into the plug-in.
    CAPP* Bad = R.Add(AppRecord({{"Font color", "red"}, {"DID", "pc"}, {"ShowInfo", "yes"}}));
    IInstallApp* B = Bad->Interface();
    EXPECT_EQ(B->lpVtbl->GetFontColor(B), -1);
    EXPECT_EQ(B->lpVtbl->GetDID(B), -1);
    EXPECT_EQ(B->lpVtbl->GetShowInfo(B), 0);
    EXPECT_STREQ(B->lpVtbl->GetDefInstDir(B), "");
}

TEST(AppList, InterfaceReferencesNeverFreeTheInstallation)
{
    TModelRig R;
    CAPP* A = R.Add(AppRecord({{"App name", "A"}}));
    IInstallApp* I = A->Interface();
    EXPECT_EQ(I->lpVtbl->AddRef(I), 2u);
    EXPECT_EQ(I->lpVtbl->Release(I), 1u);
    EXPECT_EQ(I->lpVtbl->Release(I), 1u);
    EXPECT_EQ(I->lpVtbl->Release(I), 1u);
    EXPECT_EQ(A->RefCount(), 1u);
    const BrindloGuid Unknown = BRINDLO_IID_IUNKNOWN_INIT;
    const BrindloGuid Other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    void* Object = reinterpret_cast<void*>(1);
    EXPECT_EQ(I->lpVtbl->QueryInterface(I, &Other, &Object), static_cast<BrindloResult>(0x80004002u));
    EXPECT_EQ(Object, nullptr);
    EXPECT_EQ(I->lpVtbl->QueryInterface(I, &Unknown, &Object), 0);
    EXPECT_EQ(Object, I);
    EXPECT_EQ(A->RefCount(), 2u);
    EXPECT_EQ(I->lpVtbl->QueryInterface(I, &Unknown, nullptr), static_cast<BrindloResult>(0x80004002u));
}

namespace {

std::vector<std::string> PlugLog;

void BRINDLO_CALL FirstPlug(int32_t Event, IInstallApp* App)
{
    PlugLog.push_back("first " + std::to_string(Event) + (App ? std::string(" ") + App->lpVtbl->GetAppName(App) : ""));
    if (App)
        PlugLog.push_back("refs " + std::to_string(App->lpVtbl->AddRef(App) - 1));
    if (App)
        App->lpVtbl->Release(App);
}

void BRINDLO_CALL SecondPlug(int32_t Event, IInstallApp* App)
{
    PlugLog.push_back("second " + std::to_string(Event) + (App ? std::string(" ") + App->lpVtbl->GetName(App) : ""));
}

} // namespace

TEST(PlugLoader, BroadcastReachesEveryPlugInInLoadOrder)
{
    PlugLog.clear();
    TMemoryFileSystem FS;
    CPlugLoader Loader(FS);
    Loader.LoadAll("C:\\none"); // no directory: nothing, no message
    EXPECT_TRUE(Loader.Plugins().empty());
    Loader.AddPlug("C:\\p\\a.dll", nullptr, FirstPlug);
    Loader.AddPlug("C:\\p\\b.dll", nullptr, SecondPlug);
    TModelRig R;
    CAPP* A = R.Add(AppRecord({{"App name", "Editor"}}));
    R.Apps->Plugins = &Loader;
    A->NotifyPlugins(PLG_AppInstalled);
    // The host holds a reference while the entries run.
    EXPECT_EQ(PlugLog, (std::vector<std::string>{"first 1003 Editor", "refs 2", "second 1003 Editor"}));
    EXPECT_EQ(A->RefCount(), 1u);
    Loader.Broadcast(PLG_Loaded, nullptr);
    EXPECT_EQ(PlugLog.back(), "second 1002");
}

TEST(PlugLoader, UnloadingTellsEveryPlugInBeforeTheTableEmpties)
{
    PlugLog.clear();
    TMemoryFileSystem FS;
    CPlugLoader Loader(FS);
    // Made with an empty table: its unloading told no one.
    EXPECT_TRUE(PlugLog.empty());
    Loader.AddPlug("C:\\p\\a.dll", nullptr, FirstPlug);
    Loader.AddPlug("C:\\p\\b.dll", nullptr, SecondPlug);
    Loader.UnloadAll();
    EXPECT_EQ(PlugLog, (std::vector<std::string>{"first 1001", "second 1001"}));
    EXPECT_TRUE(Loader.Plugins().empty());
    Loader.Broadcast(PLG_Loaded, nullptr);
    EXPECT_EQ(PlugLog.size(), 2u);
}
