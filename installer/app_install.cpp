// The install command of an installation's install rows.
#include "app_list.h"

#include "shell_helpers.h"

void CAPP::InstallClick(CFxListItem*)
{
    const std::string ArchivePath = JoinPath(Owner.DataDir, GetOutFN());
    if (!Owner.FileSystem->FileExists(ArchivePath)) {
        Owner.Form.ShowMessage("File not found\n\r" + ArchivePath, imError);
        return;
    }
}
