#pragma once

#include "color.h"
#include "fx_edit_logic.h"
#include "hash.h"
#include "string_helpers.h"
#include "string_list.h"

#include <cstdint>
#include <string>
#include <vector>

class CCst_App;

// The installation page as data: which rows it shows for an installation, in
// display order, with their keys, tables, looks and events. The installation node
// turns these into rows of the page; nothing here needs a window.

enum TAppRowKind { arConst, arGroup, arEdit, arColor, arCheckBox, arCBox, arCreator, arSCut, arPDFile, arCDFile };

// Where a row's value is stored: "Props" or one of the installation's other tables.
enum TAppRowTable { atProps, atPocketPC, atShortcuts, atPDFiles, atCDFiles };

// What the node binds to a row.
enum TAppRowEvent {
    aeNone,
    aeBuildCabRows,   // "Create Cabs": its click
    aeFillCabList,    // the cab-file lists: filled before they open
    aeAddShortcutPC,  // the creators: their click with the new row
    aeAddShortcutPPC,
    aeAddProcFile,
    aeAddColorFile,
};

// The key of the "OS Dependent:" group.
extern const char* const OsDependentKey;
// The remembered-path key of the installation's source directory.
extern const char* const AppInDirPathKey;

struct TAppRow {
    TAppRowKind Kind = arEdit;
    std::string Caption;
    std::string Value;
    std::string Key;
    TAppRowTable Table = atProps;
    std::int32_t Image = -1;
    std::int32_t OpenImage = -1;
    TColor BackColor = 0;
    TColor TextColor = 0;
    // The colours of the page's root row instead of BackColor and TextColor.
    bool RootColors = false;
    bool AllowClose = true;
    TEditStyle Style = ES_String;
    bool Picture = false;
    // Memo caption or file filter.
    std::string ExData;
    std::string HKey_DirFile;
    // The global colour scheme.
    bool Scheme = false;
    std::string HelpText;
    // Every printable character may be typed, whatever the style lets through.
    bool AnyPrintable = false;
    // Combo rows: the list and the platform style (0 editable, 2 choice only).
    TArrayOfString Items;
    int ComboStyle = 0;
    // Shortcut rows: 1 Pocket PC, -1 PC.
    std::int32_t DeviceMode = -1;
    // Creators: the kind and background of the rows they make.
    TAppRowKind NewKind = arSCut;
    TColor NewBackColor = 0;
    TAppRowEvent Event = aeNone;
    std::vector<TAppRow> Children;
};

// What a row that takes every printable character lets through: the edit box's
// control keys and every byte from the blank on, but 127.
TCharSet AnyPrintableChars();

// "DID" as the page reads it: -1 (the unknown platform) when it is no number.
std::int32_t PageDID(const CCst_App& App);

// The whole page: the platform line, "Basic:" and "Advanced:" with their rows.
std::vector<TAppRow> InstallationPageRows(const CCst_App& App);
// The rows of "OS Dependent:" for the installation's platform; none for an unknown one.
std::vector<TAppRow> OsDependentRows(const CCst_App& App);
std::vector<TAppRow> PCSectionRows(const CCst_App& App);
std::vector<TAppRow> PocketPCSectionRows(const CCst_App& App);
std::vector<TAppRow> PalmSectionRows(const CCst_App& App);
// The Pocket PC rows after "Create Cabs", "ActiveSync Description" and "Default
// InstDir", as "PPC_IsCC" chooses them.
std::vector<TAppRow> PocketPCCabRows(const CCst_App& App);

// What a new list row of a creator starts with.
std::string NewListRowValue(TAppRowEvent Event, const std::string& AppName);
TAppRowTable NewListRowTable(TAppRowEvent Event);

// A key for a new entry of Table: drawn again while it is in the table or among
// Pending, the keys of rows not written yet.
std::string MakeUniqueKey(const THash& Table, const std::vector<std::string>& Pending,
                          const TUniqueIDSource& Source);

// The names of Dir's files matching "*.cab" (no directories), in listing order;
// none when Dir is empty or no directory.
class TFileSystem;
TArrayOfString CabFileNames(TFileSystem& FS, const std::string& Dir);
