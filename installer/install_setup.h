#pragma once

#include "app_list.h"
#include "data_bag.h"
#include "accordion_list_model.h"
#include "hash.h"
#include "rect_helpers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The start-up of the installer's main window, apart from the window: what it reads
// from the package description and what the settings make of the window.

enum TWindowBorder { wbNone, wbSingle, wbSizeable };

// "Resizable" and "Single" in any letter case; anything else has no border.
TWindowBorder ParseBorderStyle(const std::string& Text);

// A size limit that is set (a non-empty setting) and its value.
struct TSizeLimit {
    bool Set = false;
    std::int32_t Value = 0;
};

struct TWindowSetup {
    TSizeLimit MaxHeight, MinHeight, MaxWidth, MinWidth;
    // Left, top and the client area's right and bottom.
    TRect Bounds;
    bool Maximized = false;
    TWindowBorder Border = wbNone;
    std::string Caption;
    TColor Color = 0;
    std::int32_t BgLeft = 0, BgTop = 0;
    std::string RootCaption;
    double ColorC = 1.6, GroupCC = 1.7, ActionCC = 1.5;
    std::int32_t FontColor = -1;
    std::int32_t ListWidth = 0, GHeight = 0, AHeight = 0;
    std::int32_t IconWidth = 0, IconHeight = 0;
    bool ScrollBar = false;
};

// The window's set-up from the settings; a rectangle, colour or font colour that is
// no number raises EConvertError, which ends the start-up.
TWindowSetup ReadWindowSetup(const THash& Settings, std::int32_t ScreenWidth, std::int32_t ScreenHeight,
                             bool HasBackground);

// The groups and the installation records of the package into a new model: record
// 100000 + i for i below "APPs", which counts no more records than the bag holds
// entries. A damaged record or table raises. Progress gets the per cent of records read.
std::unique_ptr<CAppList> LoadApps(CDataBag& Bag, const THash& Settings, CFxListModel& List, IInstallerView& View,
                                   const std::function<void(std::int32_t)>& Progress);

// The whole of a package description as the start-up reads it, without a window:
// the bag, the settings, the window set-up, the installations, the group rows and
// the background's bitmap. Raises what the start-up would fail on.
struct TLoadedPackage {
    CDataBag Bag;
    THash Settings{false};
    TWindowSetup Setup;
    std::unique_ptr<CAppList> Apps;
};
void ReadPackage(TLoadedPackage& Package, TStream& ViewFile, CFxListModel& List, IInstallerView& View);
