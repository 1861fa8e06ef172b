#pragma once

#include "object.h"
#include "ui_shortcut.h"

#include <memory>
#include <string>
#include <vector>

// A command with a caption and a shortcut key that works anywhere in its window;
// menu items and buttons bound to it run it.
class TAction : public TObject {
public:
    TAction(const std::string& AName, const std::string& ACaption, TShortCut AShortCut)
        : Name(AName), Caption(ACaption), ShortCut(AShortCut) {}
    std::string Name;
    std::string Caption;
    TShortCut ShortCut;
    bool Enabled = true;
    TNotifyEvent OnExecute;
    // True when it ran.
    bool Execute();
};

class TActionList : public TObject {
public:
    TAction* Add(const std::string& Name, const std::string& Caption, TShortCut ShortCut);
    // The first enabled action with ShortCut runs; true when one did.
    bool ShortCutKey(TShortCut ShortCut);
    TAction* Find(const std::string& Name) const;
    const std::vector<std::unique_ptr<TAction>>& Actions() const { return FActions; }

private:
    std::vector<std::unique_ptr<TAction>> FActions;
};
