#pragma once

#include "object.h"
#include "ui_shortcut.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TForm;

// One item of a menu: a command, a separator ("-") or a submenu. Its shortcut is
// shown beside the caption; the window that holds the menu runs it (TMainMenu).
class TMenuItem : public TObject {
public:
    explicit TMenuItem(const std::string& ACaption = "", TShortCut AShortCut = 0);
    ~TMenuItem() override;
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    std::string Name;
    const std::string& Caption() const { return FCaption; }
    TShortCut ShortCut() const { return FShortCut; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool IsSeparator() const { return FCaption == "-"; }

    // A command item runs OnClick; a submenu runs it when it opens.
    TNotifyEvent OnClick;

    // Takes the item; answers it.
    TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Item(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }
    TMenuItem* Parent() const { return FParent; }
    UINT CommandId() const { return FCommand; }
    HMENU SubMenuHandle() const { return FSubMenu; }

private:
    friend class TMainMenu;
    void Build(HMENU Into, UINT& NextCommand);
    void Release();

    std::string FCaption;
    TShortCut FShortCut;
    bool FEnabled = true;
    TMenuItem* FParent = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> FItems;
    HMENU FMenu = nullptr; // the menu holding this item
    HMENU FSubMenu = nullptr;
    UINT FCommand = 0;
};

// The menu bar of a form: its items are the top-level submenus.
class TMainMenu : public TObject {
public:
    TMainMenu();
    ~TMainMenu() override;
    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;

    TMenuItem Items;

    // Makes the menu bar of Window from the items.
    void Attach(HWND Window);
    HMENU Handle() const { return FMenu; }
    // WM_COMMAND of a menu item: true when the item was one of these.
    bool Command(UINT Id);
    // WM_INITMENUPOPUP: the submenu's OnClick.
    bool Popup(HMENU Menu);
    // A key of a command item: its submenus open on the way (their OnClick runs),
    // then the item runs when it is enabled. True when the key is an item's.
    bool ShortCutKey(TShortCut ShortCut);
    TMenuItem* FindItem(UINT Id) const;

private:
    HMENU FMenu = nullptr;
};
