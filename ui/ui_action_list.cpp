#include "ui_action_list.h"

bool TAction::Execute()
{
    if (!Enabled || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

TAction* TActionList::Add(const std::string& Name, const std::string& Caption, TShortCut ShortCut)
{
    FActions.push_back(std::make_unique<TAction>(Name, Caption, ShortCut));
    return FActions.back().get();
}

bool TActionList::ShortCutKey(TShortCut ShortCut)
{
    if (!ShortCut)
        return false;
    for (auto& A : FActions)
        if (A->ShortCut == ShortCut && A->Enabled)
            return A->Execute();
    return false;
}

TAction* TActionList::Find(const std::string& Name) const
{
    for (auto& A : FActions)
        if (A->Name == Name)
            return A.get();
    return nullptr;
}
