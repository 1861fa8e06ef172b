#pragma once

#include "string_list.h"

#include <string>

// The values of the device file rows apart from any window. A processor-dependent
// file is CPU|File|Destination, a colour-dependent one Colors|File; missing fields
// read as empty, surplus ones are dropped at the next write.

enum TPDFileField { pfCpu, pfFile, pfDestination };
enum TCDFileField { cfColors, cfFile };

const TArrayOfString& PDFileCpus();
const TArrayOfString& PDFileDestinations();
const TArrayOfString& CDFileColors();

TArrayOfString SplitPDFile(const std::string& Value);
TArrayOfString SplitCDFile(const std::string& Value);
// Value with field Index (of Count) replaced by Text, joined again.
std::string ReplaceDeviceField(const std::string& Value, int Count, int Index, const std::string& Text);

// Where the value cell of a processor-dependent row splits into its file half (left
// of it) and its destination half.
int DeviceValueMiddle(int Left, int Right);

// The help box's lines; the line that starts with "File: " may be shortened to fit.
TArrayOfString PDFileHelpLines(const std::string& Value);
TArrayOfString CDFileHelpLines(const std::string& Value);
