#include "status_page.h"

#include "help_action.h"
#include "prop_page.h"

TFMainStatusPage::TFMainStatusPage(CFxPropPage& Page, THelpActions& Actions) : FPage(Page), FActions(Actions) {}

void TFMainStatusPage::BeginRebuild()
{
    FPage.LockPaint = true;
    FPage.Clear(true);
}

void TFMainStatusPage::AddGroup(const TStatusGroup& Group)
{
    CFxProp_b* G = FPage.Root()->AddGroup(Group.Caption, Group.BackColor, Group.TextColor, Group.Picture, -1);
    // The same picture open or closed.
    G->OpenIconIndex = -1;
    for (const TStatusRow& R : Group.Rows) {
        CFxProp_b* Row =
            G->AddItem(RowClass<CFxProp_Action>(), R.Caption, R.Value, R.BackColor, R.TextColor, -1);
        Row->Data = R.Action;
        Row->OnClick = [this](TObject* S) { RunHelpAction(S); };
    }
}

void TFMainStatusPage::EndRebuild()
{
    FPage.LockPaint = false;
    FPage.RepaintPage();
}

void TFMainStatusPage::RunHelpAction(TObject* Sender)
{
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    auto* Action = Row ? dynamic_cast<CHelpAction_b*>(Row->Data) : nullptr;
    if (Action)
        FActions.Run(*Action);
}
