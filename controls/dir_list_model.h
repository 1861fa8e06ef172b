#pragma once

#include "file_system.h"

#include <string>
#include <vector>

// What the directory chooser's list shows: the path down to the current directory,
// one entry a level, then its subdirectories one level deeper.
struct TDirListItem {
    std::string Caption;
    std::string Path;
    int Level = 0;
    bool Current = false;
};

// Dir is absolute with "\" ("C:\a\b" or "C:\"). A directory that cannot be listed
// shows without subdirectories.
std::vector<TDirListItem> DirListItems(const std::string& Dir, TFileSystem& Fs);
