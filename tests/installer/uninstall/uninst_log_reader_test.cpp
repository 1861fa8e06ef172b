#include "uninst_log_reader.h"

#include "memory_file_system.h"
#include "string_helpers.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace castremove;

namespace {

const std::string UninstallKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A small system of files, directories and registry keys that records what is done to it.
class TFakeSystem : public TUninstallSystem {
public:
    void AddDir(const std::string& Path, std::uint32_t Extra = 0) { FPaths[LowerAscii(Path)] = faDirectory | Extra; }
    void AddFile(const std::string& Path, std::uint32_t Attr = 0) { FPaths[LowerAscii(Path)] = Attr; }
    bool Has(const std::string& Path) const { return FPaths.count(LowerAscii(Path)) > 0; }
    void Remove(const std::string& Path) { FPaths.erase(LowerAscii(Path)); }
    void AddKey(TRegistryRoot Root, const std::string& Key, std::set<std::string> Values = {})
    {
        FKeys[KeyName(Root, Key)] = std::move(Values);
    }
    bool HasKey(TRegistryRoot Root, const std::string& Key) const { return FKeys.count(KeyName(Root, Key)) > 0; }
    bool HasValue(TRegistryRoot Root, const std::string& Key, const std::string& Name) const
    {
        const auto K = FKeys.find(KeyName(Root, Key));
        return K != FKeys.end() && K->second.count(Name) > 0;
    }

    TSystemResult Attributes(const std::string& Path, std::uint32_t& Attr) override
    {
        const auto P = FPaths.find(LowerAscii(Path));
        if (P == FPaths.end())
            return Missing();
        Attr = P->second;
        return TSystemResult();
    }
    bool ClearAttributes(const std::string& Path) override
    {
        Journal.push_back("clear " + Path);
        FPaths[LowerAscii(Path)] &= ~static_cast<std::uint32_t>(faReadOnly | faHidden | faSysFile | faArchive);
        return true;
    }
    TSystemResult EraseFile(const std::string& Path) override
    {
        const auto P = FPaths.find(LowerAscii(Path));
        if (P == FPaths.end())
            return Missing();
        // As on Windows: a read-only file cannot be deleted.
        if ((P->second & faDirectory) || (P->second & faReadOnly))
            return Failed("Access is denied");
        if (Refused.count(Path))
            return Failed(Refused[Path]);
        FPaths.erase(P);
        Journal.push_back("erase " + Path);
        return TSystemResult();
    }
    TSystemResult RemoveDir(const std::string& Path) override
    {
        const std::string Key = LowerAscii(Path);
        const auto P = FPaths.find(Key);
        if (P == FPaths.end() || !(P->second & faDirectory))
            return Missing();
        const auto Next = FPaths.lower_bound(Key + "\\");
        if (Next != FPaths.end() && Next->first.compare(0, Key.size() + 1, Key + "\\") == 0)
            return TSystemResult{TOutcome::NotEmpty, std::string()};
        if (Refused.count(Path))
            return Failed(Refused[Path]);
        FPaths.erase(P);
        Journal.push_back("rmdir " + Path);
        return TSystemResult();
    }
    TSystemResult DeleteValue(TRegistryRoot Root, const std::string& Key, const std::string& Name) override
    {
        const auto K = FKeys.find(KeyName(Root, Key));
        if (K == FKeys.end() || !K->second.count(Name))
            return Missing();
        if (Refused.count(Key + "\\" + Name))
            return Failed(Refused[Key + "\\" + Name]);
        K->second.erase(Name);
        Journal.push_back("delvalue " + Key + " " + Name);
        return TSystemResult();
    }
    TSystemResult DeleteKey(TRegistryRoot Root, const std::string& Key) override
    {
        const std::string Name = KeyName(Root, Key);
        const auto K = FKeys.find(Name);
        if (K == FKeys.end())
            return Missing();
        for (const auto& Other : FKeys)
            if (Other.first.compare(0, Name.size() + 1, Name + "\\") == 0)
                return TSystemResult{TOutcome::NotEmpty, std::string()};
        if (Refused.count(Key))
            return Failed(Refused[Key]);
        FKeys.erase(K);
        Journal.push_back("delkey " + Key);
        return TSystemResult();
    }
    bool Confirm(const std::string& Question) override
    {
        Asked.push_back(Question);
        return Answer;
    }
    void Inform(const std::string& Text) override { Told.push_back(Text); }

    std::vector<std::string> Journal;
    std::vector<std::string> Asked, Told;
    bool Answer = true;
    // Paths, "key\\value" and keys whose removal fails with the reason given.
    std::map<std::string, std::string> Refused;

private:
    static TSystemResult Missing() { return TSystemResult{TOutcome::Missing, std::string()}; }
    static TSystemResult Failed(const std::string& Why) { return TSystemResult{TOutcome::Failed, Why}; }
    static std::string KeyName(TRegistryRoot Root, std::string Key)
    {
        if (!Key.empty() && Key[0] == '\\')
            Key.erase(0, 1);
        return (Root == rrCurrentUser ? "HKCU\\" : "HKLM\\") + LowerAscii(Key);
    }
    std::map<std::string, std::uint32_t> FPaths;
    std::map<std::string, std::set<std::string>> FKeys;
};

// The installed state that the log of an installation of "Tool" names, and more.
void Install(TFakeSystem& S)
{
    S.AddDir("C:\\Apps\\Tool");
    S.AddFile("C:\\Apps\\Tool\\uinst.log");
    S.AddDir("C:\\Apps\\Tool\\docs");
    S.AddFile("C:\\Apps\\Tool\\tool.exe", faArchive | faReadOnly);
    S.AddFile("C:\\Apps\\Tool\\docs\\read.txt", faHidden);
    S.AddDir("C:\\Menu\\Acme");
    S.AddFile("C:\\Menu\\Acme\\Tool.lnk");
    S.AddFile("C:\\Desk\\Tool.lnk");
    S.AddKey(rrLocalMachine, UninstallKey + "Tool", {"DisplayName", "UninstallString"});
    // What no log names.
    S.AddDir("C:\\Windows");
    S.AddFile("C:\\Windows\\win.ini");
    S.AddFile("C:\\Apps\\Tool.txt");
    S.AddKey(rrLocalMachine, UninstallKey + "Other", {"DisplayName"});
    S.AddKey(rrLocalMachine, UninstallKey + "Tool Other", {"DisplayName"});
}

const char* const ToolLog = "[DelFile]%C:\\Apps\\Tool\\uinst.log\r\n"
                            "[DelDir]%C:\\Apps\\Tool\r\n"
                            "[DelDir]%C:\\Apps\\Tool\\docs\r\n"
                            "[DelFile]%C:\\Apps\\Tool\\tool.exe\r\n"
                            "[DelFile]%C:\\Apps\\Tool\\docs\\read.txt\r\n"
                            "[DelFile]%C:\\Menu\\Acme\\Tool.lnk\r\n"
                            "[DelDir]%C:\\Menu\\Acme\r\n"
                            "[DelFile]%C:\\Desk\\Tool.lnk\r\n"
                            "[DelValue]%%\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool%DisplayName\r\n"
                            "[DelValue]%%\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool%UninstallString\r\n"
                            "[DelKey]%%\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool\r\n"
                            "[UImes 1]%Do you realy what to uninstall Acme Tool\r\n"
                            "[UImes 2]%Acme Tool uninstalled\r\n";

struct TRun {
    std::vector<std::pair<std::string, double>> Progress;
    TUninstallResult Result;
};

TRun Replay(TFakeSystem& S, const std::string& Log)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\Apps\\Tool\\uinst.log", Log);
    TUInstLog L(2, "C:\\Apps\\Tool\\uinst.log", FS);
    EXPECT_TRUE(L.Opened());
    TRun R;
    R.Result = L.Uninstall([&](const std::string& Item, double F) { R.Progress.emplace_back(Item, F); }, S);
    EXPECT_FALSE(L.Opened());
    return R;
}

} // namespace

TEST(Uninstaller, ReplaysALogAsTheInstallerWritesIt)
{
    TFakeSystem S;
    Install(S);
    const TRun R = Replay(S, ToolLog);
    EXPECT_EQ(S.Asked, std::vector<std::string>{"Do you realy what to uninstall Acme Tool"});
    EXPECT_EQ(S.Told, std::vector<std::string>{"Acme Tool uninstalled"});
    EXPECT_EQ(S.Journal, (std::vector<std::string>{
                             "erase C:\\Apps\\Tool\\uinst.log",
                             "clear C:\\Apps\\Tool\\tool.exe",
                             "erase C:\\Apps\\Tool\\tool.exe",
                             "clear C:\\Apps\\Tool\\docs\\read.txt",
                             "erase C:\\Apps\\Tool\\docs\\read.txt",
                             "erase C:\\Menu\\Acme\\Tool.lnk",
                             "erase C:\\Desk\\Tool.lnk",
                             "rmdir C:\\Menu\\Acme",
                             "rmdir C:\\Apps\\Tool\\docs",
                             "rmdir C:\\Apps\\Tool",
                             "delvalue " + UninstallKey + "Tool DisplayName",
                             "delvalue " + UninstallKey + "Tool UninstallString",
                             "delkey " + UninstallKey + "Tool",
                         }));
    ASSERT_EQ(R.Progress.size(), 11u);
    EXPECT_EQ(R.Progress.front(), (std::pair<std::string, double>{"C:\\Apps\\Tool\\uinst.log", 0.0}));
    EXPECT_EQ(R.Progress[8].first, UninstallKey + "Tool\\DisplayName");
    EXPECT_EQ(R.Progress.back(), (std::pair<std::string, double>{UninstallKey + "Tool", 10.0 / 11}));
    for (std::size_t I = 1; I < R.Progress.size(); ++I)
        EXPECT_GT(R.Progress[I].second, R.Progress[I - 1].second);
    EXPECT_TRUE(S.Has("C:\\Windows\\win.ini"));
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool.txt"));
    EXPECT_TRUE(S.HasKey(rrLocalMachine, UninstallKey + "Other"));
    EXPECT_TRUE(R.Result.Confirmed);
    EXPECT_TRUE(R.Result.Stayed.empty());
}

TEST(Uninstaller, GoesOnPastFailuresAndSaysWhatStayed)
{
    TFakeSystem S;
    Install(S);
    const std::string InUse = "The process cannot access the file because it is being used by another process";
    S.Refused["C:\\Apps\\Tool\\docs\\read.txt"] = InUse;
    S.Refused["C:\\Menu\\Acme"] = InUse;
    S.Refused[UninstallKey + "Tool\\DisplayName"] = "Access is denied";
    S.Refused[UninstallKey + "Tool"] = "Access is denied";
    // Gone before the replay: no failure.
    S.Remove("C:\\Desk\\Tool.lnk");
    S.Refused["C:\\Desk\\Tool.lnk"] = "never asked";
    const TRun R = Replay(S, ToolLog);
    EXPECT_EQ(S.Journal, (std::vector<std::string>{
                             "erase C:\\Apps\\Tool\\uinst.log",
                             "clear C:\\Apps\\Tool\\tool.exe",
                             "erase C:\\Apps\\Tool\\tool.exe",
                             "clear C:\\Apps\\Tool\\docs\\read.txt",
                             "erase C:\\Menu\\Acme\\Tool.lnk",
                             "delvalue " + UninstallKey + "Tool UninstallString",
                         }));
    ASSERT_EQ(R.Result.Stayed.size(), 4u);
    EXPECT_EQ(R.Result.Stayed[0].Item, "C:\\Apps\\Tool\\docs\\read.txt");
    EXPECT_EQ(R.Result.Stayed[0].Reason, InUse);
    // The directories that hold it are no failure of their own.
    EXPECT_EQ(R.Result.Stayed[1].Item, "C:\\Menu\\Acme");
    EXPECT_EQ(R.Progress.size(), 11u);
    EXPECT_EQ(S.Told, std::vector<std::string>{"Acme Tool uninstalled\n\r\n\r"
                                               "4 items could not be removed:\n\r"
                                               "C:\\Apps\\Tool\\docs\\read.txt: " + InUse + "\n\r"
                                               "C:\\Menu\\Acme: " + InUse + "\n\r" +
                                               UninstallKey + "Tool\\DisplayName: Access is denied\n\r" +
                                               UninstallKey + "Tool: Access is denied"});
}

TEST(Uninstaller, TheClosingMessageCountsAllAndNamesTheFirstFew)
{
    const auto Left = [](std::size_t N) {
        std::vector<TLeftOver> V;
        for (std::size_t I = 1; I <= N; ++I)
            V.push_back(TLeftOver{"C:\\f" + std::to_string(I), "Access is denied"});
        return V;
    };
    const struct {
        std::string Closing;
        std::size_t Stayed;
        std::string Want;
    } Cases[] = {
        {"Acme Tool uninstalled", 0, "Acme Tool uninstalled"},
        {"", 0, ""},
        {"Done", 1, "Done\n\r\n\r1 item could not be removed:\n\rC:\\f1: Access is denied"},
        {"", 1, "1 item could not be removed:\n\rC:\\f1: Access is denied"},
        {"Done", 7,
         "Done\n\r\n\r7 items could not be removed:\n\rC:\\f1: Access is denied\n\rC:\\f2: Access is denied\n\r"
         "C:\\f3: Access is denied\n\rC:\\f4: Access is denied\n\rC:\\f5: Access is denied\n\rand 2 more"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ClosingMessage(C.Closing, Left(C.Stayed)), C.Want) << C.Stayed;
}

TEST(Uninstaller, CancelRemovesNothing)
{
    TFakeSystem S;
    Install(S);
    S.Answer = false;
    const TRun R = Replay(S, ToolLog);
    EXPECT_EQ(S.Asked.size(), 1u);
    EXPECT_TRUE(S.Journal.empty());
    EXPECT_TRUE(S.Told.empty());
    EXPECT_TRUE(R.Progress.empty());
    EXPECT_FALSE(R.Result.Confirmed);
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool\\uinst.log"));
}

TEST(Uninstaller, WhatTheUserAddedStaysWithItsDirectories)
{
    TFakeSystem S;
    Install(S);
    S.AddFile("C:\\Apps\\Tool\\docs\\mine.txt");
    S.AddFile("C:\\Menu\\Acme\\Other.lnk");
    const TRun R = Replay(S, ToolLog);
    // The log removes a directory only when it is empty: no failure.
    EXPECT_TRUE(R.Result.Stayed.empty());
    EXPECT_EQ(S.Told, std::vector<std::string>{"Acme Tool uninstalled"});
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool\\docs\\mine.txt"));
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool\\docs"));
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool"));
    EXPECT_TRUE(S.Has("C:\\Menu\\Acme"));
    EXPECT_FALSE(S.Has("C:\\Apps\\Tool\\tool.exe"));
    EXPECT_FALSE(S.HasKey(rrLocalMachine, UninstallKey + "Tool"));
}

TEST(Uninstaller, NothingIsReachedThroughALink)
{
    TFakeSystem S;
    Install(S);
    // The docs directory was replaced by a link elsewhere since the installation.
    S.AddDir("C:\\Apps\\Tool\\docs", faReparsePoint);
    // And the program file by a link to a system file.
    S.AddFile("C:\\Apps\\Tool\\tool.exe", faReparsePoint | faArchive);
    Replay(S, ToolLog);
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool\\docs\\read.txt"));
    EXPECT_TRUE(S.Has("C:\\Apps\\Tool\\docs"));
    // The link itself goes, its attributes (its target's) untouched.
    for (const std::string& J : S.Journal)
        EXPECT_NE(J, "clear C:\\Apps\\Tool\\tool.exe");
    EXPECT_EQ(S.Journal[1], "erase C:\\Apps\\Tool\\tool.exe");
}

TEST(Uninstaller, DamagedLogsTouchNothingOutsideWhatTheyName)
{
    const std::string Long(300, 'n');
    struct Case {
        const char* Name;
        std::string Log;
    };
    const Case Cases[] = {
        {"line cut inside its tag", "[DelFi"},
        {"line without separator", "[DelFile]C:\\Windows\\win.ini\r\n"},
        {"unknown tags", "[delfile]%C:\\Windows\\win.ini\r\n[DelFiles]%C:\\Windows\\win.ini\r\n "
                         "[DelFile]%C:\\Windows\\win.ini\r\n"},
        {"over-long file line",
         "[DelFile]%C:\\Windows\\win.ini" + std::string(1, '\\') + std::string(480, 'x') + "\r\n"},
        {"parent in a path", "[DelFile]%C:\\Apps\\Tool\\..\\..\\Windows\\win.ini\r\n"
                             "[DelDir]%C:\\Apps\\Tool\\..\\..\\Windows\r\n"},
        {"current in a path", "[DelFile]%C:\\Windows\\.\\win.ini\r\n"},
        {"relative path", "[DelFile]%Windows\\win.ini\r\n[DelFile]%\\Windows\\win.ini\r\n[DelFile]%C:win.ini\r\n"},
        {"forward slashes", "[DelFile]%C:/Windows/win.ini\r\n"},
        {"network path", "[DelFile]%\\\\server\\share\\win.ini\r\n"},
        {"device and stream names", "[DelFile]%C:\\Apps\\Tool\\CON\r\n[DelFile]%C:\\Apps\\Tool.txt:stream\r\n"},
        {"wildcards", "[DelFile]%C:\\Windows\\*.ini\r\n[DelFile]%C:\\Windows\\win.in?\r\n"},
        {"zero byte inside a path", std::string("[DelFile]%C:\\Windows\\win.ini") + '\0' + ".bak\r\n"},
        {"trailing dot or blank", "[DelFile]%C:\\Windows\\win.ini.\r\n[DelFile]%C:\\Windows\\win.ini \r\n"},
        {"path too long for the system", "[DelFile]%C:\\" + Long + "\r\n"},
        {"double separator", "[DelFile]%C:\\Windows\\\\win.ini\r\n"},
        {"key line naming the Uninstall key itself",
         "[DelKey]%%" + UninstallKey + "\r\n[DelValue]%%" + UninstallKey + "%DisplayName\r\n"},
        {"key line without a key", "[DelKey]%\r\n[DelKey]%%\r\n[DelKey]%HKEY_LM\r\n"},
        // The first 500 characters name a key that exists.
        {"over-long key line", "[DelKey]%%" + UninstallKey + std::string(446, 'k') + "\\sub\r\n"},
        {"key line with a parent", "[DelKey]%%" + UninstallKey + "Tool Other\\..\r\n"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFakeSystem S;
        Install(S);
        // The key that a key line naming the Uninstall key itself would take.
        S.AddKey(rrLocalMachine, UninstallKey.substr(0, UninstallKey.size() - 1), {"DisplayName"});
        S.AddKey(rrLocalMachine, UninstallKey + std::string(446, 'k'));
        Replay(S, C.Log);
        EXPECT_TRUE(S.Journal.empty()) << S.Journal.front();
        EXPECT_TRUE(S.Has("C:\\Windows\\win.ini"));
        EXPECT_TRUE(S.HasValue(rrLocalMachine, UninstallKey.substr(0, UninstallKey.size() - 1), "DisplayName"));
        EXPECT_EQ(S.Asked.size(), 1u);
    }
}

TEST(Uninstaller, LinesMayEndInAnyWayAndTheLastNeedsNoEnd)
{
    TFakeSystem S;
    Install(S);
    Replay(S, "[DelFile]%C:\\Apps\\Tool\\uinst.log\n[DelFile]%C:\\Desk\\Tool.lnk\r\n\r\n[UImes 1]%Sure?");
    EXPECT_EQ(S.Journal, (std::vector<std::string>{"erase C:\\Apps\\Tool\\uinst.log", "erase C:\\Desk\\Tool.lnk"}));
    EXPECT_EQ(S.Asked, std::vector<std::string>{"Sure?"});
    // No closing text in the log: an empty message.
    EXPECT_EQ(S.Told, std::vector<std::string>{""});
}

TEST(Uninstaller, MessagesAreCutAndTheLastOneCounts)
{
    TFakeSystem S;
    Replay(S, "[UImes 1]%first\r\n[UImes 2]%" + std::string(300, 'b') + "\r\n[UImes 1]%" + std::string(600, 'q') +
                  "\r\n");
    EXPECT_EQ(S.Asked, std::vector<std::string>{std::string(250, 'q')});
    EXPECT_EQ(S.Told, std::vector<std::string>{std::string(250, 'b')});
}

TEST(Uninstaller, RegistryRootsAndKeysWithKeysBelowThem)
{
    TFakeSystem S;
    S.AddKey(rrCurrentUser, "\\Software\\Acme", {"Path"});
    S.AddKey(rrLocalMachine, "\\Software\\Acme", {"Path"});
    S.AddKey(rrLocalMachine, "\\Software\\Big", {});
    S.AddKey(rrLocalMachine, "\\Software\\Big\\Inner", {});
    Replay(S, "[DelValue]%HKEY_CU%\\Software\\Acme%Path\r\n"
              "[DelKey]%HKEY_CU%\\Software\\Acme\r\n"
              "[DelKey]%HKEY_LM%\\Software\\Big\r\n"
              "[DelValue]%hkey_cu%\\Software\\Acme%Path\r\n");
    EXPECT_FALSE(S.HasKey(rrCurrentUser, "\\Software\\Acme"));
    // "hkey_cu" is no root the reader knows: the local machine's value goes.
    EXPECT_FALSE(S.HasValue(rrLocalMachine, "\\Software\\Acme", "Path"));
    EXPECT_TRUE(S.HasKey(rrLocalMachine, "\\Software\\Acme"));
    EXPECT_TRUE(S.HasKey(rrLocalMachine, "\\Software\\Big"));
    EXPECT_TRUE(S.HasKey(rrLocalMachine, "\\Software\\Big\\Inner"));
}

TEST(Uninstaller, APercentSignInTheInstallationsNameSurvives)
{
    TFakeSystem S;
    const std::string Key = UninstallKey + "Tool 100%";
    S.AddKey(rrLocalMachine, Key, {"DisplayName", "UninstallString"});
    S.AddKey(rrLocalMachine, UninstallKey + "Tool 100", {"%DisplayName"});
    S.AddDir("C:\\Apps\\Tool 100%");
    S.AddFile("C:\\Apps\\Tool 100%\\a%b.txt");
    Replay(S, "[DelFile]%C:\\Apps\\Tool 100%\\a%b.txt\r\n"
              "[DelDir]%C:\\Apps\\Tool 100%\r\n"
              "[DelValue]%%" + Key + "%DisplayName\r\n"
              "[DelValue]%%" + Key + "%UninstallString\r\n"
              "[DelKey]%%" + Key + "\r\n"
              "[DelValue]%%\\Software\\x%a%b\r\n");
    EXPECT_FALSE(S.Has("C:\\Apps\\Tool 100%"));
    EXPECT_FALSE(S.HasKey(rrLocalMachine, Key));
    EXPECT_TRUE(S.HasValue(rrLocalMachine, UninstallKey + "Tool 100", "%DisplayName"));
    EXPECT_EQ(S.Journal[2], "delvalue " + Key + " DisplayName");
}

TEST(Uninstaller, OnlyAnExistingLogOpensAndOnlyForReading)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\uinst.log", "[UImes 1]%Sure?\r\n");
    for (std::uint8_t Mode : {0, 1, 3}) {
        TUInstLog L(Mode, "C:\\uinst.log", FS);
        EXPECT_FALSE(L.Opened());
        TFakeSystem S;
        L.Uninstall(nullptr, S);
        EXPECT_TRUE(S.Asked.empty());
    }
    TUInstLog Missing(2, "C:\\missing.log", FS);
    EXPECT_FALSE(Missing.Opened());
    EXPECT_EQ(FS.FileBytes("C:\\uinst.log"), "[UImes 1]%Sure?\r\n");
    TUInstLog Read(2, "C:\\uinst.log", FS);
    EXPECT_EQ(Read.Mode(), 2);
    EXPECT_EQ(Read.Read().Question, "Sure?");
    EXPECT_FALSE(Read.Opened());
}

TEST(Uninstaller, TheLogPathOnTheCommandLine)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"C:\\WINDOWS\\Castremove.exe #uninstall \"C:\\Program Files\\Acme\\Tool\\uinst.log\"",
         "c:\\program files\\acme\\tool\\uinst.log"},
        {"\"C:\\WINDOWS\\Castremove.exe\" #UNINSTALL \"D:\\A\\uinst.log\"", "d:\\a\\uinst.log"},
        {"castremove #uninstall=c:\\x.log", "c:\\x.log"},
        {"castremove #uninstall", ""},
        {"castremove uninstall c:\\x.log", ""},
        {"castremove", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(LogPathFromCommandLine(C.first), C.second) << C.first;
    EXPECT_EQ(LogPathFromCommandLine("x #uninstall " + std::string(400, 'p')), std::string(300, 'p'));
    EXPECT_EQ(RootFromText("HKEY_CU"), rrCurrentUser);
    EXPECT_EQ(RootFromText(""), rrLocalMachine);
    EXPECT_EQ(RootFromText("HKEY_LM"), rrLocalMachine);
    EXPECT_EQ(RootFromText("HKEY_CURRENT_USER"), rrLocalMachine);
}
