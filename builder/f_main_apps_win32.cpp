// The main window's side of the installation nodes.
#include "f_main.h"

#include "node_app.h"
#include "node_group.h"

void TFMain::LoadAppNodes()
{
    CNode_Group* Root = nullptr;
    std::vector<CNode_Group*> Groups;
    for (CNode_b* N : NodeList.Items())
        if (auto* G = dynamic_cast<CNode_Group*>(N)) {
            if (G->IsRoot && !Root)
                Root = G;
            Groups.push_back(G);
        }
    if (!Root)
        return;
    for (const auto& App : Engine->Apps()) {
        const std::string GID = App->Props.Lookup("GroupID");
        CNode_Group* Parent = Root;
        if (GID != "RootGID")
            for (CNode_Group* G : Groups)
                if (G->GID == GID) {
                    Parent = G;
                    break;
                }
        CNode_App::CreateLoaded(*this, *Parent, *App);
    }
}

bool TFMain::NodeShowsApp(const CNode_b& Node, const CCst_App* App)
{
    auto* A = dynamic_cast<const CNode_App*>(&Node);
    return A && A->App == App;
}

CNode_b* TFMain::NewAppNode(CNode_Group& Group, std::int32_t Platform) { return new CNode_App(*this, Group, Platform); }
