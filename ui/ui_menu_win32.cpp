#include "ui_menu.h"

#include "ui_application.h"

#include <functional>

TMenuItem::TMenuItem(const std::string& ACaption, TShortCut AShortCut) : FCaption(ACaption), FShortCut(AShortCut) {}

TMenuItem::~TMenuItem() = default;

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item)
{
    Item->FParent = this;
    FItems.push_back(std::move(Item));
    return FItems.back().get();
}

void TMenuItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    if (!FMenu)
        return;
    const UINT Flag = Value ? MF_ENABLED : MF_GRAYED;
    if (!FSubMenu) {
        EnableMenuItem(FMenu, FCommand, MF_BYCOMMAND | Flag);
        return;
    }
    for (int I = 0; FParent && I < FParent->Count(); ++I)
        if (FParent->Item(I) == this)
            EnableMenuItem(FMenu, static_cast<UINT>(I), MF_BYPOSITION | Flag);
}

void TMenuItem::Build(HMENU Into, UINT& NextCommand)
{
    for (auto& Item : FItems) {
        Item->FMenu = Into;
        if (Item->IsSeparator()) {
            AppendMenuA(Into, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string Text = Item->FCaption;
        if (Item->FShortCut)
            Text += "\t" + ShortCutToText(Item->FShortCut);
        const UINT State = Item->FEnabled ? MF_ENABLED : MF_GRAYED;
        if (!Item->FItems.empty()) {
            Item->FSubMenu = CreatePopupMenu();
            Item->Build(Item->FSubMenu, NextCommand);
            AppendMenuA(Into, MF_POPUP | MF_STRING | State, reinterpret_cast<UINT_PTR>(Item->FSubMenu), Text.c_str());
        } else {
            Item->FCommand = NextCommand++;
            AppendMenuA(Into, MF_STRING | State, Item->FCommand, Text.c_str());
        }
    }
}

void TMenuItem::Release()
{
    for (auto& Item : FItems)
        Item->Release();
    FMenu = nullptr;
    FSubMenu = nullptr; // destroyed with the bar
}

TMainMenu::TMainMenu() = default;

TMainMenu::~TMainMenu()
{
    Items.Release();
    if (FMenu && !IsMenu(FMenu))
        FMenu = nullptr;
    if (FMenu)
        DestroyMenu(FMenu);
}

void TMainMenu::Attach(HWND Window)
{
    if (!FMenu) {
        FMenu = CreateMenu();
        UINT Next = 100;
        Items.Build(FMenu, Next);
    }
    SetMenu(Window, FMenu);
    DrawMenuBar(Window);
}

namespace {

TMenuItem* FindIn(const TMenuItem& Parent, const std::function<bool(const TMenuItem&)>& Match)
{
    for (int I = 0; I < Parent.Count(); ++I) {
        TMenuItem* Item = Parent.Item(I);
        if (Match(*Item))
            return Item;
        if (TMenuItem* Found = FindIn(*Item, Match))
            return Found;
    }
    return nullptr;
}

} // namespace

TMenuItem* TMainMenu::FindItem(UINT Id) const
{
    return FindIn(Items, [Id](const TMenuItem& I) { return I.Count() == 0 && I.CommandId() == Id; });
}

bool TMainMenu::Command(UINT Id)
{
    TMenuItem* Item = FindItem(Id);
    if (!Item)
        return false;
    if (Item->Enabled() && Item->OnClick)
        Item->OnClick(Item);
    return true;
}

bool TMainMenu::Popup(HMENU Menu)
{
    TMenuItem* Item = FindIn(Items, [Menu](const TMenuItem& I) { return I.SubMenuHandle() == Menu; });
    if (!Item)
        return false;
    if (Item->OnClick)
        Item->OnClick(Item);
    return true;
}

bool TMainMenu::ShortCutKey(TShortCut ShortCut)
{
    TMenuItem* Item =
        FindIn(Items, [ShortCut](const TMenuItem& I) { return I.Count() == 0 && !I.IsSeparator() && I.ShortCut() == ShortCut; });
    if (!Item)
        return false;
    // The submenus open on the way, as the system's accelerators do, so that their
    // handlers settle which items are enabled.
    std::vector<TMenuItem*> Path;
    for (TMenuItem* P = Item->Parent(); P && P != &Items; P = P->Parent())
        Path.insert(Path.begin(), P);
    for (TMenuItem* P : Path) {
        if (!P->Enabled())
            return true;
        if (P->OnClick)
            P->OnClick(P);
    }
    if (Item->Enabled() && Item->OnClick)
        Item->OnClick(Item);
    return true;
}
