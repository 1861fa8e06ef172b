#pragma once

#include "project_check.h"

class CFxPropPage;
class THelpActions;
class TObject;

// The main window's status page: the project check's messages under their group
// rows, each a clickable row whose click runs its help action.
class TFMainStatusPage : public IStatusPage {
public:
    TFMainStatusPage(CFxPropPage& Page, THelpActions& Actions);

    void BeginRebuild() override;
    void AddGroup(const TStatusGroup& Group) override;
    void EndRebuild() override;

    // The click of a message row (TFMain.RunHelpAction): its action runs, and is
    // freed, should it rebuild this page, only once it has returned.
    void RunHelpAction(TObject* Sender);

private:
    CFxPropPage& FPage;
    THelpActions& FActions;
};
