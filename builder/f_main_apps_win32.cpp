// The main window's side of the installation nodes.
#include "f_main.h"

void TFMain::LoadAppNodes() {}

bool TFMain::NodeShowsApp(const CNode_b&, const CCst_App*) { return false; }

CNode_b* TFMain::NewAppNode(CNode_Group&, std::int32_t) { return nullptr; }
