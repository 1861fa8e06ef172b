#pragma once

#include "brindlo_plugin.h"
#include "data_bag.h"
#include "file_system.h"
#include "accordion_list_model.h"
#include "hash.h"
#include "install_undo.h"
#include "installer_helpers.h"
#include "outside_programs.h"
#include "package_bitmap.h"
#include "registry_helpers.h"
#include "stream.h"
#include "uninstall_log.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAPP;
class CPlugLoader;
class TMadeDirs;

enum TInstallerMessage { imError, imWarning, imInformation };

// What the installation model needs of the main window: its image list, its
// description, screenshot and licence panel, messages, the web and closing.
class IInstallerView {
public:
    virtual ~IInstallerView() = default;
    // Adds Bitmap's top-left cell to the image list of group and installation rows.
    virtual std::int32_t AddListIcon(const TPackageBitmap& Bitmap) = 0;
    // The decoded picture of a screenshot; raises when the system cannot decode it.
    virtual std::shared_ptr<TObject> MakePicture(const TPackageBitmap& Bitmap) = 0;
    virtual std::int32_t ListWidth() = 0;
    virtual bool ListShowsScrollBar() = 0;
    virtual std::int32_t OuterHeight() = 0;
    virtual void ClearDescription() = 0;
    virtual void PlaceDescription(const std::string& Text, std::int32_t FontColor, std::int32_t Left, std::int32_t Top,
                                  std::int32_t Height) = 0;
    // What the window paints: the description text and the screenshot (null for none).
    virtual void SetSelection(const std::string& DescText, std::shared_ptr<TObject> Shot, std::int32_t ShotLeft,
                              std::int32_t ShotTop) = 0;
    virtual void RepaintWindow() = 0;
    virtual void HideLicence() = 0;
    virtual void CloseWindow() = 0;
    virtual void OpenWebAddress(const std::string& Address) = 0;
    virtual void SetProgress(std::int32_t Percent) = 0;
    virtual void ShowMessage(const std::string& Text, TInstallerMessage Type) = 0;
    // The directory chooser over the package's colours; false when cancelled (Dir as it came).
    virtual bool SelectDirectory(std::string& Dir, const std::string& Caption, bool AllowNew) = 0;
    // The licence panel with Text, "Next" disabled until "I Agree" is checked.
    virtual void ShowLicence(const std::string& Text) = 0;
    virtual void StartProgress(const std::string& Text) = 0;
    virtual void FinishProgress() = 0;
};

// Writes one string value, creating the key; raises with the system's reason.
using TRegistryWriter = std::function<void(TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                           const std::string& Value)>;

// The uninstaller every PC installation copies into the Windows directory.
extern const char* const UninstallerName;

// Whether Name can be the Uninstall entry's own key: one key name, neither empty
// nor holding "\" or control characters, at most 255 characters.
bool IsUninstallKeyName(const std::string& Name);

// Logs the Uninstall entry KeyName below Root, its two values and its key (with an
// empty root, which the uninstaller reads as the local machine's hive), and then
// writes it. A KeyName that is no key name of its own makes no entry and no line.
void RegisterUninstall(const TRegistryWriter& Write, TRegistryRoot Root, const std::string& KeyName,
                       const std::string& DisplayName, const std::string& UninstallString, CUInstLog* Log);

// The one installation model of the program: the package's groups and their icons,
// the installations in record order and the selected one. It builds the list's rows
// and shows the selected installation's description and screenshot.
class CAppList : public TObject {
public:
    // Groups is loaded from GroupsStream unless that is empty.
    CAppList(CDataBag* ABag, TStream& GroupsStream, CFxListModel& AList, IInstallerView& AForm);
    ~CAppList() override;
    CAppList(const CAppList&) = delete;
    CAppList& operator=(const CAppList&) = delete;

    CFxListModel& List;
    IInstallerView& Form;
    CDataBag* Bag;
    THash Groups{true};
    std::vector<std::unique_ptr<CAPP>> Apps;
    CAPP* Selected = nullptr;

    // The package settings that shape the rows.
    bool ShowExitRows = false;
    bool ShowHomeRows = false;
    // The size of the image list's icons: smaller bitmaps get no image.
    std::int32_t IconWidth = 0;
    std::int32_t IconHeight = 0;
    // Where the archives and the uninstaller lie.
    std::string DataDir;
    // The Windows folders and the disk the default directories are made on.
    TSpecialFolderLookup Folders;
    TFileSystem* FileSystem = &LocalFileSystem();
    // Told of finished installations; may be null.
    CPlugLoader* Plugins = nullptr;
    // The links and the registry entry the PC road makes.
    TShortcutShell Shell;
    TRegistryWriter WriteRegistry;
    // What a failed PC installation needs to put the registry back as it was.
    TRegistryUndo RegistryUndo;
    // An accepted licence waiting for the install command it restarts.
    bool LicenceAccepted = false;
    // The Pocket PC manager and the Palm tool; null: neither is installed.
    IOutsidePrograms* Outside = nullptr;

    void AddApp(std::unique_ptr<CAPP> App);
    void BuildList();
    void LoadGroups();
    // -1 for none and for a bitmap smaller than the icon size.
    std::int32_t AddIcon(const TPackageBitmap* Bitmap);
    CFxListItem* FindGroupItem(const std::string& GID);
    std::int32_t GroupImageIndex(const std::string& GID) const;
    void SelectApp(CAPP* App);

    void GroupClick(CFxListItem* Row);
    void GroupHomeClick(CFxListItem* Row);
    void ExitClick(CFxListItem* Row);
    void ArchiveProgress(TObject* Archive);
};

// One installation of the package, read from its record: five tables, then its icon
// and screenshot. It makes its rows, answers its read-only accessors (which plug-ins
// reach through IInstallApp) and resolves its directories.
class CAPP : public TObject {
public:
    // Reads one record at the stream's position; a damaged record raises.
    CAPP(CAppList& AOwner, TStream& RecordStream);
    ~CAPP() override;
    CAPP(const CAPP&) = delete;
    CAPP& operator=(const CAPP&) = delete;

    THash Props{false};
    THash Extra{false};
    THash Shortcuts{false};
    THash PocketPC{false};
    THash PalmGroups{false};
    std::unique_ptr<TPackageBitmap> Icon;
    std::unique_ptr<TPackageBitmap> Screenshot;
    std::shared_ptr<TObject> ShotPicture;
    CAppList& Owner;
    CFxListItem* GroupRow = nullptr;
    CFxListItem* ItemRow = nullptr;
    std::string InstallDir;

    void BuildItems();

    void AppClick(CFxListItem* Row);
    void InfoClick(CFxListItem* Row);
    void WebLinkClick(CFxListItem* Row);
    void HomeClick(CFxListItem* Row);
    void ExitClick(CFxListItem* Row);
    // The install command of the install rows.
    void InstallClick(CFxListItem* Row);
    // True when the command may go on at once; otherwise the licence panel is up.
    bool ShowLicence();
    // The PC road: true when it installed. A failure raises after undoing everything
    // it did: the disk and the registry are as they were.
    bool InstallPC();
    void MakeShortcuts();
    void SetupUninstaller();

    // The working values of one install command, shared by the command and its roads.
    struct TInstallCommand {
        std::string Dir;
        std::string LogPath;
        std::string ArchivePath;
        std::string RowKey; // the clicked row's Key: a Palm OS colour group, or empty
        std::unique_ptr<CUInstLog> Log; // the PC road's
        TInstallUndo* Undo = nullptr;   // the PC road's record of what it did, while it runs
    };
    TInstallCommand Command;

    // The device roads: unpack into a staging directory and hand over to the desktop
    // program, or unpack where the user chooses when it is missing. True when handed
    // over or unpacked for a manual installation.
    bool InstallPocketPC();
    bool InstallPalm();
    // The application manager's .ini; true when it names at least one CAB file.
    bool WriteCEAppMgrIni(const std::string& IniPath);

    std::string GetAppName() const;
    std::string GetName() const;
    std::string GetCompName() const;
    std::string GetGroupID() const;
    std::string GetWebLink() const;
    std::string GetBDate() const;
    std::string GetBVersion() const;
    std::string GetDescribe() const;
    std::string GetOutFN() const;
    // Raise EConvertError when the value is there but no integer.
    std::int32_t GetFontColor() const;
    std::int32_t GetDID() const;
    std::int32_t GetSShotLeft() const;
    std::int32_t GetSShotTop() const;
    std::int32_t GetDescTop() const;
    std::int32_t GetDescLeft() const;
    bool GetShowInfo() const;
    bool GetAddUinstSC() const;
    std::string GetASDesc() const;
    std::string GetICabFARM() const;
    std::string GetICabFMIPS() const;
    std::string GetICabFSH() const;
    // Resolved and created on every call; "" (nothing created) for an empty value.
    // What a plug-in's call makes is noted while the plug-ins hear of an installation.
    std::string GetDefInstDir() const;
    // The same directory resolved only, as the system stores its name.
    std::string DefInstDirPath() const;
    std::string GetDeviceInstDir() const;
    std::string GetInstallDir() const { return InstallDir; }

    // The installation as plug-ins see it; the installation keeps owning it.
    IInstallApp* Interface() { return &FBinding.Iface; }
    std::uint32_t RefCount() const { return FRefCount; }
    // Strings handed to plug-ins stay valid until this is called (after each call of an entry).
    void ReleaseReturnedStrings() { FReturned.clear(); }
    // Code: one of the plug-in header's events (PLG_AppInstalled).
    void NotifyPlugins(std::int32_t Code);

private:
    // Adds the rows of the Palm OS colour groups; false when a plain install row is needed.
    bool AddPalmGroupItems();
    // Tells the plug-ins of the finished installation; what their calls of
    // GetDefInstDir made goes when they left it empty, and is logged otherwise.
    void NotifyInstalled();
    void CheckUninstallerCopy();
    struct TBinding {
        IInstallApp Iface;
        CAPP* Owner;
    };
    static CAPP& From(IInstallApp* This);
    static const IInstallAppVtbl Vtbl;
    // The interface's operations; none lets an exception out.
    static BrindloResult BRINDLO_CALL IQueryInterface(IInstallApp* This, const BrindloGuid* Iid, void** Object);
    static std::uint32_t BRINDLO_CALL IAddRef(IInstallApp* This);
    static std::uint32_t BRINDLO_CALL IRelease(IInstallApp* This);
    template <std::string (CAPP::*Get)() const>
    static const char* BRINDLO_CALL IString(IInstallApp* This);
    template <std::int32_t (CAPP::*Get)() const>
    static std::int32_t BRINDLO_CALL IInt(IInstallApp* This);
    template <bool (CAPP::*Get)() const>
    static BrindloBool BRINDLO_CALL IBool(IInstallApp* This);

    TBinding FBinding;
    std::uint32_t FRefCount = 0;
    TMadeDirs* FPluginDirs = nullptr;
    std::deque<std::string> FReturned;
};
