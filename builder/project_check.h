#pragma once

#include "color.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CCastamer;
class CHelpAction_b;
class THelpActions;

// One message of the project check. Held as a record, so that names and paths
// with commas reach the status row whole.
struct CheckMessage {
    std::string Text;
    // "Click to define" or "Click to add".
    std::string LinkText;
    // The message's help action in the project's help actions; -1 none.
    std::int32_t ActionIndex = -1;
    TColor BackColor = 0;
    TColor TextColor = 0;
};

using TCheckList = std::vector<CheckMessage>;

// The list a check chooses by code.
enum TCheckListCode : std::int32_t { clCritical = 13, clMissettings = 14, clOther = 15 };

struct TCheckLists {
    TCheckList Critical;
    TCheckList Missettings;
    TCheckList Other;
};

// Appends a message to the list of Code, in that list's colours; any other code
// adds nothing.
void AddCheckMessage(TCheckLists& Lists, const std::string& Text, const std::string& LinkText,
                     std::int32_t ActionIndex, std::int32_t Code);

// The status page's lock: while it is held a refresh does nothing. It nests.
bool CheckAllowed();
void LockCheck();
void UnlockCheck();

// Holds the lock for a scope, also through a failure.
class TCheckLockScope {
public:
    TCheckLockScope() { LockCheck(); }
    ~TCheckLockScope() { UnlockCheck(); }
    TCheckLockScope(const TCheckLockScope&) = delete;
    TCheckLockScope& operator=(const TCheckLockScope&) = delete;
};

// The status page as the rows it shows: one group per list that holds messages,
// in the order Critical, Missettings, Other.
struct TStatusRow {
    std::string Caption;
    std::string Value;
    TColor BackColor = 0;
    TColor TextColor = 0;
    // The row's data: its help action, or null. Not owned.
    CHelpAction_b* Action = nullptr;
};

struct TStatusGroup {
    std::string Caption;
    std::int32_t Picture = -1;
    TColor BackColor = 0;
    TColor TextColor = 0;
    std::vector<TStatusRow> Rows;
};

std::vector<TStatusGroup> StatusGroups(const TCheckLists& Lists, const THelpActions& Actions);

// What the refresh needs of the status page.
class IStatusPage {
public:
    virtual ~IStatusPage() = default;
    // Painting off, every row deleted (rows whose own event runs stay alive until
    // it returned).
    virtual void BeginRebuild() = 0;
    virtual void AddGroup(const TStatusGroup& Group) = 0;
    // Painting on again; the page repaints.
    virtual void EndRebuild() = 0;
};

// The main window's status refresh: nothing while the lock is held; otherwise the
// help actions are cleared, the page emptied, the settings page stored (StoreView),
// the project checked and its messages shown. Never raises: whatever fails, the
// page paints again and shows what was gathered until then.
void RefreshStatusPage(CCastamer& Project, IStatusPage& Page, const std::function<void()>& StoreView);
