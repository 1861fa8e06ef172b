#include "tree_node_base.h"

#include <algorithm>

TNodeList NodeList;

CNode_b::CNode_b(INodeForm& AForm, TTreeItem ATreeNode)
    : TreeNode(ATreeNode), ItemPage(&AForm.ItemPage()), ViewPage(&AForm.ViewPage()), Tree(&AForm.Tree()),
      Form(&AForm)
{
    NodeList.Add(this);
}

CNode_b::~CNode_b() { NodeList.Remove(this); }

void CNode_b::Rename(std::string&) {}

void CNode_b::UpdateButtons() { Form->DisableNodeButtons(); }

void CNode_b::PropChanged(CFxProp_b*) {}

void CNode_b::DoAction(std::uint8_t) {}

TNodeList::~TNodeList() { Clear(); }

void TNodeList::Add(CNode_b* Node) { FItems.push_back(Node); }

void TNodeList::Remove(CNode_b* Node)
{
    const auto It = std::find(FItems.begin(), FItems.end(), Node);
    if (It != FItems.end())
        FItems.erase(It);
}

void TNodeList::Clear()
{
    // Each destructor takes its node, and maybe others, out of the list.
    while (!FItems.empty())
        delete FItems.front();
}

namespace {
class TQuietSelection {
public:
    explicit TQuietSelection(INodeForm& Form) : FForm(Form) { FForm.SetSelectionQuiet(true); }
    ~TQuietSelection() { FForm.SetSelectionQuiet(false); }
    TQuietSelection(const TQuietSelection&) = delete;
    TQuietSelection& operator=(const TQuietSelection&) = delete;

private:
    INodeForm& FForm;
};
} // namespace

void ClearNodeList(INodeForm& Form)
{
    const TQuietSelection Quiet(Form);
    Form.Tree().Select(nullptr);
    Form.SetCurrentNode(nullptr);
    NodeList.Clear();
}
