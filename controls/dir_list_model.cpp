#include "dir_list_model.h"

#include "exceptions.h"
#include "remembered_paths.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <algorithm>

std::vector<TDirListItem> DirListItems(const std::string& Dir, TFileSystem& Fs)
{
    std::vector<TDirListItem> Items;
    std::string Rest = Dir;
    while (Rest.size() > 3 && Rest.back() == '\\')
        Rest.pop_back();
    // The root keeps its "\"; every later part is one level.
    std::size_t Start = 0;
    std::string Path;
    const std::size_t RootEnd = Rest.find('\\');
    const std::string Root = RootEnd == std::string::npos ? Rest + "\\" : Rest.substr(0, RootEnd + 1);
    Items.push_back(TDirListItem{Root, Root, 0, false});
    Path = Root;
    Start = Root.size();
    int Level = 1;
    while (Start < Rest.size()) {
        std::size_t End = Rest.find('\\', Start);
        if (End == std::string::npos)
            End = Rest.size();
        const std::string Part = Rest.substr(Start, End - Start);
        if (!Part.empty()) {
            Path = JoinPath(Path, Part);
            Items.push_back(TDirListItem{Part, Path, Level++, false});
        }
        Start = End + 1;
    }
    Items.back().Current = true;
    const std::string Current = Items.back().Path;
    std::vector<std::string> Subdirs;
    try {
        for (const TDirEntry& E : Fs.ListDirectory(Current))
            if (E.IsDirectory())
                Subdirs.push_back(E.Name);
    } catch (const EInOutError&) {
        // A directory the user may not read shows no subdirectories; its path still leads back up.
    }
    std::sort(Subdirs.begin(), Subdirs.end(),
              [](const std::string& A, const std::string& B) { return LowerAscii(A) < LowerAscii(B); });
    for (const std::string& S : Subdirs)
        Items.push_back(TDirListItem{S, JoinPath(Current, S), Level, false});
    return Items;
}
