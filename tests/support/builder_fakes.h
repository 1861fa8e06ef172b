#pragma once

#include "builder_services.h"
#include "builder_ui.h"
#include "project.h"
#include "memory_file_system.h"
#include "project_file_type.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Records what the project object asked of the windows; answers are set up front.
class TFakeBuilderUI : public IBuilderUI {
public:
    std::vector<std::string> Calls;
    std::string OpenAnswer, SaveAnswer;
    std::string LastInitialDir;
    // The directory chooser's answer; empty cancels.
    std::string DirAnswer;
    std::vector<TMessageType> MessageTypes;
    // What the user does in the options window, if anything.
    std::function<void(CCastamer&)> OnOptions;

    void ProgressBegin(const std::string& Text) override { Calls.push_back("begin " + Text); }
    void ProgressStep(int Percent) override { Calls.push_back("step " + std::to_string(Percent)); }
    void ProgressEnd() override { Calls.push_back("end"); }
    bool SelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key) override
    {
        Calls.push_back("select " + Caption + " at " + Dir + (AllowNew ? " new" : "") + (Key.empty() ? "" : " " + Key));
        if (DirAnswer.empty())
            return false;
        Dir = DirAnswer;
        return true;
    }
    int ShowMessage(const std::string& Text, TMessageType Type, const TArrayOfString&) override
    {
        MessageTypes.push_back(Type);
        Calls.push_back("message " + Text);
        return 0;
    }
    std::string OpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style,
                         const std::string& Key) override
    {
        LastInitialDir = InitialDir;
        Calls.push_back("open " + Filter + " " + Key);
        return OpenAnswer;
    }
    std::string SaveFile(const std::string& InitialDir, const std::string& Filter, const std::string&,
                         const std::string& Key) override
    {
        LastInitialDir = InitialDir;
        Calls.push_back("save " + Filter + " " + Key);
        return SaveAnswer;
    }
    void ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths) override
    {
        std::string C = "path errors " + std::to_string(static_cast<int>(Kind));
        for (const std::string& P : Paths)
            C += " " + P;
        Calls.push_back(C);
    }
    void ShowOptions(CCastamer& Project, const std::string& Arg) override
    {
        Calls.push_back("options " + Arg);
        if (OnOptions)
            OnOptions(Project);
    }
    void RepaintMainWindow() override { Calls.push_back("repaint"); }
};

// The file-type keys as a map from "key" to default value.
class TFakeRegistry : public IFileTypeRegistry {
public:
    std::string OpenCommand;
    std::vector<std::string> Writes;
    bool FailWrites = false;
    bool Raise = false;

    std::string GetFileTypeCommand(const std::string& Ext, const std::string& Verb) override
    {
        if (Raise)
            throw std::runtime_error("access denied");
        return Ext == ".bxp" && Verb == "open" ? OpenCommand : std::string();
    }
    bool RegisterFileType(const std::string& Ext, const std::string& TypeName, const std::string& Verb,
                          const std::string& Command, bool Overwrite) override
    {
        if (FailWrites)
            return false;
        Writes.push_back(Ext + "=" + TypeName);
        Writes.push_back(TypeName + "\\shell\\" + Verb + "\\command=" + Command + (Overwrite ? "" : " (keep)"));
        return true;
    }
    bool SetFileTypeIcon(const std::string& TypeName, const std::string& Icon) override
    {
        if (FailWrites)
            return false;
        Writes.push_back(TypeName + "\\DefaultIcon=" + Icon);
        return true;
    }
};

inline const std::string TestProgramDir = "C:\\Brindlo";
inline const std::string TestProgramFile = "C:\\Brindlo\\Castbuild.exe";
inline const std::string TestEnvFile = "C:\\Brindlo\\bx_env.dat";

// A builder on an in-memory disk with a fixed clock and a counting random source.
class TBuilderTest : public ::testing::Test {
protected:
    TMemoryFileSystem FS;
    THash Remembered{true};
    TFakeBuilderUI UI;
    TFakeRegistry Registry;
    std::string TimeNow = "12:00:00";
    std::int32_t NextRandom = 0;
    std::vector<std::string> Started;

    void SetUp() override { FS.ForceDirectories(TestProgramDir); }

    TBuilderServices Services(TFileSystem* OtherFS = nullptr)
    {
        TBuilderServices S;
        S.FileSystem = OtherFS ? OtherFS : &FS;
        S.ProgramFileName = TestProgramFile;
        S.DateText = [] { return "01.02.2024"; };
        S.TimeText = [this] { return TimeNow; };
        S.Random = [this](std::int32_t Range) { return NextRandom++ % Range; };
        S.RunProgram = [this](const std::string& Exe, const std::string& Cmd, bool Wait) {
            Started.push_back(Exe + "|" + Cmd + (Wait ? "|wait" : ""));
            return true;
        };
        S.Registry = &Registry;
        return S;
    }

    std::unique_ptr<CCastamer> MakeBuilder(TFileSystem* OtherFS = nullptr)
    {
        auto B = std::make_unique<CCastamer>(Services(OtherFS), Remembered);
        B->AttachUI(&UI);
        return B;
    }
};

inline std::vector<std::string> Entries(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key + "=" + P.Value);
    return V;
}
