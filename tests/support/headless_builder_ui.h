#pragma once

#include "builder_ui.h"

#include <string>
#include <utility>
#include <vector>

// The builder without windows: the directory chooser answers one directory, the
// other questions are answered as cancelled, and what the build says is kept.
class THeadlessUI : public IBuilderUI {
public:
    explicit THeadlessUI(std::string Dir) : FDir(std::move(Dir)) {}

    // Every message but the notice that the package was built.
    std::vector<std::string> Messages;

    void ProgressBegin(const std::string&) override {}
    void ProgressStep(int) override {}
    void ProgressEnd() override {}
    bool SelectDir(std::string& Dir, const std::string&, bool, const std::string&) override
    {
        Dir = FDir;
        return true;
    }
    int ShowMessage(const std::string& Text, TMessageType, const TArrayOfString&) override
    {
        if (Text.rfind("Installation Package built in", 0) != 0)
            Messages.push_back(Text);
        return 0;
    }
    std::string OpenFile(const std::string&, const std::string&, DLG_Style, const std::string&) override { return ""; }
    std::string SaveFile(const std::string&, const std::string&, const std::string&, const std::string&) override
    {
        return "";
    }
    void ShowPathErrors(TPathErrors, const TArrayOfString&) override {}
    void ShowOptions(CCastamer&, const std::string&) override {}
    void RepaintMainWindow() override {}

private:
    std::string FDir;
};
