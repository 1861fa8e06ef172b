#pragma once

#include "builder_services.h"
#include "builder_ui.h"
#include "installation.h"
#include "file_system.h"
#include "hash.h"
#include "help_action.h"
#include "object.h"
#include "project_header.h"
#include "project_check.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDataBag;

// The values the builder stores for its option switches.
inline const std::string OptionOnChar = "1";
inline const std::string OptionOffChar = "0";

// The builder's project object: the project being edited, the per-user options
// and the services the windows reach the project through.
class CCastamer : public TObject {
public:
    // RememberedPaths: the dialogs' remembered directories, made before the project
    // object and outliving it; the environment file loads and saves it.
    // Construction never raises; Ready tells whether it succeeded.
    CCastamer(const TBuilderServices& Services, THash& RememberedPaths);
    // Writes the environment file.
    ~CCastamer() override;
    CCastamer(const CCastamer&) = delete;
    CCastamer& operator=(const CCastamer&) = delete;

    bool Modified = false;
    THash Settings{true};
    bool Ready = false;
    // Build into the chosen directory, Preview into the temporary directory.
    TBuildMode BuildMode = TBuildMode::Build;
    // Ends with "\".
    std::string ProgramDir;
    std::string HelpDir;
    std::string ProjectFileName;
    THash Groups{true};
    TProjectHeader ProjectHeader;
    // The navigation of the current project check's messages.
    THelpActions HelpActions;
    THash ProjectOptions{true};
    THash EnvOptions{true};

    // The main window's seam; null until it attaches (nothing visual happens then).
    // The project object knows its window only through it, so that it builds and is
    // tested without one: the program makes the main window and the window attaches
    // itself, rather than the project object making the window and keeping it.
    void AttachUI(IBuilderUI* UI) { FUI = UI; }
    IBuilderUI* UI() const { return FUI; }
    // Where the help actions navigate; null until the main window attaches.
    void AttachNavigator(IHelpNavigator* Navigator) { FNavigator = Navigator; }
    IHelpNavigator* Navigator() const { return FNavigator; }
    const TBuilderServices& Services() const { return FServices; }
    TFileSystem& FileSystem() const { return *FFS; }
    THash& RememberedPaths() const { return FRememberedPaths; }

    // In project order; index i is record 100000 + i of the project file.
    const std::vector<std::unique_ptr<CCst_App>>& Apps() const { return FApps; }
    CCst_App* AddApp();
    // Takes App out of the project and frees it.
    void DeleteApp(CCst_App* App);

    void NewProject();
    void SetModified() { Modified = true; }
    void SettingsChange(TObject*) { SetModified(); }
    void GroupsChange(TObject*) { SetModified(); }

    // An empty FileName asks for the file. A file that is not a sound project
    // answers false and leaves the project as it was.
    bool LoadProject(const std::string& FileName);
    bool SaveProject(const std::string& FileName);
    void FillHeader();
    // A damaged or unreadable file leaves the defaults and the remembered paths.
    void LoadEnv();
    // Raises when the file cannot be written; the previous file then stays.
    void SaveEnv();
    std::string GetEnvFileName() const;
    void RegisterProjectFileType();

    // Appends what would make the package wrong or incomplete to the three lists,
    // each message with its help action appended to HelpActions. Changes nothing in
    // the project and never raises: a test that cannot be made is skipped.
    void CheckProject(TCheckLists& Lists);

    // Build into a directory the user chooses, Preview into the temporary
    // directory; true when the package was written. Failures outside the export of
    // installations pass through, with the progress window hidden.
    bool Build(TBuildMode Mode);
    // Whether Dir may receive a Build: it does not begin, as text and without regard
    // to case, with any installation's source directory, does not lie inside the
    // temporary directory, and no source directory lies inside that one.
    bool IsBuildDirAllowed(const std::string& Dir);

    std::string GetOutDir();
    void SetOutDir(const std::string& Dir);
    std::string GetDataDir();
    std::string GetViewFileName();
    std::string GetProjectDir() const;
    // Created with its parents when missing.
    std::string GetTempDir();
    // Empties the temporary directory (read-only files included); false when
    // something is left in it or it could not be listed.
    bool ClearTempDir();

    // 0, 1 or 2; -1 (ask) for anything else.
    std::int32_t GetNewAppPlatform() const;
    void SetNewAppPlatform(std::int32_t Value);
    bool GetRunAfterBuild() const { return EnvOptions.Lookup("O_PAB") == OptionOnChar; }
    void SetRunAfterBuild(bool Value);
    bool GetViewErrorLog() const { return EnvOptions.Lookup("O_VEL") == OptionOnChar; }
    void SetViewErrorLog(bool Value);
    std::string GetCabwizPath() const { return EnvOptions.Lookup("Cabwiz.exe"); }
    void SetCabwizPath(const std::string& Value) { SetEnvOption("Cabwiz.exe", Value); }
    std::string GetCabwizDdfPath() const { return EnvOptions.Lookup("cabwiz.ddf"); }
    void SetCabwizDdfPath(const std::string& Value) { SetEnvOption("cabwiz.ddf", Value); }
    std::string GetMakecabPath() const { return EnvOptions.Lookup("Makecab.exe"); }
    void SetMakecabPath(const std::string& Value) { SetEnvOption("Makecab.exe", Value); }
    // Raises EConvertError when the value is absent or no integer.
    std::int32_t GetGroupIconWidth() const;
    // -1 when absent; raises EConvertError for any other non-number.
    std::int32_t GetGroupIconHeight() const;

    void ProgressBegin(const std::string& Text);
    void ProgressStep(int Percent);
    void ProgressEnd();
    // The progress event of the archives a build packs.
    void ArchiveProgress(TObject* Sender);
    // Starts Dir's "Install.exe" without waiting; unless Force, only when the
    // options ask for it.
    void RunInstaller(const std::string& Dir, bool Force);
    void ShowOptions(const std::string& Text, int Page);
    // True when the three CAB tool paths name existing files; when one does not,
    // the options window is offered on its CAB tools page first.
    bool CheckCabTools();

private:
    void Construct();
    std::string TempDirName() const;
    // A source directory inside the temporary directory, which the build empties.
    bool SourceInTempDir() const;
    void ShowError(const std::string& Text);
    void ExportGroups(CDataBag& Bag);
    // False when an installation could not be exported; Count is the number of
    // records written.
    bool ExportApps(CDataBag& Bag, std::int32_t& Count);
    // False when the package lacks "Install.exe" afterwards.
    bool CopyRuntimeFiles();
    // Writes Value only when it differs from what the option holds.
    void SetEnvOption(const std::string& Key, const std::string& Value);
    void ClearApps();
    void CheckSourceDir(TCheckLists& Lists, const CCst_App& App);
    void CheckShortcuts(TCheckLists& Lists, const CCst_App& App, std::int32_t DID);
    // Ready-made CAB file names that the installer could not hand on.
    void CheckCabNames(TCheckLists& Lists, const CCst_App& App);
    void CheckGroupIcons(TCheckLists& Lists);

    TBuilderServices FServices;
    TFileSystem* FFS;
    THash& FRememberedPaths;
    IBuilderUI* FUI = nullptr;
    IHelpNavigator* FNavigator = nullptr;
    std::vector<std::unique_ptr<CCst_App>> FApps;
};

// Empties the temporary directory when a staging ends, also through a failure, so
// that no staged copy outlives the export.
class TTempDirCleanup {
public:
    explicit TTempDirCleanup(CCastamer& Owner) : FOwner(Owner) {}
    TTempDirCleanup(const TTempDirCleanup&) = delete;
    TTempDirCleanup& operator=(const TTempDirCleanup&) = delete;
    ~TTempDirCleanup()
    {
        if (!FDone)
            FOwner.ClearTempDir();
    }
    // The clean-up of a staging that succeeded, at once; false when something was left behind.
    bool Finish()
    {
        FDone = true;
        return FOwner.ClearTempDir();
    }

private:
    CCastamer& FOwner;
    bool FDone = false;
};

// What the main window's Build and Preview actions run once its
// pages are stored: the build and, when it succeeded, the package's installer,
// after a Build as the options say, after a Preview always.
bool BuildAndRunInstaller(CCastamer& Project, TBuildMode Mode);
