#include "settings_page.h"

#include "castamer.h"
#include "node_b.h"
#include "fx_edit_logic.h"
#include "prop_page_logic.h"

#include <algorithm>

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
    THash& G = Project.Groups;
    G.Add("RootGID", RowValue(Page, "eList_GGroup") + "|" + RowValue(Page, "RootGID"), true);
    // First, where a new project has it: reopening a project removes the entry and
    // this brings it back, and the groups are then saved in the order they had.
    const std::int32_t Root = G.IndexOfKey("RootGID");
    if (Root > 0) {
        std::vector<THashPair> Pairs = G.Pairs();
        std::rotate(Pairs.begin(), Pairs.begin() + Root, Pairs.begin() + Root + 1);
        for (std::int32_t I = 0; I <= Root; ++I)
            G.SetEntry(I, Pairs[static_cast<std::size_t>(I)]);
    }
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
