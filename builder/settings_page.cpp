#include "settings_page.h"

#include "project.h"
#include "tree_node_base.h"
#include "fx_edit_logic.h"
#include "group_string.h"
#include "prop_page_logic.h"


namespace {
std::string RowValue(const CFxPropPageLogic& Page, const std::string& Key)
{
    const CFxProp_b* Row = Page.FindItem(Key);
    return Row ? Row->Value : std::string();
}
} // namespace

void LoadSettingsPage(CFxPropPageLogic& Page, const CCastamer& Project) { Page.LoadValues(Project.Settings); }

void StoreSettingsPage(const CFxPropPageLogic& Page, CCastamer& Project)
{
    const bool Modified = Project.Modified;
    Page.StoreValues(Project.Settings);
    // Last, where a reopened project gets it back (the old root node's removal takes
    // it out of the file's table): the groups are saved in one order however often
    // the project is reopened.
    const std::string Root = RowValue(Page, "eList_GGroup") + "|" + RowValue(Page, "RootGID");
    THash& G = Project.Groups;
    // The table's own removal would swap the last group into the entry's place.
    if (G.IndexOfKey("RootGID") != G.Count() - 1)
        RemoveGroupEntry(G, "RootGID");
    G.Add("RootGID", Root, true);
    Project.Modified = Modified;
}

void StoreSettingsPage(INodeForm& Form) { StoreSettingsPage(Form.ViewPage(), Form.Project()); }

TCharSet CreationAllowedChars()
{
    TCharSet Set = EditAllowedSet(EditAChar(EAC_Controls));
    for (unsigned C = 32; C < 256; ++C)
        if (C != 127)
            Set.set(C);
    return Set;
}
