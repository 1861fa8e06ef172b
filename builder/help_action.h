#pragma once

#include "object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCst_App;

// What a help action does to the main window: select a tree item, open a row of
// a page, press "Add Installation". The main window provides it; tests fake it.
class IHelpNavigator {
public:
    enum TPage { pgView, pgItem };

    virtual ~IHelpNavigator() = default;

    // Selects the first group node, the root included, whose GID is GID; false when
    // there is none. IsRoot tells whether it was the root.
    virtual bool SelectGroupNode(const std::string& GID, bool& IsRoot) = 0;
    // Selects the installation node that shows App (compared by identity: App may be
    // gone already and is never read); false when there is none.
    virtual bool SelectAppNode(const CCst_App* App) = 0;
    virtual void SelectRootNode() = 0;
    // Brings the row keyed Key into view and opens it as a click on its value would;
    // nothing when the page has no such row.
    virtual void OpenRow(TPage Page, const std::string& Key) = 0;
    // The click of "Add Installation" with no sender.
    virtual void AddInstallationClick() = 0;
};

// The navigation attached to one message of the project check.
class CHelpAction_b : public TObject {
public:
    // Its position in the project's help actions: the action number of its message.
    std::int32_t Index = -1;
    // Not owned; null while no main window is attached (Execute then does nothing).
    IHelpNavigator* Form = nullptr;

    virtual void Execute() = 0;
};

class CHelpAction_IconFile : public CHelpAction_b {
public:
    // The key of the group record whose icon is at fault; "RootGID" for the root row.
    std::string GID;
    void Execute() override;
};

class CHelpAction_CabFile : public CHelpAction_b {
public:
    const CCst_App* App = nullptr;
    // The key of the CAB file's row: "PPC_ICabFARM", "PPC_ICabFMIPS" or "PPC_ICabFSH".
    std::string Key;
    void Execute() override;
};

class CHelpAction_InDir : public CHelpAction_b {
public:
    const CCst_App* App = nullptr;
    void Execute() override;
};

class CHelpAction_OneApp : public CHelpAction_b {
public:
    void Execute() override;
};

class CHelpAction_SCut : public CHelpAction_b {
public:
    const CCst_App* App = nullptr;
    // The shortcut's key in the installation's shortcuts.
    std::string Key;
    void Execute() override;
};

// The owning list of the current check's help actions. An action runs through Run:
// a refresh that clears the list meanwhile (adding an installation rebuilds the
// status page) retires the old actions, and they are freed only when the
// outermost Run has returned, so no running action is freed under itself.
class THelpActions {
public:
    THelpActions() = default;
    ~THelpActions();
    THelpActions(const THelpActions&) = delete;
    THelpActions& operator=(const THelpActions&) = delete;

    // Takes the action, sets its Index and Form; answers the Index.
    std::int32_t Add(std::unique_ptr<CHelpAction_b> Action, IHelpNavigator* Form);
    void Clear();
    std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
    // Null outside 0..Count - 1.
    CHelpAction_b* Get(std::int32_t Index) const;
    void Run(CHelpAction_b& Action);
    // Actions retired while a Run is on the stack, not yet freed.
    std::size_t RetiredCount() const { return FRetired.size(); }

private:
    std::vector<std::unique_ptr<CHelpAction_b>> FItems;
    std::vector<std::unique_ptr<CHelpAction_b>> FRetired;
    int FRunning = 0;
};
