#pragma once

#include "hash.h"
#include "object.h"
#include "stream.h"

#include <cstdint>
#include <string>
#include <vector>

class CCastamer;

// What a build makes: the package with its archives, or only the records that the
// installer's preview shows.
enum class TBuildMode : std::uint8_t { Build, Preview };

// Which shortcuts an export keeps: those of the Windows CE setup description, or
// those of the package record, relative to the source directory.
enum class TShortcutExport { CabSetup, Record };

// The working tables of one export, which the platform builders work on. They live
// for one export; nothing of them reaches the project.
struct TAppExport {
    TAppExport(TStream& AStream, TBuildMode AMode) : Stream(AStream), Mode(AMode) {}

    TStream& Stream;
    TBuildMode Mode;
    THash ExportProps{true};
    THash ExportPocketPC{true};
    THash ExportShortcuts{true};
    // Colour-dependent file row key to depth "|" depth "\" file name.
    THash PalmGroups{true};
};

// A CAB file name that the installer could not hand on: its row's key and the message.
struct TCabNameFault {
    std::string Key;
    std::string Message;
};

// One installation of a project, kept in six tables. Created and owned by its
// project (CCastamer::AddApp, loading), held once in the project's installations.
class CCst_App : public TObject {
public:
    ~CCst_App() override;
    CCst_App(const CCst_App&) = delete;
    CCst_App& operator=(const CCst_App&) = delete;

    // Reserved: stays empty, yet is saved and exported.
    THash Extra{true};
    THash Props{true};
    THash PocketPC{true};
    THash PDFiles{true};
    THash Shortcuts{true};
    THash CDFiles{true};
    CCastamer& Owner;

    void SetDefaults();
    // The six tables in the order Props, Extra, Shortcuts, PocketPC, PDFiles, CDFiles.
    std::int64_t SaveToStream(TStream& Stream) const;
    // Each table is replaced by what is read; a short stream raises EReadError.
    void LoadFromStream(TStream& Stream);

    // Writes the installation's package record and, in Build, first its archive;
    // answers the bytes written. Raises
    // "Destributive not buildet." when the platform's archive cannot be made and
    // EConvertError when "DID" is no number, before anything is written; other
    // failures pass through.
    std::int64_t BuildToStream(TStream& Stream, TBuildMode Mode);
    // Keeps the shortcuts that point into the installed files; for the record, makes
    // them relative to the source directory and writes them.
    void PrepareShortcuts(TAppExport& E, TShortcutExport Mode);
    // Packs Dir into the archive named by "OutFN" in the package's "Data".
    void ArchiveToData(const std::string& Dir);
    // The platform builders: true when the installation's part of the package is made.
    bool BuildPC(TAppExport& E);
    bool BuildPalm(TAppExport& E);
    bool BuildPocketPC(TAppExport& E);
    // Stages the ready-made CAB files named by the Pocket PC options from the source
    // directory; a name without its file leaves the record. False when a file that
    // is there could not be copied.
    bool CopyPrebuiltCabs(TAppExport& E);
    // The base of every file name of the CAB build: "App name" without blanks,
    // punctuation and what a file name cannot hold, at most 7 characters; "App"
    // when that leaves no name a file can carry.
    std::string CEShortName() const;
    // The installation directory on the device.
    std::string CEInstallDir() const;
    // The ready-made CAB file names that the application manager's list cannot
    // carry; none when the CAB files are made.
    std::vector<TCabNameFault> CabNameFaults() const;
    // Stages the source tree and the colour-dependent files in the builder's
    // temporary directory; false when something could not be copied.
    bool CopyPalmFiles(TAppExport& E);
    // Whether "DID" is 2, for the uninstaller's copy; false when it is no number.
    bool IsPC() const;

    std::string GetAppName() const { return Props.Lookup("App name"); }
    std::string GetGroupID() const { return Props.Lookup("GroupID"); }
    void SetGroupID(const std::string& V) { Props.Add("GroupID", V); }
    std::string GetCompName() const { return Props.Lookup("CompName"); }
    void SetCompName(const std::string& V) { Props.Add("CompName", V); }
    std::string GetBDate() const { return Props.Lookup("BDate"); }
    std::string GetBVersion() const { return Props.Lookup("BVersion"); }
    std::string GetDescribe() const { return Props.Lookup("Describe"); }
    std::string GetDescTop() const { return Props.Lookup("Desc Top"); }
    std::string GetDescLeft() const { return Props.Lookup("Desc Left"); }
    std::string GetWebLink() const { return Props.Lookup("Web Link"); }
    std::string GetScreenShot() const { return Props.Lookup("ScreenShot"); }
    std::string GetSShotLeft() const { return Props.Lookup("SShot Left"); }
    std::string GetSShotTop() const { return Props.Lookup("SShot Top"); }
    std::string GetAppIcon() const { return Props.Lookup("App icon"); }
    std::string GetFontColor() const { return Props.Lookup("Font color"); }
    // Raises EConvertError when "DID" is absent or no integer.
    std::int32_t GetDID() const;
    void SetDID(std::int32_t V);
    std::string GetInDir() const { return Props.Lookup("InDir"); }
    std::string GetOutFN() const { return Props.Lookup("OutFN"); }
    std::string GetDefInstDir() const { return Props.Lookup("DefInstDir"); }
    std::string GetShowInfo() const { return Props.Lookup("ShowInfo"); }
    std::string GetLicenze() const { return Props.Lookup("Licenze"); }

    std::string GetCabFileARM() const { return PocketPC.Lookup("PPC_ICabFARM"); }
    std::string GetCabFileMIPS() const { return PocketPC.Lookup("PPC_ICabFMIPS"); }
    std::string GetCabFileSH() const { return PocketPC.Lookup("PPC_ICabFSH"); }
    std::string GetASDesc() const { return PocketPC.Lookup("PPC_ASDesc"); }
    std::string GetIsCC() const { return PocketPC.Lookup("PPC_IsCC"); }
    void SetIsCC(const std::string& V) { PocketPC.Add("PPC_IsCC", V); }
    std::string GetBuildARM() const { return PocketPC.Lookup("O_PPCBARM"); }
    void SetBuildARM(const std::string& V) { PocketPC.Add("O_PPCBARM", V); }
    std::string GetBuildMIPS() const { return PocketPC.Lookup("O_PPCBMIPS"); }
    void SetBuildMIPS(const std::string& V) { PocketPC.Add("O_PPCBMIPS", V); }
    std::string GetBuildSH() const { return PocketPC.Lookup("O_PPCBSH"); }
    void SetBuildSH(const std::string& V) { PocketPC.Add("O_PPCBSH", V); }

private:
    friend class CCastamer;
    // Bare tables; the project fills them (defaults or a stream) and takes ownership.
    explicit CCst_App(CCastamer& Owner);
    std::string FreshOutFN() const;
};

// Display name of a platform code ("DID").
std::string PlatformName(std::int32_t Code);
