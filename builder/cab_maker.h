#pragma once

#include "file_system.h"
#include "hash.h"
#include "object.h"
#include "string_list.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The Windows CE setup description (".inf") from which the CAB wizard makes an
// installation's CAB files: the files to install and where from, the copy sections
// per device directory and the shortcuts.
class CCabMaker : public TObject {
public:
    // Processor of a file: its source-disk table.
    enum TCpu { cpuCommon = 0, cpuARM = 1, cpuMIPS = 2, cpuSH3 = 3 };

    CCabMaker();

    // The fields and the tables hold plain names and paths; the device directories
    // may begin with a macro. WriteInf writes them in INF syntax.
    std::string AppName;
    std::string CompanyName;
    // The application manager's description; held, not written.
    std::string Description;
    std::string InstallDir;
    // File name "|" destination directory to the file's disk id, in the order of
    // [SourceDisksFiles].
    THash Files{true};
    // The finished shortcut lines, each under an empty key.
    THash ShortcutLines{false};
    // Per processor, source directory to disk id. A directory may stand under a
    // second id: the disk of a file that another processor brings from elsewhere.
    THash SourceDisks[4] = {THash(false), THash(false), THash(false), THash(false)};
    // One per destination directory in order of first use: the directory, then the
    // file names copied there. Section i is "TCF_" i.
    std::vector<TArrayOfString> CopySections;

    void Clear();
    // 1 plus the entries of the four source-disk tables.
    std::int32_t NextDiskId() const;
    // Cpu 0..3; the first registration of a name and destination for a processor
    // wins, and a common file counts for every processor without its own.
    void AddFile(int Cpu, const std::string& SrcDir, const std::string& FileName, const std::string& DestDir);
    void AddToCopySection(const std::string& DestDir, const std::string& FileName);
    void AddShortcut(const std::string& Target, const std::string& Name, const std::string& DirMacro);
    void WriteInf(TArrayOfString& Lines) const;
    // The lines, each ended by CR LF; raises when the file cannot be written.
    void SaveInf(const std::string& FileName, TFileSystem& FS = LocalFileSystem()) const;

private:
    // The id under which SrcDir stands in the table of Cpu, a new one when it does not.
    std::int32_t DiskOf(int Cpu, const std::string& SrcDir);
    // The directory a processor takes disk Id from: its own table's, else the
    // common one's; "" when neither holds the id.
    std::string DiskDirFor(int Cpu, const std::string& Id) const;
    bool IdUsedByOtherFile(const std::string& Id, const std::string& Key) const;

    // Files key to the processors (a bit per Cpu) that registered it.
    std::map<std::string, unsigned> FRegisteredBy;
};

// The device directory macro of a destination name: "App Root" %InstallDir%,
// "Start Menu" %CE17%, "Win Root" %CE2% (\Windows), "System Root" the device's root;
// any other name the installation directory.
std::string CEDirMacro(const std::string& Destination);

// Whether the application manager's "CabFiles" list can carry a CAB file name:
// the list is one line of names separated by commas.
bool CabListCarries(const std::string& CabName);

// A value as an INF string: in double quotes, with its own quotes doubled.
std::string InfQuoted(const std::string& Value);
// A file name or path as an INF field: quoted when it holds what would end the
// field (";", ",", "=", a double quote), blanks at its ends or a final "\", which
// would continue the line, else as it is.
std::string InfField(const std::string& Value);
// Text that must read as itself: every "%" doubled, so that none starts a macro.
std::string InfLiteral(const std::string& Text);
// A device directory: the macro it begins with ("%InstallDir%", "%CE1%", ...) stays
// one, the rest is literal.
std::string InfDeviceDir(const std::string& Dir);
