#include "help_action.h"

#include "project_check.h"

namespace {

// Selection changes refresh the status page; the lock keeps that refresh from
// freeing the action and the clicked row while they run.
template <class Select>
bool SelectUnderLock(Select&& Sel)
{
    const TCheckLockScope Lock;
    return Sel();
}

} // namespace

void CHelpAction_IconFile::Execute()
{
    if (!Form)
        return;
    IHelpNavigator& F = *Form;
    const std::string Key = GID;
    bool IsRoot = false;
    if (!SelectUnderLock([&] { return F.SelectGroupNode(Key, IsRoot); }))
        return;
    // The root's icon is a row of the settings page, keyed "RootGID" like the record.
    F.OpenRow(IsRoot ? IHelpNavigator::pgView : IHelpNavigator::pgItem, Key);
}

void CHelpAction_CabFile::Execute()
{
    if (!Form)
        return;
    IHelpNavigator& F = *Form;
    const CCst_App* Target = App;
    const std::string Row = Key;
    if (SelectUnderLock([&] { return F.SelectAppNode(Target); }))
        F.OpenRow(IHelpNavigator::pgItem, Row);
}

void CHelpAction_InDir::Execute()
{
    if (!Form)
        return;
    IHelpNavigator& F = *Form;
    const CCst_App* Target = App;
    if (SelectUnderLock([&] { return F.SelectAppNode(Target); }))
        F.OpenRow(IHelpNavigator::pgItem, "InDir");
}

void CHelpAction_OneApp::Execute()
{
    if (!Form)
        return;
    // The click rebuilds the status page, which retires this action: nothing of it
    // is read after the click.
    IHelpNavigator& F = *Form;
    SelectUnderLock([&] {
        F.SelectRootNode();
        return true;
    });
    F.AddInstallationClick();
}

void CHelpAction_SCut::Execute()
{
    if (!Form)
        return;
    IHelpNavigator& F = *Form;
    const CCst_App* Target = App;
    const std::string Row = Key;
    if (SelectUnderLock([&] { return F.SelectAppNode(Target); }))
        F.OpenRow(IHelpNavigator::pgItem, Row);
}

THelpActions::~THelpActions() = default;

std::int32_t THelpActions::Add(std::unique_ptr<CHelpAction_b> Action, IHelpNavigator* Form)
{
    Action->Index = Count();
    Action->Form = Form;
    FItems.push_back(std::move(Action));
    return FItems.back()->Index;
}

void THelpActions::Clear()
{
    if (FRunning > 0) {
        for (auto& A : FItems)
            FRetired.push_back(std::move(A));
        FItems.clear();
        return;
    }
    FItems.clear();
}

CHelpAction_b* THelpActions::Get(std::int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[static_cast<std::size_t>(Index)].get();
}

void THelpActions::Run(CHelpAction_b& Action)
{
    struct TDepth {
        THelpActions& L;
        explicit TDepth(THelpActions& AL) : L(AL) { ++L.FRunning; }
        ~TDepth()
        {
            if (--L.FRunning == 0)
                L.FRetired.clear();
        }
        TDepth(const TDepth&) = delete;
        TDepth& operator=(const TDepth&) = delete;
    } Depth(*this);
    Action.Execute();
}
