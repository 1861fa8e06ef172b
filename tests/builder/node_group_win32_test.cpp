// The root and group nodes on real property pages: groups added, renamed through the
// tree and through the "Name" row, hidden, deleted with their installations; the root
// refuses deletion; the order of the groups after a deletion and after a reopen.
#include "node_pages_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(NodePagesTest, TheRootAloneWithItsButtonsAndNoDeletion)
{
    EXPECT_EQ(Form->FakeTree().TopItems(), (std::vector<TTreeItem>{Root->TreeNode}));
    EXPECT_EQ(Root->TreeNode->Text, "Installations");
    EXPECT_EQ(Root->TreeNode->Image, 15);
    EXPECT_EQ(Root->TreeNode->Node, Root);
    EXPECT_TRUE(Root->IsRoot);
    EXPECT_EQ(Root->GID, "RootGID");
    EXPECT_EQ(Form->CurrentNode(), Root);
    EXPECT_EQ(Form->CurrentPage(), ViewPage);
    EXPECT_EQ(Form->Buttons, (std::vector<bool>{true, true, false}));
    EXPECT_TRUE(ItemPage->Root()->Children.empty());

    for (std::uint8_t Code : {NodeDeleteGroup, NodeDeleteApp, NodeDeleteSelected, std::uint8_t{7}, std::uint8_t{255}})
        Root->DoAction(Code);
    EXPECT_EQ(NodeList.Count(), 1u);
    EXPECT_TRUE(Form->FakeTree().Alive(Root->TreeNode));
    EXPECT_EQ(Project->Groups.Count(), 0);
    EXPECT_FALSE(Project->Modified);
    EXPECT_EQ(Form->PlatformQuestions, 0);
}

TEST_F(NodePagesTest, AGroupIsAddedUnderTheRootWhateverIsSelected)
{
    LoadGroups({{"g1", "Games|g.bmp|true"}});
    Select(Groups[0]);
    EXPECT_EQ(Form->Buttons, (std::vector<bool>{true, true, true}));
    Groups[0]->DoAction(NodeAddGroup);
    Root->DoAction(NodeInsert);
    EXPECT_EQ(RootChildren(), (Strings{"Games", "New Group", "New Group"}));
    EXPECT_TRUE(Form->FakeTree().ChildTexts(Groups[0]->TreeNode).empty());
    ASSERT_EQ(Project->Groups.Count(), 3);
    EXPECT_EQ(Project->Groups.GetEntry(0).Value, "Games|g.bmp|true");
    for (int I = 1; I < 3; ++I) {
        const THashPair Entry = Project->Groups.GetEntry(I);
        EXPECT_EQ(Entry.Value, "New Group||true");
        // The service clock and a random number, unlike any other key.
        EXPECT_EQ(Entry.Key.rfind(TimeNow + "_", 0), 0u) << Entry.Key;
    }
    EXPECT_NE(Project->Groups.GetEntry(1).Key, Project->Groups.GetEntry(2).Key);
    EXPECT_TRUE(Project->Modified);
    EXPECT_TRUE(Groups[0]->TreeNode->Expanded);
    EXPECT_TRUE(Root->TreeNode->Expanded);

    // The newest group is selected, its page shown with its three rows.
    auto* Added = static_cast<CNode_Group*>(Form->Tree().Selected()->Node);
    EXPECT_EQ(Added->GID, Project->Groups.GetEntry(2).Key);
    EXPECT_EQ(Form->CurrentNode(), Added);
    EXPECT_EQ(Form->CurrentPage(), ItemPage);
    EXPECT_EQ(ItemPage->PageCaption(), "Group parameters:");
    struct RowCase {
        std::string Caption, Key, Value;
        int Image;
    };
    const RowCase Rows[] = {{"Name", Added->GID + "_GN", "New Group", 8},
                            {"Icon", Added->GID, "", 11},
                            {"Enabled", "E_" + Added->GID, "true", 18}};
    ASSERT_EQ(ItemPage->Root()->Children.size(), 3u);
    for (std::size_t I = 0; I < 3; ++I) {
        const CFxProp_b& R = *ItemPage->Root()->Children[I];
        EXPECT_EQ(R.Caption, Rows[I].Caption);
        EXPECT_EQ(R.Key, Rows[I].Key);
        EXPECT_EQ(R.Value, Rows[I].Value);
        EXPECT_EQ(R.IconIndex, Rows[I].Image);
        EXPECT_EQ(R.BackColor, PaletteColor3);
        EXPECT_EQ(R.TextColor, 0u);
    }
    EXPECT_EQ(Added->NameRow, ItemPage->Root()->Children[0].get());
    auto* Icon = static_cast<CFxProp_Edit*>(ItemPage->Root()->Children[1].get());
    EXPECT_EQ(Icon->Style, ES_File);
    EXPECT_EQ(Icon->DlgStyle, DLG_Picture);
    EXPECT_EQ(Icon->ExData, "Bitmap file|*.bmp");
    EXPECT_NE(dynamic_cast<CFxProp_CheckBox*>(ItemPage->Root()->Children[2].get()), nullptr);
    PaintPages();
    Photograph(Window->Handle(), "group_page.png");
}

TEST_F(NodePagesTest, RenamedThroughTheTreeKeepsTheOtherFieldsAndDropsTheSeparator)
{
    LoadGroups({{"g1", "Games|g.bmp|false"}});
    Select(Groups[0]);
    std::string Text = "To|ol|s";
    Groups[0]->Rename(Text);
    EXPECT_EQ(Text, "Tools");
    EXPECT_EQ(Project->Groups.Lookup("g1"), "Tools|g.bmp|false");
    EXPECT_EQ(ItemRow("Name")->Value, "Tools");
    EXPECT_TRUE(Project->Modified);
}

TEST_F(NodePagesTest, TheRootRenamedInTheTreeRetitlesTheSettingsPage)
{
    std::string Text = "My|Games";
    Root->Rename(Text);
    EXPECT_EQ(Text, "MyGames");
    EXPECT_EQ(ViewPage->FindItem("eList_GGroup")->Value, "MyGames");
    EXPECT_TRUE(Project->Modified);
    // The settings table takes the title at the next storing.
    EXPECT_EQ(Project->Settings.Lookup("eList_GGroup"), "Installations");
    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_EQ(Project->Settings.Lookup("eList_GGroup"), "MyGames");
    EXPECT_EQ(Project->Groups.Lookup("RootGID"), "MyGames|");
}

TEST_F(NodePagesTest, RenamedThroughTheNameRowWithTheSeparatorBlocked)
{
    LoadGroups({{"g1", "Games|g.bmp|false"}});
    Select(Groups[0]);
    auto* Name = static_cast<CFxProp_Edit*>(ItemRow("Name"));
    Retype(Name, "Ar|cade");
    EXPECT_EQ(Name->Value, "Arcade");
    EXPECT_EQ(Project->Groups.Lookup("g1"), "Arcade|g.bmp|false");
    EXPECT_EQ(Groups[0]->TreeNode->Text, "Arcade");
    EXPECT_TRUE(Project->Modified);
    // A pasted separator goes too.
    ClickValue(Name);
    ASSERT_NE(Name->Editor, nullptr);
    SetClipboardText(Window->Handle(), "|Pin|ball");
    SendMessageA(Name->Editor->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(Name->Editor->Handle(), WM_PASTE, 0, 0);
    PostKey(Name->Editor->Handle(), VK_RETURN);
    PumpMessages(3);
    EXPECT_EQ(Project->Groups.Lookup("g1"), "Pinball|g.bmp|false");
}

TEST_F(NodePagesTest, HiddenAndShownAgainThroughTheEnabledRow)
{
    LoadGroups({{"g1", "A|b|c|d"}, {"g2", "Solo"}});
    struct Case {
        int Group;
        std::string Before, AfterClick, AfterSecond;
    };
    const Case Cases[] = {{0, "c", "A|b|true", "A|b|false"}, {1, "", "Solo||true", "Solo||false"}};
    for (const Case& C : Cases) {
        Select(Groups[C.Group]);
        CFxProp_b* Enabled = ItemRow("Enabled");
        ASSERT_NE(Enabled, nullptr);
        EXPECT_EQ(Enabled->Value, C.Before);
        ClickValue(Enabled);
        EXPECT_EQ(Project->Groups.Lookup(Groups[C.Group]->GID), C.AfterClick);
        ClickValue(Enabled);
        EXPECT_EQ(Project->Groups.Lookup(Groups[C.Group]->GID), C.AfterSecond);
    }
}

TEST_F(NodePagesTest, InstallationsGoUnderTheGroupOrTheRootAndACancelChangesNothing)
{
    LoadGroups({{"g1", "Games||true"}});
    Select(Groups[0]);
    Form->PlatformAnswer = 1;
    Groups[0]->DoAction(NodeShiftInsert);
    ASSERT_EQ(Project->Apps().size(), 1u);
    EXPECT_EQ(Project->Apps()[0]->Props.Lookup("GroupID"), "g1");
    EXPECT_EQ(Project->Apps()[0]->Props.Lookup("DID"), "1");
    EXPECT_EQ(Form->FakeTree().ChildTexts(Groups[0]->TreeNode), (Strings{"New Installation"}));
    EXPECT_TRUE(Groups[0]->TreeNode->Expanded);
    EXPECT_EQ(Form->Tree().Selected(), Groups[0]->TreeNode->Children[0]);
    EXPECT_EQ(Form->CurrentPage(), ItemPage);
    EXPECT_TRUE(Project->Modified);

    Select(Root);
    Project->Modified = false;
    Form->PlatformAnswer = 2;
    Root->DoAction(NodeAddApp);
    ASSERT_EQ(Project->Apps().size(), 2u);
    EXPECT_EQ(Project->Apps()[1]->Props.Lookup("GroupID"), "RootGID");
    EXPECT_EQ(RootChildren(), (Strings{"Games", "New Installation"}));
    EXPECT_TRUE(Project->Modified);

    Select(Root);
    Project->Modified = false;
    Form->PlatformAnswer = -1;
    const std::size_t Items = Form->FakeTree().Count();
    Root->DoAction(NodeShiftInsert);
    Groups[0]->DoAction(NodeAddApp);
    EXPECT_EQ(Project->Apps().size(), 2u);
    EXPECT_EQ(Form->FakeTree().Count(), Items);
    EXPECT_EQ(Form->Tree().Selected(), Root->TreeNode);
    EXPECT_FALSE(Project->Modified);
}

TEST_F(NodePagesTest, DeletedWithItsInstallationsKeepingTheOrderOfTheOthers)
{
    LoadGroups({{"g1", "One||true"}, {"g2", "Two||true"}, {"g3", "Three||true"}, {"g4", "Four||true"}});
    CNode_Group* Two = Groups[1];
    for (int I = 0; I < 3; ++I)
        Two->DoAction(NodeAddApp);
    Groups[3]->DoAction(NodeAddApp);
    ASSERT_EQ(Project->Apps().size(), 4u);
    Select(Two);
    const std::size_t Nodes = NodeList.Count();
    Project->Modified = false;

    Two->DoAction(NodeDeleteSelected);
    EXPECT_EQ(GroupKeys(), (Strings{"g1", "g3", "g4"}));
    EXPECT_EQ(RootChildren(), (Strings{"One", "Three", "Four"}));
    ASSERT_EQ(Project->Apps().size(), 1u);
    EXPECT_EQ(Project->Apps()[0]->Props.Lookup("GroupID"), "g4");
    EXPECT_EQ(NodeList.Count(), Nodes - 4);
    EXPECT_TRUE(Project->Modified);
    // Another item took the selection and its page is shown.
    EXPECT_EQ(Form->Tree().Selected(), Root->TreeNode);
    EXPECT_EQ(Form->CurrentNode(), Root);
    EXPECT_EQ(Form->CurrentPage(), ViewPage);

    // Code 1 deletes as well; the last group leaves without moving the others.
    Select(Groups[3]);
    Groups[3]->DoAction(NodeDeleteGroup);
    EXPECT_EQ(GroupKeys(), (Strings{"g1", "g3"}));
    EXPECT_TRUE(Project->Apps().empty());
    Select(Groups[0]);
    Groups[0]->DoAction(NodeDeleteApp);
    EXPECT_EQ(GroupKeys(), (Strings{"g1", "g3"}));
}

TEST_F(NodePagesTest, TheOrderAfterAReopenLeavesTheRootEntryOut)
{
    LoadGroups({{"g1", "One||true"}, {"g2", "Two||true"}, {"g3", "Three||true"}});
    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_EQ(GroupKeys(), (Strings{"g1", "g2", "g3", "RootGID"}));
    // A file whose root entry comes first, as the table's own removal leaves it.
    THash FileOrder(true);
    for (const char* Key : {"RootGID", "g3", "g2", "g1"})
        FileOrder.Add(Key, Project->Groups.Lookup(Key));
    Project->Groups.Assign(FileOrder, true);
    const std::string File = "C:\\Projects\\order.bxp";
    FS.ForceDirectories("C:\\Projects");
    ASSERT_TRUE(Project->SaveProject(File));

    for (int Round = 0; Round < 2; ++Round) {
        ClearNodeList(*Form);
        Project->NewProject();
        Rebuild();
        ASSERT_TRUE(Project->LoadProject(File));
        Rebuild();
        Project->Modified = false;
        EXPECT_EQ(GroupKeys(), (Strings{"g3", "g2", "g1"})) << Round;
        EXPECT_EQ(RootChildren(), (Strings{"Three", "Two", "One"})) << Round;
        StoreSettingsPage(*ViewPage, *Project);
        EXPECT_EQ(GroupKeys(), (Strings{"g3", "g2", "g1", "RootGID"})) << Round;
        EXPECT_FALSE(Project->Modified);
        ASSERT_TRUE(Project->SaveProject(File));
    }
}

TEST_F(NodePagesTest, ClearingTheListTakesEveryNodeQuietly)
{
    LoadGroups({{"g1", "One||true"}, {"g2", "Two||true"}});
    Groups[0]->DoAction(NodeAddApp);
    Root->DoAction(NodeAddApp);
    Select(Groups[0]);
    const int Reactions = Form->Reactions;
    ClearNodeList(*Form);
    EXPECT_EQ(NodeList.Count(), 0u);
    EXPECT_EQ(Form->FakeTree().Count(), 0u);
    EXPECT_EQ(Project->Groups.Count(), 0);
    EXPECT_TRUE(Project->Apps().empty());
    EXPECT_EQ(Form->Reactions, Reactions);
    EXPECT_EQ(Form->CurrentNode(), nullptr);
}

} // namespace
