// The node list: nodes join it when made and leave it when destroyed, and emptying it
// destroys nodes until none is left, also when a node destroys others, with nothing
// selected and the selection handler quiet meanwhile.
#include "tree_node_base.h"

#include "builder_fakes.h"
#include "node_fakes.h"

#include <gtest/gtest.h>

namespace {

// A node that destroys the nodes it was given, as a group destroys those under it.
class TOwningNode : public CNode_b {
public:
    TOwningNode(INodeForm& Form, std::vector<std::string>& Log, std::string Name)
        : CNode_b(Form, Form.Tree().AddChild(nullptr, Name)), FLog(Log), FName(std::move(Name))
    {
        Tree->SetItemNode(TreeNode, this);
    }
    ~TOwningNode() override
    {
        FLog.push_back(FName);
        for (CNode_b* N : Owned)
            delete N;
        Tree->DeleteItem(TreeNode);
    }
    std::vector<CNode_b*> Owned;

private:
    std::vector<std::string>& FLog;
    std::string FName;
};

class NodeListTest : public TBuilderTest {
protected:
    void SetUp() override
    {
        TBuilderTest::SetUp();
        Project = MakeBuilder();
        Form = std::make_unique<TFakeNodeForm>(*Project, ItemPage, ViewPage);
    }
    void TearDown() override { NodeList.Clear(); }

    std::unique_ptr<CCastamer> Project;
    CFxPropPageLogic ItemPage, ViewPage;
    std::unique_ptr<TFakeNodeForm> Form;
    std::vector<std::string> Log;
};

TEST_F(NodeListTest, ANodeJoinsWhenMadeAndLeavesWhenDestroyed)
{
    auto* A = new TOwningNode(*Form, Log, "a");
    auto* B = new TOwningNode(*Form, Log, "b");
    EXPECT_EQ(NodeList.Items(), (std::vector<CNode_b*>{A, B}));
    EXPECT_EQ(A->Form, Form.get());
    EXPECT_EQ(A->Tree, &Form->Tree());
    EXPECT_EQ(A->ItemPage, &ItemPage);
    EXPECT_EQ(A->ViewPage, &ViewPage);
    delete A;
    EXPECT_EQ(NodeList.Items(), (std::vector<CNode_b*>{B}));
    EXPECT_EQ(Log, (std::vector<std::string>{"a"}));
}

TEST_F(NodeListTest, TheBaseOperationsTurnTheButtonsOffAndDoNothingElse)
{
    auto* A = new TOwningNode(*Form, Log, "a");
    Form->Buttons = {true, true, true};
    A->UpdateButtons();
    EXPECT_EQ(Form->Buttons, (std::vector<bool>{false, false, false}));
    std::string Text = "x|y";
    A->Rename(Text);
    EXPECT_EQ(Text, "x|y");
    for (std::uint8_t Code = 0; Code < 8; ++Code)
        A->DoAction(Code);
    A->PropChanged(nullptr);
    EXPECT_EQ(NodeList.Count(), 1u);
    EXPECT_FALSE(Project->Modified);
}

TEST_F(NodeListTest, ClearingDestroysUntilEmptyWhenNodesDestroyOthers)
{
    auto* Root = new TOwningNode(*Form, Log, "root");
    auto* Group = new TOwningNode(*Form, Log, "group");
    auto* App = new TOwningNode(*Form, Log, "app");
    auto* Alone = new TOwningNode(*Form, Log, "alone");
    Root->Owned = {Group};
    Group->Owned = {App};
    (void)Alone;
    Form->Tree().Select(Group->TreeNode);
    const int Reactions = Form->Reactions;
    ClearNodeList(*Form);
    EXPECT_EQ(NodeList.Count(), 0u);
    EXPECT_EQ(Log, (std::vector<std::string>{"root", "group", "app", "alone"}));
    EXPECT_EQ(Form->FakeTree().Count(), 0u);
    EXPECT_EQ(Form->Tree().Selected(), nullptr);
    EXPECT_EQ(Form->CurrentNode(), nullptr);
    // Selecting nothing first, with the handler quiet, showed no page for a dying node.
    EXPECT_EQ(Form->Reactions, Reactions);
    EXPECT_EQ(Form->QuietChanges, (std::vector<bool>{true, false}));
}

TEST_F(NodeListTest, ClearingAnEmptyListChangesNothing)
{
    ClearNodeList(*Form);
    NodeList.Clear();
    EXPECT_EQ(NodeList.Count(), 0u);
    EXPECT_EQ(Form->QuietChanges, (std::vector<bool>{true, false}));
}

} // namespace
