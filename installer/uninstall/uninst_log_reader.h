#pragma once

#include "file_system.h"
#include "registry_helpers.h"
#include "stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The uninstaller's own reader of the uninstall log and its replay.
namespace castremove {

// "HKEY_CU" is the current user's hive; every other text, "" included, the local machine's.
TRegistryRoot RootFromText(const std::string& Text);

struct TDelVal {
    TRegistryRoot Root;
    std::string Key;
    std::string ValueName;
};

struct TDelKey {
    TRegistryRoot Root;
    std::string Key;
};

// How one call on the system went. Missing: nothing was there to act on. NotEmpty: a
// directory or key stays because it holds something the call does not take along.
enum class TOutcome { Done, Missing, NotEmpty, Failed };

struct TSystemResult {
    TOutcome Outcome = TOutcome::Done;
    // The system's own text of a failure.
    std::string Reason;
};

// What a replay does to the system: Windows' in the program, a stand-in in tests.
class TUninstallSystem {
public:
    virtual ~TUninstallSystem() = default;
    // The attributes (faDirectory, faReparsePoint, ...) of what Path names.
    virtual TSystemResult Attributes(const std::string& Path, std::uint32_t& Attributes) = 0;
    // Read-only, hidden, system and archive off.
    virtual bool ClearAttributes(const std::string& Path) = 0;
    virtual TSystemResult EraseFile(const std::string& Path) = 0;
    // Removes an empty directory only.
    virtual TSystemResult RemoveDir(const std::string& Path) = 0;
    // Key is opened without being created.
    virtual TSystemResult DeleteValue(TRegistryRoot Root, const std::string& Key, const std::string& ValueName) = 0;
    // The key alone: a key that holds keys stays.
    virtual TSystemResult DeleteKey(TRegistryRoot Root, const std::string& Key) = 0;
    // The question box with OK and Cancel: true for OK.
    virtual bool Confirm(const std::string& Question) = 0;
    // The plain message box.
    virtual void Inform(const std::string& Text) = 0;
};

// The item being removed and the share of the whole done before it (0..1).
using TUninstallProgress = std::function<void(const std::string& Item, double Fraction)>;

// What one log asks for, each list in log order.
struct TUninstallPlan {
    std::vector<std::string> Files;
    std::vector<std::string> Dirs;
    std::vector<TDelVal> Values;
    std::vector<TDelKey> Keys;
    std::string Question;
    std::string ClosingText;
};

// Characters after a line's first "%" that count, and of the two texts.
constexpr std::size_t MaxRest = 500;
constexpr std::size_t MaxMessage = 250;

// Something the replay was to remove and could not, with the system's reason.
struct TLeftOver {
    std::string Item; // as the progress names it
    std::string Reason;
};

struct TUninstallResult {
    bool Confirmed = false;
    std::vector<TLeftOver> Stayed;
};

// Items that the closing message names; it counts all of them.
constexpr std::size_t MaxListedLeftOvers = 5;

// The log's closing text, then, when anything stayed, how many things did and the
// first of them with the system's reason.
std::string ClosingMessage(const std::string& ClosingText, const std::vector<TLeftOver>& Stayed);

class TUInstLog {
public:
    // Mode 2 opens FileName for reading when it exists. The uninstaller writes nothing,
    // so every other mode leaves the log closed.
    TUInstLog(std::uint8_t Mode, const std::string& FileName, TFileSystem& FS = LocalFileSystem());
    ~TUInstLog();
    TUInstLog(const TUInstLog&) = delete;
    TUInstLog& operator=(const TUInstLog&) = delete;

    std::uint8_t Mode() const { return FMode; }
    bool Opened() const { return FFile != nullptr; }

    // Reads the log to its end and closes it. A line the uninstaller could not act on
    // as written is left out: a path or registry line cut at the limit (what remains
    // would name another object), a path that is not a whole absolute path of plain
    // names ("..", devices, wildcards), a key whose last name is empty.
    TUninstallPlan Read();

    // The replay: reads the log, asks its question and, on OK, removes what it names:
    // the files in log order, the directories from the last back, the values in log
    // order, the keys from the last back; then shows the closing message. A failure
    // does not stop it. Nothing is done unless the log is open for reading. Nothing
    // reached through a link is removed. What is already gone, a directory that still
    // holds something and a key that still holds keys are no failures: what the log
    // does not name stays by design, and what it names reports its own failure.
    TUninstallResult Uninstall(const TUninstallProgress& OnProgress, TUninstallSystem& System);

private:
    std::uint8_t FMode;
    std::unique_ptr<TStream> FFile;
};

// Deletes the file when it is there (not a directory), its attributes cleared first;
// a link is deleted itself, its target left alone. Missing when no file is there.
TSystemResult DeleteFileIfExists(const std::string& FileName, TUninstallSystem& System);

// The log path on the uninstaller's command line: the whole line in lower case without
// double quotes, from the character after "#uninstall" and its separator, at most 300
// characters; "" when "#uninstall" is missing.
std::string LogPathFromCommandLine(const std::string& CommandLine);

} // namespace castremove
